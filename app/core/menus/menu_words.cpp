// Words the main menu shares with the pages it opens.
#include "app/core/services/per_output.h"
#include "app/menus.h"

namespace {

app::PerOutput<int> g_menuHidden{0};
app::Word<int> g_exportRunning{0};

}  // namespace

extern "C" {

void setMenuHidden(int output, int hidden) { g_menuHidden.setLoose(output, hidden); }
int isMenuHidden(int output) { return g_menuHidden.get(output); }
void setExportRunning(int kinds) { g_exportRunning.set(kinds); }
int getExportRunning(void) { return g_exportRunning.get(); }

}  // extern "C"
