// Coded values as words, from (key, value) tables.
#include "app/value_texts.h"

#include <cstdio>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/msgbox.h"
#include "gui/layout.h"

namespace {

constexpr int kTextSize = 256;

// Texts are built whole, then cut to the caller's buffer.
void copyCut(const char* text, char* out, int outLen) { std::snprintf(out, static_cast<size_t>(outLen), "%s", text); }

bool badBuffer(const char* out, int outLen) { return !out || outLen < 1; }

int writeUnknown(int value, char* out, int outLen) {
  char text[kTextSize];
  // The words of the interface language where its texts have them.
  const char* word = lookupText("commons", "unknown_value");
  if (isRightToLeftLang())
    std::snprintf(text, sizeof text, "%d :%s", value, word ? word : "Value Type Unknown");
  else
    std::snprintf(text, sizeof text, "%s: %d", word ? word : "Unknown Type Value", value);
  copyCut(text, out, outLen);
  return -1;
}

const ValueKeyRow* findRow(const ValueKeyRow* rows, int count, int value) {
  if (!rows) return nullptr;
  for (int i = 0; i < count; ++i)
    if (rows[i].value == value) return &rows[i];
  return nullptr;
}

// The row's key is cut to its 64 bytes should a table hold no terminator.
const char* keyOf(const ValueKeyRow& row, char (&key)[sizeof row.key + 1]) {
  std::snprintf(key, sizeof key, "%.*s", static_cast<int>(sizeof row.key), row.key);
  return key;
}

using Lookup = BOOL (*)(const char*, const char*, CtrlResInfo**);

int writeCaption(Lookup lookup, const char* section, const ValueKeyRow* rows, int count, int value,
                 char* out, int outLen) {
  if (badBuffer(out, outLen)) return -1;
  const ValueKeyRow* row = findRow(rows, count, value);
  if (!row) return writeUnknown(value, out, outLen);
  char key[sizeof row->key + 1];
  CtrlResInfo* record = nullptr;
  const char* caption = "";
  if (lookup && section && lookup(section, keyOf(*row, key), &record) && record && record->caption)
    caption = record->caption;
  copyCut(caption, out, outLen);
  return 0;
}

}  // namespace

extern "C" {

int formatValueName(const ValueKeyRow* rows, int count, int value, char* out, int outLen) {
  if (badBuffer(out, outLen)) return -1;
  const ValueKeyRow* row = findRow(rows, count, value);
  if (!row) return writeUnknown(value, out, outLen);
  char key[sizeof row->key + 1];
  copyCut(keyOf(*row, key), out, outLen);
  return 0;
}

int formatValueText(const char* section, const ValueKeyRow* rows, int count, int value, char* out,
                    int outLen) {
  return writeCaption(GetCtrlResInfo, section, rows, count, value, out, outLen);
}

int formatValueTextForOutput(int output, const char* section, const ValueKeyRow* rows, int count,
                             int value, char* out, int outLen) {
  Lookup lookup = nullptr;
  if (output == getMainOutput())
    lookup = GetCtrlResInfo;
  else if (output == getAuxOutput())
    lookup = GetCtrlResInfoAux;
  return writeCaption(lookup, section, rows, count, value, out, outLen);
}

int getRowValue(const ValueKeyRow* rows, int count, int index) {
  if (!rows || index < 0 || index >= count) return -1;
  return rows[index].value;
}

int formatUnknownValue(const void*, int value, char* out, int outLen) {
  if (badBuffer(out, outLen)) return -1;
  char name[33] = {};
  if (getDeviceValueName(0, value, name) != 0) return writeUnknown(value, out, outLen);
  copyCut(name, out, outLen);
  return 0;
}

}  // extern "C"
