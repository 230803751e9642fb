// Lookups of control records and window bitmaps by window and item name.
// Linear by design: window names first, then the window's own records.
#include <cstdio>
#include <cstring>

#include "core/layout/config_text.h"
#include "core/layout/layout_state.h"
#include "gui/display.h"
#include "gui/layout.h"

namespace layout {
namespace {

// What a failed lookup hands out when the table has no records at all.
CtrlResInfo g_zeroRecord;

CtrlResInfo* FindControl(const ControlSet& set, int window, const char* control, bool ignoreCase) {
  if (window < 0 || !set.Has(window)) return nullptr;
  const CtrlResInfo* records = set.WindowRecords(window);
  for (int i = 0; i < set.Count(window); ++i) {
    const bool same = ignoreCase ? EqualsNoCase(records[i].name, control)
                                 : std::strcmp(records[i].name, control) == 0;
    if (same) return const_cast<CtrlResInfo*>(&records[i]);
  }
  return nullptr;
}

// The picture named `name` in entries [first, first + count) of `table`,
// read when first asked for; null when none is named so.
const Bitmap* FindBitmap(const PictureTable& table, size_t first, size_t count, const char* name) {
  const WinBmpInfo* entries = table.data();
  for (size_t i = first; i < first + count && i < table.size(); ++i)
    if (std::strcmp(entries[i].name, name) == 0) return &table.Picture(i);
  return nullptr;
}

const Bitmap* FindBitmap(const PictureTable& table, const char* name) { return FindBitmap(table, 0, table.size(), name); }

const Bitmap* FindWindowBitmap(const BitmapSet& set, const char* window, const char* name) {
  const int index = State().FindWindow(window, false);
  if (index < 0 || static_cast<size_t>(index) >= set.first.size() || set.first[index] < 0)
    return nullptr;
  return FindBitmap(set.bitmaps, static_cast<size_t>(set.first[index]), static_cast<size_t>(set.count[index]), name);
}

bool IsMenuName(const char* window) {
  return std::strcmp(window, "popupmenu") == 0 || std::strcmp(window, "startmenu") == 0;
}

BOOL CopyBitmap(const Bitmap* found, Bitmap* bitmap) {
  if (!found) return FALSE;
  *bitmap = *found;
  return TRUE;
}

}  // namespace
}  // namespace layout

using layout::State;

extern "C" {

BOOL GetCtrlResInfo(const char* window, const char* control, CtrlResInfo** record) {
  if (!record) return FALSE;
  const layout::Generation* generation = State().Current();
  if (!generation) {
    *record = &layout::g_zeroRecord;
    return FALSE;
  }
  CtrlResInfo* found = nullptr;
  if (window && control)
    found = layout::FindControl(generation->main, State().FindWindow(window, true), control, true);
  const CtrlResInfo* first = generation->main.First();
  *record = found ? found : const_cast<CtrlResInfo*>(first ? first : &layout::g_zeroRecord);
  return found != nullptr;
}

BOOL GetCtrlResInfoAux(const char* window, const char* control, CtrlResInfo** record) {
  if (!record || !window || !control || !HasAuxOutput() || !layout::IsAuxWindowName(window))
    return FALSE;
  const layout::Generation* generation = State().Current();
  if (!generation) return FALSE;
  CtrlResInfo* found =
      layout::FindControl(generation->aux, State().FindWindow(window, true), control, false);
  if (!found) return FALSE;
  *record = found;
  return TRUE;
}

BOOL GetWinBitmap(const char* window, const char* name, Bitmap* bitmap) {
  if (!window || !name || !bitmap) return FALSE;
  const layout::LayoutState& state = State();
  if (layout::IsMenuName(window))
    return layout::CopyBitmap(layout::FindBitmap(state.menuBitmaps, name), bitmap);
  return layout::CopyBitmap(layout::FindWindowBitmap(state.mainBitmaps, window, name), bitmap);
}

BOOL GetWinBitmapAux(const char* window, const char* name, Bitmap* bitmap) {
  if (!window || !name || !bitmap || !HasAuxOutput()) return FALSE;
  const layout::LayoutState& state = State();
  if (layout::IsMenuName(window)) {
    const auto& table = state.auxMenuShared ? state.menuBitmaps : state.auxMenuBitmaps;
    return layout::CopyBitmap(layout::FindBitmap(table, name), bitmap);
  }
  if (!layout::IsAuxWindowName(window)) return FALSE;
  return layout::CopyBitmap(layout::FindWindowBitmap(state.auxBitmaps, window, name), bitmap);
}

BOOL GetLayoutBitmap(int slot, Bitmap* bitmap) {
  if (!bitmap || slot < 0 || slot >= LAYOUT_MAX_LANGUAGES) return FALSE;
  char name[32];
  std::snprintf(name, sizeof name, "lang_bmp%d", slot);
  Bitmap found{};
  if (!GetWinBitmap(LAYOUT_LANG_WINDOW, name, &found) || !found.bmBits) return FALSE;
  *bitmap = found;
  return TRUE;
}

void TerminateLayout(void) { State().Clear(); }

void ClearCtrlResInfo(CtrlResInfo* records, int n) {
  if (records && n > 0) std::memset(records, 0, sizeof(CtrlResInfo) * static_cast<size_t>(n));
}

BOOL IsLangSelCtrl(const CtrlResInfo* record) {
  if (!record) return FALSE;
  return std::strncmp(record->name, "lang_english", 12) == 0 ||
         std::strncmp(record->name, "lang_simp_cn", 12) == 0;
}

BOOL IsLayoutLoadDone(void) { return State().loadDone; }
BOOL IsStringTableWanted(void) { return State().stringsWanted; }

}  // extern "C"
