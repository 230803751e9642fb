// The date boxes' date parser and the time spinner's time parser over any
// text. The first byte picks the date format (0..3) and the spinner's field
// count (1..4); the rest is the typed text. A date that parses writes back
// to the same date, and every time piece stays inside its field's range.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "controls/datetime/date_text.h"
#include "controls/monthcalendar/monthcalendar_internal.h"
#include "controls/spintime/spintime_internal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int format = data[0] & 3, count = ((data[0] >> 2) & 3) + 1;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  datetime::Date date;
  if (datetime::ParseDate(text.c_str(), format, monthcalendar::DaysIn, &date)) {
    datetime::Date again;
    const std::string written = datetime::FormatDate(format, date, true);
    if (!datetime::ParseDate(written.c_str(), format, monthcalendar::DaysIn, &again) || again.year != date.year ||
        again.month != date.month || again.day != date.day)
      std::abort();
  }

  spintime::Data spinner;
  spinner.count = count;
  spinner.separatorMode = count <= 2 ? 1 : count == 3 ? 2 : 3;
  for (int i = 0; i < count; ++i) {
    spinner.fields[i].maximum = i % 2 ? 59 : 23;
    spintime::Print(spinner.fields[i], 0);
  }
  spintime::ParseInto(spinner, text.c_str());
  for (int i = 0; i < count; ++i) {
    const int v = spintime::Value(spinner.fields[i]);
    if (v < spinner.fields[i].minimum || v > spinner.fields[i].maximum) std::abort();
  }
  if (spintime::Compose(spinner).size() > 19) std::abort();
  return 0;
}
