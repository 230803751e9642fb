#include "core/desktop/desktop_seams.h"

#include <atomic>

#include "gui/dc.h"
#include "gui/text.h"

namespace {
std::atomic<int> g_cursor{0};
}  // namespace

void ShowSystemCursor(int index) { g_cursor = index; }
int CurrentSystemCursor() { return g_cursor; }

int ImeFontHeight(bool auxiliary) { return GetSysFontHeight(auxiliary ? 6 : 1); }

