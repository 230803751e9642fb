// A counting semaphore with the "post only when nobody has been woken yet"
// rule the queues use to avoid piling up wake-ups.
#pragma once

#include <semaphore.h>

#include <cerrno>

class Semaphore {
 public:
  explicit Semaphore(unsigned initial = 0) { sem_init(&sem_, 0, initial); }
  ~Semaphore() { sem_destroy(&sem_); }
  Semaphore(const Semaphore&) = delete;
  Semaphore& operator=(const Semaphore&) = delete;

  void Post() { sem_post(&sem_); }
  void Wait() {
    while (sem_wait(&sem_) != 0 && errno == EINTR) {
    }
  }
  int Value() {
    int value = 0;
    sem_getvalue(&sem_, &value);
    return value;
  }
  // Posts only when no earlier post is still pending.
  void Wake() {
    if (Value() <= 0) Post();
  }

 private:
  sem_t sem_;
};
