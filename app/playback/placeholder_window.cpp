// The modal placeholder window of the playback stand-ins: titled with a
// language text, registered while open and closed by message 102 or Escape.
#include "app/page_keys.h"
#include "app/playback/placeholder_window.h"

#include "app/app_registry.h"
#include "app/msgbox.h"
#include "gui/app_hooks.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kWidth = 360, kHeight = 160;

struct OpenPage {
  const PlaceholderPage* page;
  int output;
};

LResult placeholderProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  auto* open = reinterpret_cast<OpenPage*>(GetWindowAdditionalData(hwnd));
  switch (message) {
    case MSG_INITDIALOG:
      open = reinterpret_cast<OpenPage*>(lParam);
      SetWindowAdditionalData(hwnd, lParam);
      if (open->page->registerWnd) open->page->registerWnd(hwnd);
      if (open->page->state >= 0) setOutputState(open->output, open->page->state);
      return 1;
    case MSG_KEYDOWN:
      if (wParam == PAGE_KEY_ESCAPE) SendMessage(hwnd, MSG_CLOSE, 0, 0);
      return 0;
    case MSG_CLOSE:
      if (open) {
        if (open->page->registerWnd) open->page->registerWnd(GUI_INVALID_HANDLE);
        if (open->page->state >= 0) setOutputState(open->output, OUTSTATE_LIVEVIEW);
      }
      EndDialog(hwnd, 0);
      return 0;
    default:
      return DefaultDialogProc(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int runPlaceholderPage(WindowHandle owner, const PlaceholderPage& page) {
  OpenPage open{&page, page.output < 0 ? getCurOutput() : page.output};
  const char* caption = lookupText(page.section, page.key);
  DlgTemplate tmpl{};
  tmpl.dwStyle = WS_CAPTION | WS_CAPTION_EXTRA | WS_VISIBLE | WS_BORDER;
  tmpl.w = kWidth;
  tmpl.h = kHeight;
  tmpl.x = (getScreenWidth(open.output) - kWidth) / 2;
  tmpl.y = (getScreenHeight(open.output) - kHeight) / 2;
  tmpl.caption = caption ? caption : "";
  const auto result = DialogBoxIndirectParam(&tmpl, owner, placeholderProc, reinterpret_cast<LParam>(&open));
  if (page.afterClose) page.afterClose();
  return static_cast<int>(result);
}
