// The engine table and the layer's start and end.
#include "core/input/ial.h"
#include "core/input/lowlevel_event.h"

#include <atomic>
#include <cstring>

#include "gdi/startup_report.h"
#include "gui/gui_etc.h"

namespace {

IalEngine g_engines[] = {
    {"Win", InitWinIAL, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, {}},
    {"dummy", InitDummyIAL, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, {}},
};

// Chosen on the main thread at start-up, read by the event thread and the
// cursor afterwards.
std::atomic<IalEngine*> g_current{nullptr};

constexpr int kMissingKey = -18;
constexpr int kEngineFailed = -21;

IalEngine* FindEngine(const char* name) {
  for (IalEngine& engine : g_engines)
    if (std::strncmp(engine.name, name, IAL_ENGINE_NAME_LEN) == 0) return &engine;
  return nullptr;
}

}  // namespace

IalEngine* CurrentIalEngine() { return g_current.load(); }

void SetEngineOperations(IalEngine* engine, const IalEngine& ops) {
  engine->term_input = ops.term_input;
  engine->update_mouse = ops.update_mouse;
  engine->get_mouse_xy = ops.get_mouse_xy;
  engine->set_mouse_xy = ops.set_mouse_xy;
  engine->get_mouse_button = ops.get_mouse_button;
  engine->set_mouse_range = ops.set_mouse_range;
  engine->update_keyboard = ops.update_keyboard;
  engine->get_keyboard_state = ops.get_keyboard_state;
  engine->set_leds = ops.set_leds;
  engine->wait_event = ops.wait_event;
}

void UseIalEngineForTest(IalEngine* engine) { g_current = engine; }

void WakeIalWait() {
  if (g_current.load() == &g_engines[0]) WakeWinIalWait();
}

int StartIalEngine(const char* name, const char* mdev, const char* mtype) {
  IalEngine* engine = FindEngine(name ? name : "");
  if (!engine) engine = g_current.load() ? g_current.load() : &g_engines[0];
  std::strncpy(engine->mdev, mdev ? mdev : "", IAL_MDEV_LEN);
  engine->mdev[IAL_MDEV_LEN] = '\0';
  g_current = engine;
  return engine->init_input(engine, engine->mdev, mtype ? mtype : "") ? 0 : kEngineFailed;
}

extern "C" {

int InitIAL(void) {
  char engine[IAL_ENGINE_NAME_LEN + 1];
  char mdev[IAL_MDEV_LEN + 1];
  char mtype[IAL_ENGINE_NAME_LEN + 1];
  if (GetGuiEtcValue("system", "ial_engine", engine, sizeof engine) != ETC_OK ||
      GetGuiEtcValue("system", "mdev", mdev, sizeof mdev) != ETC_OK ||
      GetGuiEtcValue("system", "mtype", mtype, sizeof mtype) != ETC_OK)
    return kMissingKey;
  // The keys must be there, but this build always takes input from the
  // host window.
  const char* host = g_engines[0].name;
  if (std::strcmp(engine, host) != 0)
    WarnOfFallback("configuration file \"%s\" has [system] ial_engine=%s; the \"%s\" engine is used instead",
                   ShownPath(ETCFILEPATH).c_str(), engine, host);
  return StartIalEngine(host, "/dev/mouse", "imps2");
}

// The event thread goes back to its idle engine: the ended engine's wait
// has nothing left to wait on.
void TermIAL(void) {
  RemoveLowLevelEventEngine();
  IalEngine* engine = g_current.load();
  if (engine && engine->term_input) engine->term_input();
}

}  // extern "C"
