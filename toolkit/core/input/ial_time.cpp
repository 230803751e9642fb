// Local time of day for the timer thread, kept with the "Win" engine.
#include <ctime>

#include "gui/input.h"

extern "C" int GetTimeOfDayLocal(struct timeval* now) {
  if (!now) return 0;
  timespec real{};
  clock_gettime(CLOCK_REALTIME, &real);
  tm local{};
  localtime_r(&real.tv_sec, &local);
  local.tm_isdst = -1;  // let the library decide
  now->tv_sec = mktime(&local);
  now->tv_usec = static_cast<suseconds_t>(real.tv_nsec / 1000000 * 1000);
  return 0;
}
