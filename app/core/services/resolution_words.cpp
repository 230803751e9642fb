// The resolution bookkeeping the display settings and the main menu's
// resolution confirmation share: whether a new main-output resolution waits
// for confirmation, and the codes of outputs 3 and 2 to go back to. Until
// the settings open, the previous codes are the device's first ones: 3 on
// output 3 and 10 on output 2.
#include "app/core/services/per_output.h"
#include "app/system_services.h"

namespace {

app::Word<int> g_prevOut3{3};
app::Word<int> g_prevOut2{10};
app::Word<int> g_pending{0};

}  // namespace

extern "C" {

int getPrevResolutionOut3(void) { return g_prevOut3.get(); }
int getPrevResolutionOut2(void) { return g_prevOut2.get(); }
void setPrevResolutionOut3(int value) { g_prevOut3.set(value); }
void setPrevResolutionOut2(int value) { g_prevOut2.set(value); }
int isResolutionChangePending(void) { return g_pending.get(); }
void setResolutionChangePending(int flag) { g_pending.set(flag); }

}  // extern "C"
