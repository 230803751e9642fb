// Arbitrary bytes as a cursor file, made current and moved when it loads.
#include "core/cursor/cursor_internal.h"
#include "gui/gui_etc.h"
#include "fuzz_setup.h"
#include "image_fuzz_screen.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ImageFuzzScreen();
  static const bool cursors = InitEtcFilePath() && InitCursors();
  RequireFuzzSetUp(cursors, "the cursors of the configuration file cannot be loaded");
  HCURSOR cursor = cursor::ParseCursorFile(data, size);
  if (!cursor) return 0;
  SetCursorEx(cursor, FALSE);
  SetCursorPos(47, 0);
  ShowCursor(FALSE);
  ShowCursor(TRUE);
  SetCursorEx(0, FALSE);
  cursor::FreeCursor(cursor);
  return 0;
}
