// Log records as the device could hand them over, read by the result row and
// the detail: any bytes, unterminated names, lengths past the record. The
// first byte picks a date format, the rest fill the record.
#include <cstdint>
#include <cstring>
#include <string>

#include "app/formatting.h"
#include "app/system/logs/log_detail_texts.h"
#include "app/system/logs/log_rows.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  setDateFormat(data[0] % 3);
  LogRecord r;
  std::memset(&r, 0xA5, sizeof r);
  std::memcpy(&r, data + 1, size - 1 < sizeof r ? size - 1 : sizeof r);
  const logs::RowTexts row = logs::rowTexts(r, static_cast<int>(r.time), (data[0] & 4) != 0);
  const logs::DetailRows detail = logs::detailRows(r, 3, (data[0] & 8) != 0);
  const std::string text = logs::descriptionText(r);
  if (text.size() > sizeof r.description) __builtin_trap();
  if (detail.user.size() > 20 || !detail.userLabel || !detail.objectLabel) __builtin_trap();
  const logs::TextSize area = logs::descriptionSize(r, static_cast<int>(r.diskNo), static_cast<int>(r.alarmIn),
                                                    (data[0] & 16) != 0);
  if (area.w < 0 || area.h < 0 || row.number.empty()) __builtin_trap();
  return 0;
}
