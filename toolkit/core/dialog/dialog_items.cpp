// Dialog items: lookup by id, tab and group order, texts and numbers,
// check buttons.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/dialog/dialog_internal.h"
#include "core/window/window_internal.h"
#include "core/window/window_record.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kNumberText = 100;

bool Usable(const ChildView& c) { return (c.style & WS_VISIBLE) && !(c.style & WS_DISABLED); }

const ChildView* FindItem(const std::vector<ChildView>& children, int id) {
  for (const ChildView& c : children)
    if (c.id == id) return &c;
  return nullptr;
}

// Candidates in child order, starting after (or, going back, before) the
// current control and wrapping round; the current one is not a candidate.
// The test of a candidate may message it, so it runs on the snapshot.
WindowHandle Walk(WindowHandle hDlg, WindowHandle current, bool previous, bool (*accept)(const ChildView&)) {
  ChildWalk walk;
  const std::vector<ChildView> children = DialogChildren(walk, hDlg);
  if (children.empty()) return current;
  const int n = static_cast<int>(children.size());
  int start = previous ? n - 1 : 0;
  int count = n;
  for (int i = 0; i < n; ++i)
    if (HandleOf(children[i].record) == current) {
      start = previous ? i - 1 : i + 1;
      count = n - 1;
    }
  for (int k = 0; k < count; ++k) {
    int i = ((previous ? start - k : start + k) % n + n) % n;
    if (accept(children[i])) return HandleOf(children[i].record);
  }
  return current;
}

bool TabCandidate(const ChildView& c) { return (c.style & WS_TABSTOP) && Usable(c); }

// A control that has gone since the snapshot is no candidate.
bool GroupCandidate(const ChildView& c) {
  if (!Usable(c)) return false;
  const LResult code = SendMessage(HandleOf(c.record), MSG_GETDLGCODE, 0, 0);
  return code >= 0 && !(code & DLGC_STATIC);
}

}  // namespace

std::vector<ChildView> DialogChildren(const ChildWalk& walk, WindowHandle hDlg) {
  WindowRecord* dlg = ValidWindow(hDlg);
  return dlg ? walk.Children(dlg) : std::vector<ChildView>{};
}

// A failed send answers a negative error, which would read as every code.
bool HasDialogCode(WindowHandle control, LResult bits) {
  const LResult code = SendMessage(control, MSG_GETDLGCODE, 0, 0);
  return code >= 0 && (code & bits) != 0;
}

bool ItemUsable(WindowHandle hDlg, int id) {
  ChildWalk walk;
  const std::vector<ChildView> children = DialogChildren(walk, hDlg);
  const ChildView* item = FindItem(children, id);
  return item && Usable(*item);
}

extern "C" {

WindowHandle GetDlgItem(WindowHandle hDlg, int id) {
  ChildWalk walk;
  const std::vector<ChildView> children = DialogChildren(walk, hDlg);
  const ChildView* item = FindItem(children, id);
  return item ? HandleOf(item->record) : 0;
}

int GetDlgCtrlID(WindowHandle hwnd) {
  WindowRecord* win = ValidWindow(hwnd);
  return win ? win->id : -1;
}

int GetDlgDefPushButton(WindowHandle hDlg) {
  ChildWalk walk;
  for (const ChildView& c : DialogChildren(walk, hDlg))
    if (HasDialogCode(HandleOf(c.record), DLGC_DEFPUSHBUTTON)) return c.id;
  return 0;
}

WindowHandle GetNextDlgTabItem(WindowHandle hDlg, WindowHandle current, BOOL previous) {
  return Walk(hDlg, current, previous != 0, TabCandidate);
}

WindowHandle GetNextDlgGroupItem(WindowHandle hDlg, WindowHandle current, BOOL previous) {
  return Walk(hDlg, current, previous != 0, GroupCandidate);
}

LResult SendDlgItemMessage(WindowHandle hDlg, int id, int message, WParam wParam, LParam lParam) {
  WindowHandle item = GetDlgItem(hDlg, id);
  return item ? SendMessage(item, message, wParam, lParam) : -1;
}

unsigned GetDlgItemInt(WindowHandle hDlg, int id, BOOL* translated, BOOL isSigned) {
  char text[kNumberText + 1] = {0};
  WindowHandle item = GetDlgItem(hDlg, id);
  if (translated) *translated = FALSE;
  if (!item || SendMessage(item, MSG_GETTEXT, kNumberText, reinterpret_cast<LParam>(text)) <= 0 || !text[0]) return 0;
  if (translated) *translated = TRUE;
  if (isSigned) return static_cast<unsigned>(std::strtol(text, nullptr, 0));
  return static_cast<unsigned>(std::strtoul(text, nullptr, 0));
}

BOOL SetDlgItemInt(WindowHandle hDlg, int id, unsigned value, BOOL isSigned) {
  char text[kNumberText];
  if (isSigned)
    std::snprintf(text, sizeof text, "%ld", static_cast<long>(static_cast<int>(value)));
  else
    std::snprintf(text, sizeof text, "%u", value);
  return SetDlgItemText(hDlg, id, text);
}

int GetDlgItemText(WindowHandle hDlg, int id, char* buffer, int size) {
  return static_cast<int>(SendDlgItemMessage(hDlg, id, MSG_GETTEXT, static_cast<WParam>(size),
                                             reinterpret_cast<LParam>(buffer)));
}

char* GetDlgItemText2(WindowHandle hDlg, int id, int* length) {
  WindowHandle item = GetDlgItem(hDlg, id);
  if (!item) return nullptr;
  LResult len = SendMessage(item, MSG_GETTEXTLENGTH, 0, 0);
  if (len < 0) return nullptr;
  char* text = static_cast<char*>(std::calloc(static_cast<size_t>(len) + 1, 1));
  if (!text) return nullptr;
  SendMessage(item, MSG_GETTEXT, static_cast<WParam>(len + 1), reinterpret_cast<LParam>(text));
  if (length) *length = static_cast<int>(len);
  return text;
}

BOOL SetDlgItemText(WindowHandle hDlg, int id, const char* text) {
  return SendDlgItemMessage(hDlg, id, MSG_SETTEXT, 0, reinterpret_cast<LParam>(text)) == 0;
}

void CheckDlgButton(WindowHandle hDlg, int id, int state) {
  WindowHandle item = GetDlgItem(hDlg, id);
  if (!item) return;
  const LResult code = SendMessage(item, MSG_GETDLGCODE, 0, 0);
  if (code < 0) return;  // gone meanwhile
  if (code & DLGC_BUTTON)
    SendMessage(item, BM_SETCHECK, state != 0, 0);
  else if (code & DLGC_3STATE)
    SendMessage(item, BM_SETCHECK, static_cast<WParam>(state), 0);
}

void CheckRadioButton(WindowHandle hDlg, int, int, int id) { SendDlgItemMessage(hDlg, id, BM_SETCHECK, 1, 0); }

int IsDlgButtonChecked(WindowHandle hDlg, int id) {
  return static_cast<int>(SendDlgItemMessage(hDlg, id, BM_GETCHECK, 0, 0));
}

BOOL DestroyAllControls(WindowHandle hwnd) {
  RemovalBatch batch;  // one request to the desktop for all of them
  ChildWalk walk;
  for (const ChildView& c : DialogChildren(walk, hwnd)) DestroyWindow(HandleOf(c.record));
  return TRUE;
}

}  // extern "C"
