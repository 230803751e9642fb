// After a language change the screen DC draws in the new first system font.
#include "gui/dc.h"
#include "gui/font.h"

extern "C" void ResetScreenDCFont(void) {
  if (g_SysLogFont[0]) SelectFont(HDC_SCREEN, g_SysLogFont[0]);
}
