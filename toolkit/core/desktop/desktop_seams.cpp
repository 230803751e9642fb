#include "core/desktop/desktop_seams.h"

#include <atomic>

#include "gui/text.h"

namespace {
std::atomic<int> g_switchHolds{0};
}  // namespace

void SuspendDisplaySwitching() { ++g_switchHolds; }
void ResumeDisplaySwitching() {
  if (g_switchHolds > 0) --g_switchHolds;
}
bool DisplaySwitchEnabled() { return g_switchHolds == 0; }
bool DisplaySwitchInProgress() { return false; }
void ClearVideoWindowRecords(int) {}
bool MessageBoxShown() { return false; }
int ImeFontHeight(bool auxiliary) { return GetSysFontHeight(auxiliary ? 6 : 1); }
