#include "core/desktop/desktop_seams.h"

#include <atomic>

#include "gui/dc.h"
#include "gui/text.h"

namespace {
std::atomic<int> g_cursor{0};
std::atomic<int> g_switchHolds{0};
}  // namespace

void ShowSystemCursor(int index) { g_cursor = index; }
int CurrentSystemCursor() { return g_cursor; }

void SuspendDisplaySwitching() { ++g_switchHolds; }
void ResumeDisplaySwitching() {
  if (g_switchHolds > 0) --g_switchHolds;
}
bool DisplaySwitchEnabled() { return g_switchHolds == 0; }
bool DisplaySwitchInProgress() { return false; }
void ClearVideoWindowRecords(int) {}
bool MessageBoxShown() { return false; }
int ImeFontHeight(bool auxiliary) { return GetSysFontHeight(auxiliary ? 6 : 1); }
// Until the element colours are loaded: white, which inverts whatever lies
// under the frame and so always shows.
GalPixel TrackingFrameColor() { return RGB2Pixel(HDC_SCREEN, 0xFF, 0xFF, 0xFF); }
