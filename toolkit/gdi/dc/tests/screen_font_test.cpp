#include <cstring>

#include "gdi/dc/tests/dc_fixture.h"
#include "gui/font.h"

namespace {

class ScreenFont : public dctest::ScreenTest {};
GUI_DC_ALL_DEPTHS(ScreenFont);

// A language change replaces the system fonts; the screen DC must follow
// them instead of drawing in a font of the old language.
TEST_P(ScreenFont, ResetFollowsTheFirstSystemFont) {
  LogFont* saved[SYS_LOGFONT_SLOTS];
  std::memcpy(saved, g_SysLogFont, sizeof saved);
  LogFont oldFirst{}, newFirst{};
  std::strcpy(oldFirst.family, "old");
  std::strcpy(newFirst.family, "new");
  oldFirst.size = newFirst.size = 16;

  SelectFont(HDC_SCREEN, &oldFirst);
  g_SysLogFont[0] = &newFirst;
  ResetScreenDCFont();
  EXPECT_EQ(GetCurFont(HDC_SCREEN), &newFirst);

  g_SysLogFont[0] = nullptr;  // no fonts yet: the screen keeps what it has
  ResetScreenDCFont();
  EXPECT_EQ(GetCurFont(HDC_SCREEN), &newFirst);
  std::memcpy(g_SysLogFont, saved, sizeof saved);
}

}  // namespace
