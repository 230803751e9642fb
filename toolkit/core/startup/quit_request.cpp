// An orderly quit of the program: a signal or a call wakes RunUntilQuit.
// The signal handler only posts a semaphore, which is async-signal-safe.
#include <semaphore.h>
#include <signal.h>

#include <cerrno>

#include "gui/startup.h"

namespace {

sem_t g_quitRequested;

struct QuitSemaphoreInit {
  QuitSemaphoreInit() { sem_init(&g_quitRequested, 0, 0); }
} g_quitSemaphoreInit;

void OnQuitSignal(int) { sem_post(&g_quitRequested); }

}  // namespace

extern "C" {

void RequestQuit(void) {
  sem_post(&g_quitRequested);
}

void RunUntilQuit(void) {
  struct sigaction action = {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  struct sigaction oldTerm = {}, oldInt = {};
  sigaction(SIGTERM, &action, &oldTerm);
  sigaction(SIGINT, &action, &oldInt);
  while (sem_wait(&g_quitRequested) != 0 && errno == EINTR) {
  }
  sigaction(SIGTERM, &oldTerm, nullptr);
  sigaction(SIGINT, &oldInt, nullptr);
}

}  // extern "C"
