// State all IP-address edits share that the single-line edits and the
// window core reach: the error flag and the MAC mode-icon flag.
#include "controls/ipedit/ipedit.h"

#include <atomic>

#include "gui/text_entry.h"

namespace ipedit {
namespace {
std::atomic<int> g_errorFlag{0};
std::atomic<int> g_iconShown{0};
std::atomic<int> g_digitsTyped{0};
}  // namespace

int DigitsTyped() { return g_digitsTyped; }
void SetDigitsTyped(int count) { g_digitsTyped = count; }

bool ErrorFlag() { return g_errorFlag != 0; }
void ClearErrorFlag() { g_errorFlag = 0; }
bool IconShown() { return g_iconShown != 0; }
void SetIconShown(bool on) { g_iconShown = on ? 1 : 0; }

}  // namespace ipedit

namespace sledit {
void MarkIpEditError() { ipedit::g_errorFlag = 1; }
}  // namespace sledit

extern "C" void SetIPEditSKBState(int flag) { ipedit::SetIconShown(flag != 0); }
