// An orderly quit of the program: a signal or a call wakes RunUntilQuit.
// The signal handler only posts a semaphore, which is async-signal-safe.
#include <pthread.h>
#include <semaphore.h>
#include <signal.h>

#include <cerrno>
#include <cstddef>

#include "gui/startup.h"

namespace {

sem_t g_quitRequested;
pthread_once_t g_quitSemaphoreMade = PTHREAD_ONCE_INIT;

void MakeQuitSemaphore() { sem_init(&g_quitRequested, 0, 0); }

// Made on first use with the C library alone: the program may install the
// handlers before any constructor has run.
sem_t* QuitSemaphore() {
  pthread_once(&g_quitSemaphoreMade, MakeQuitSemaphore);
  return &g_quitRequested;
}

sem_t* g_handlerSemaphore = nullptr;

void OnQuitSignal(int) { sem_post(g_handlerSemaphore); }

constexpr int kQuitSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr size_t kQuitSignalCount = sizeof kQuitSignals / sizeof kQuitSignals[0];

// `old` null, or room for the handlers replaced, one per quit signal.
void SetQuitHandlers(struct sigaction* old) {
  g_handlerSemaphore = QuitSemaphore();
  struct sigaction action = {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  for (size_t i = 0; i < kQuitSignalCount; ++i) sigaction(kQuitSignals[i], &action, old ? &old[i] : nullptr);
}

}  // namespace

extern "C" {

void InstallQuitSignals(void) { SetQuitHandlers(nullptr); }

void RequestQuit(void) { sem_post(QuitSemaphore()); }

void RunUntilQuit(void) {
  struct sigaction old[kQuitSignalCount] = {};
  SetQuitHandlers(old);
  while (sem_wait(QuitSemaphore()) != 0 && errno == EINTR) {
  }
  for (size_t i = 0; i < kQuitSignalCount; ++i) sigaction(kQuitSignals[i], &old[i], nullptr);
}

}  // extern "C"
