// Threads made for main windows: joinable, so that WaitMainWindowClose can
// join them, and detached when their window is cleaned up unwaited.
#pragma once

#include <pthread.h>

// Detaches a thread made by CreateThreadForMainWindow unless someone waits
// for it; nothing for other threads.
void ForgetMainWindowThread(pthread_t thread);
