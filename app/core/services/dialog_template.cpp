#include "app/dialog_template.h"

#include <algorithm>
#include <climits>

#include "app/app_registry.h"

namespace app {
namespace {

// Layout files give any int: the sums are taken in 64 bits and kept in range.
int32_t clamped(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

DlgTemplate templateFromRecord(const CtrlResInfo* record, uint32_t style, uint32_t exStyle, Placement placement,
                               int output) {
  DlgTemplate dlg{};
  dlg.dwStyle = style;
  dlg.dwExStyle = exStyle;
  dlg.caption = "";
  if (!record) return dlg;
  dlg.w = record->w;
  dlg.h = record->h;
  switch (placement) {
    case Placement::kAsRecorded:
      dlg.x = record->x;
      dlg.y = record->y;
      break;
    case Placement::kCentred:
      dlg.x = clamped((int64_t{getScreenWidth(output)} - record->w) / 2);
      dlg.y = clamped((int64_t{getScreenHeight(output)} - record->h) / 2);
      break;
    case Placement::kFromBottomRight:
      dlg.x = clamped(int64_t{getScreenWidth(output)} - record->x - record->w);
      dlg.y = clamped(int64_t{getScreenHeight(output)} - record->y - record->h);
      break;
  }
  if (record->caption) dlg.caption = record->caption;
  return dlg;
}

}  // namespace app
