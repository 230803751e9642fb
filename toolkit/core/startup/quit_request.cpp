// An orderly quit of the program: a signal or a call wakes RunUntilQuit.
// The signal handler only posts a semaphore, which is async-signal-safe.
#include <pthread.h>
#include <semaphore.h>
#include <signal.h>

#include <cerrno>

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

void SetQuitHandlers(struct sigaction* oldTerm, struct sigaction* oldInt) {
  g_handlerSemaphore = QuitSemaphore();
  struct sigaction action = {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, oldTerm);
  sigaction(SIGINT, &action, oldInt);
}

}  // namespace

extern "C" {

void InstallQuitSignals(void) { SetQuitHandlers(nullptr, nullptr); }

void RequestQuit(void) { sem_post(QuitSemaphore()); }

void RunUntilQuit(void) {
  struct sigaction oldTerm = {}, oldInt = {};
  SetQuitHandlers(&oldTerm, &oldInt);
  while (sem_wait(QuitSemaphore()) != 0 && errno == EINTR) {
  }
  sigaction(SIGTERM, &oldTerm, nullptr);
  sigaction(SIGINT, &oldInt, nullptr);
}

}  // extern "C"
