// The message box as the user meets it: its picture over the desktop,
// compared pixel for pixel with a reference image, and the box driven by
// key presses and a click fed to the host window.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>
#include <linux/input-event-codes.h>

#include "core/input/tests/key_tap.h"
#include "core/nonclient/tests/screen_picture.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/dialog.h"
#include "gui/gui_etc.h"
#include "gui/host.h"
#include "gui/nonclient.h"
#include "gui/paint.h"
#include "gui/window_attr.h"

namespace {

constexpr int kAct = 0x9001;
constexpr int kLinuxTab = 15, kLinuxEnter = 28;

guitest::Picture g_shot;

LResult HelperProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == kAct) {
    desktest::Drain();  // the box paints itself first
    WindowHandle box = GetActiveWindow();
    Rect r{};
    GetWindowRect(box, &r);
    g_shot = guitest::Grab(Rect{r.left - 8, r.top - 8, r.right + 8, r.bottom + 8});
    SendMessage(box, MSG_KEYDOWN, 1, 0);  // Escape
    return 0;
  }
  return DefaultWindowProc(hwnd, msg, wParam, lParam);
}

class BoxOnScreen : public guitest::StartedGui {
 protected:
  // A hidden window of the test thread, so the box's loop has a window to
  // run the test's steps through.
  WindowHandle Helper(WindowProc proc = HelperProc) {
    MainWinCreate create = MainWindowCreation({0, 0, 10, 10}, proc, "helper", 0);
    WindowHandle hwnd = CreateMainWindow(&create);
    windows_.push_back(hwnd);
    return hwnd;
  }
};

TEST_F(BoxOnScreen, PictureOverTheDesktopMatchesTheReference) {
  WindowHandle helper = Helper();
  PostMessage(helper, kAct, 0, 0);
  EXPECT_EQ(MessageBox(0, "The recorder will restart now.\nContinue?", "Restart", MB_YESNO | MB_ICONQUESTION), IDNO);
  guitest::MatchReference(g_shot, guitest::ReferencePath(__FILE__, "message_box.png"));
}

// Keys and a click travel the whole road: host window, event thread,
// desktop, the box and its buttons.
TEST_F(BoxOnScreen, KeysAndClicksFedToTheHostWindowAnswerTheBox) {
  std::atomic<bool> done{false};
  auto feed = [&done](bool click) {
    const WindowHandle box = desktest::AwaitMessageBox();
    if (click) {
      WindowHandle ok = GetDlgItem(box, IDOK);
      int x = 10, y = 10;
      WindowToScreen(ok, &x, &y);
      HostInjectMouseMove(x, y);
      HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
      // A hand's click lasts long enough for the button to take the mouse.
      for (int i = 0; i < 200 && GetCapture() != ok; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
      HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    } else {
      inputtest::TapKey(kLinuxTab);
      inputtest::TapKey(kLinuxEnter);
    }
    // A road that is broken must fail the test, not hang it.
    for (int i = 0; i < 1000 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!done) SendNotifyMessage(GetActiveWindow(), MSG_CLOSE, 0, 0);
  };
  std::thread keys(feed, false);
  EXPECT_EQ(MessageBox(0, "Save the changes?", "Settings", MB_YESNO), IDNO);  // Tab moved from Yes to No
  done = true;
  keys.join();
  done = false;
  std::thread click(feed, true);
  EXPECT_EQ(MessageBox(0, "Saved.", "Settings", MB_OKCANCEL), IDOK);
  done = true;
  click.join();
}

// Letter keys typed on the host keyboard press the buttons by the first
// letter of the caption the box shows: in German "Ja" by j and not by y;
// Chinese captions start with no Latin letter and keep the English ones.
TEST_F(BoxOnScreen, LetterKeysFollowTheShownLanguagesButtonTexts) {
  constexpr const char* kEnglish = "1";
  const struct {
    const char* language;
    uint32_t type;
    std::vector<int> keys;
    int result;
  } cases[] = {
      {"33", MB_YESNO, {KEY_Y, KEY_N}, IDNO},  // "Ja", "Nein"
      {"33", MB_YESNO, {KEY_J}, IDYES},
      {"33", MB_ABORTRETRYIGNORE, {KEY_R, KEY_I}, IDIGNORE},  // "Abbruch", "Wiederholen", "Ignorieren"
      {"33", MB_RETRYCANCEL, {KEY_W}, IDRETRY},
      {"2", MB_YESNO, {KEY_Y}, IDYES},
      {kEnglish, MB_ABORTRETRYIGNORE, {KEY_W, KEY_R}, IDRETRY},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(SetValueToGuiEtc("menuinfo", "language", c.language), 0);
    SetLangSwitchState(0);
    std::atomic<bool> done{false};
    std::thread keys([&] {
      desktest::AwaitMessageBox();
      for (int key : c.keys) {
        inputtest::TapKey(key);
      }
      // A key that ends nothing must fail the case, not hang the test.
      for (int i = 0; i < 1000 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      if (!done) SendNotifyMessage(GetActiveWindow(), MSG_CLOSE, 0, 0);
    });
    EXPECT_EQ(MessageBox(0, "Text of the box", "Title", c.type), c.result) << c.language << ", type " << c.type;
    done = true;
    keys.join();
  }
  ASSERT_EQ(SetValueToGuiEtc("menuinfo", "language", kEnglish), 0);
  SetLangSwitchState(0);
}

// What the dialog below received, read on the test thread while it keeps
// dispatching; true once the message came.
bool AwaitMessage(WindowHandle hwnd, int message, WParam wParam) {
  for (int i = 0; i < 500; ++i) {
    desktest::Drain();
    for (const SeenMessage& m : guitest::Log::Instance().Take())
      if (m.hwnd == hwnd && m.message == message && m.wParam == wParam) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

LResult LoggedDialogProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  guitest::Log::Instance().Add({hwnd, msg, wParam, lParam});
  return DefaultDialogProc(hwnd, msg, wParam, lParam);
}

void Click(int x, int y) {
  HostInjectMouseMove(x, y);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
}

// A dialog at (300, 200)-(600, 400) with caption, border and a vertical
// bar: its down arrow scrolls, its close button asks it to close.
TEST_F(BoxOnScreen, ADialogWithCaptionFrameAndBarAnswersTheMouse) {
  CtrlData button{"button", WS_VISIBLE | WS_TABSTOP, 10, 10, 80, 26, IDOK, "OK", 0, 0};
  DlgTemplate tpl{WS_CAPTION | WS_BORDER | WS_VSCROLL, 0, 300, 200, 300, 200, "Dialog", 0, 0, 1, &button, 0};
  WindowHandle dlg = CreateMainWindowIndirectParam(&tpl, 0, LoggedDialogProc, 0);
  ASSERT_NE(dlg, GUI_INVALID_HANDLE);
  windows_.push_back(dlg);
  desktest::Drain();
  std::thread([] { Click(590, 390); }).join();  // bottom of the bar: the down arrow
  EXPECT_TRUE(AwaitMessage(dlg, MSG_VSCROLL, SB_LINEDOWN));
  std::thread([] { Click(585, 213); }).join();  // the close button in the caption
  EXPECT_TRUE(AwaitMessage(dlg, MSG_CLOSE, 0));
}

// A modal dialog whose init handler adds a button beside the template's
// one: repainting the whole dialog from inside its loop must bring both
// buttons back, captions included, not leave their erased faces.
guitest::Picture g_first, g_repainted;
int g_left = 0, g_row = 0;  // the template button's left and its caption's row in the picture

LResult RepaintOnce(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg != kAct) return DefaultWindowProc(hwnd, msg, wParam, lParam);
  desktest::Drain();
  WindowHandle dlg = GetActiveWindow();
  Rect r{};
  GetWindowRect(dlg, &r);
  g_left = 10, g_row = 60 + 13;
  ClientToScreen(dlg, &g_left, &g_row);
  g_left -= r.left, g_row -= r.top;
  g_first = guitest::Grab(r);
  UpdateWindow(dlg, TRUE);
  desktest::Drain();
  g_repainted = guitest::Grab(r);
  SendMessage(dlg, MSG_COMMAND, IDCANCEL, 0);
  return 0;
}

LResult AddsAButton(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_INITDIALOG)
    CreateWindowEx("button", "Cancel", WS_CHILD | WS_VISIBLE, 0, IDCANCEL, 110, 60, 80, 26, hwnd, 0);
  return DefaultDialogProc(hwnd, msg, wParam, lParam);
}

// Pixels of the face's own colour in a row through the caption's middle:
// a face without its caption is all of one colour.
int OtherThanFace(const guitest::Picture& p, int left, int right, int y) {
  const uint8_t* face = &p.rgb[3 * (y * p.width + left + 4)];
  int other = 0;
  for (int x = left + 4; x < right - 4; ++x)
    other += !std::equal(face, face + 3, &p.rgb[3 * (y * p.width + x)]);
  return other;
}

TEST_F(BoxOnScreen, RepaintingAModalDialogRepaintsItsButtons) {
  CtrlData button{"button", WS_VISIBLE | WS_TABSTOP, 10, 60, 80, 26, IDOK, "OK", 0, 0};
  DlgTemplate tpl{WS_CAPTION | WS_BORDER, 0, 300, 200, 220, 140, "Dialog", 0, 0, 1, &button, 0};
  WindowHandle helper = Helper(RepaintOnce);
  PostMessage(helper, kAct, 0, 0);
  DialogBoxIndirectParam(&tpl, helper, AddsAButton, 0);
  ASSERT_EQ(g_repainted.width, 220);
  EXPECT_TRUE(g_repainted.rgb == g_first.rgb);
  EXPECT_GT(OtherThanFace(g_repainted, g_left, g_left + 80, g_row), 0);
  EXPECT_GT(OtherThanFace(g_repainted, g_left + 100, g_left + 180, g_row), 0);
}

}  // namespace
