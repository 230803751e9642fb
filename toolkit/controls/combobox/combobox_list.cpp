// The list kinds' messages, mapped onto the list box's, and opening and
// closing the drop-down list.
#include <cstring>
#include <vector>

#include "controls/combobox/combobox_internal.h"
#include "gui/cursor.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/listbox.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/window_attr.h"

namespace combobox {

namespace {

LResult ToList(const ComboBoxData& d, int msg, WParam wParam, LParam lParam) {
  return d.list ? SendMessage(d.list, msg, wParam, lParam) : LB_ERR;
}

int AddMessage(int msg) {
  switch (msg) {
    case CB_ADDSTRING: return LB_ADDSTRING;
    case CB_ADDALL: return LB_ADDALL;
    case CB_ADDSTYLE2: return LB_ADDSTYLE2;
    case CB_ADDSTYLE3: return LB_ADDSTYLE3;
    case CB_ADDSTYLE4: return LB_ADDSTYLE4;
    case CB_ADDDISABLED: return LB_ADDDISABLED;
    default: return 0;
  }
}

// Messages that go to the list box under another number and come back as
// they are.
int PassedAs(int msg) {
  switch (msg) {
    case CB_GETCOUNT: return LB_GETCOUNT;
    case CB_GETLBTEXT: return LB_GETTEXT;
    case CB_GETLBTEXTLEN: return LB_GETTEXTLEN;
    case CB_FINDSTRING: return LB_FINDSTRING;
    case CB_GETITEMDATA: return LB_GETITEMDATA;
    case CB_SETITEMDATA: return LB_SETITEMDATA;
    case CB_SETITEMHEIGHT: return LB_SETITEMHEIGHT;
    case CB_GETITEMHEIGHT: return LB_GETITEMHEIGHT;
    case CB_FINDSTRINGEXACT: return LB_FINDSTRINGEXACT;
    case CB_SETSTRCMPFUNC: return LB_SETSTRCMPFUNC;
    default: return 0;
  }
}

int EditMessage(int msg) {
  switch (msg) {
    case MSG_GETTEXTLENGTH: case MSG_GETTEXT: case MSG_SETTEXT: return msg;
    case CB_GETEDITSEL: return EM_GETSELTEXT;
    case CB_LIMITTEXT: return EM_LIMITTEXT;
    case CB_SETEDITSEL: return EM_SETSEL;
    default: return 0;
  }
}

LResult Added(WindowHandle hwnd, ComboBoxData& d, LResult answer, const char* text) {
  const bool wasEmpty = d.count == 0;
  if (answer >= 0) ++d.count;
  if (Kind(hwnd) == CBS_DROPDOWNLIST) {
    if (wasEmpty && answer < 0) d.count = 0;
    RelayoutList(hwnd, d, text, wasEmpty);
  }
  return answer;
}

const char* AddedText(WindowHandle list, LParam lParam) {
  const uint32_t style = list ? GetWindowStyle(list) : 0;
  if (style & (LBS_CHECKBOX | LBS_USEICON))
    return lParam ? reinterpret_cast<const ListBoxItemInfo*>(lParam)->string : nullptr;
  return reinterpret_cast<const char*>(lParam);
}

LResult DeleteAt(WindowHandle hwnd, ComboBoxData& d, int index) {
  const LResult answer = ToList(d, LB_DELETESTRING, static_cast<WParam>(index), 0);
  if (answer != 0) return answer;
  --d.count;
  if (d.count > 0) SetCurrent(hwnd, d, index < d.count ? index : d.count - 1);
  if (d.count == 0) ShrinkList(hwnd, d);
  return answer;
}

LResult SelectByText(ComboBoxData& d, LParam lParam) {
  // The list box finds texts with 0xF18F.
  const LResult index = ToList(d, LB_FINDSTRING, 0, lParam);
  if (index < 0) return LB_ERR;
  std::vector<char> text(static_cast<size_t>(ToList(d, LB_GETTEXTLEN, static_cast<WParam>(index), 0)) + 1);
  if (text.size() <= 1) return LB_ERR;
  ToList(d, LB_GETTEXT, static_cast<WParam>(index), reinterpret_cast<LParam>(text.data()));
  SetEditText(d, text.data());
  return index;
}

LResult SelectValue(ComboBoxData& d, WParam wParam) {
  const LResult answer = ToList(d, LB_SELECTVALUE, wParam, 0);
  if (answer == LB_ERR_DISABLED) {
    SetEditText(d, "");
    return LB_ERR_DISABLED;
  }
  CopyCurrentToEdit(d);
  return answer;
}

}  // namespace

void CopyCurrentToEdit(const ComboBoxData& d) {
  if (!d.list) return;
  LResult index = SendMessage(d.list, LB_GETCURSEL, 0, 0);
  if (index < 0) index = SendMessage(d.list, LB_GETCARETINDEX, 0, 0);
  const LResult len = index < 0 ? -1 : SendMessage(d.list, LB_GETTEXTLEN, static_cast<WParam>(index), 0);
  if (len < 0) return;
  std::vector<char> text(static_cast<size_t>(len) + 1);  // a copy: the item may change under the edit
  SendMessage(d.list, LB_GETTEXT, static_cast<WParam>(index), reinterpret_cast<LParam>(text.data()));
  SetEditText(d, text.data());
}

LResult SetCurrent(WindowHandle hwnd, ComboBoxData& d, int index) {
  if (!d.list || index < 0 || index >= SendMessage(d.list, LB_GETCOUNT, 0, 0)) {
    SetEditText(d, "");
    return LB_ERR;
  }
  if (SendMessage(d.list, LB_SETCURSEL, static_cast<WParam>(index), 0) == LB_ERR_DISABLED) return LB_ERR_DISABLED;
  std::vector<char> text(static_cast<size_t>(SendMessage(d.list, LB_GETTEXTLEN, static_cast<WParam>(index), 0)) + 1);
  SendMessage(d.list, LB_GETTEXT, static_cast<WParam>(index), reinterpret_cast<LParam>(text.data()));
  SetEditText(d, text.data());
  return text.size() > 1 ? 0 : LB_ERR;
}

int MatchEditText(ComboBoxData& d) {
  if (!d.list) return -1;
  char text[kMatchMax + 1];
  EditText(d, text, sizeof text);
  const auto matches = [&](int i) {
    const LResult len = SendMessage(d.list, LB_GETTEXTLEN, static_cast<WParam>(i), 0);
    if (len < 0) return false;
    std::vector<char> item(static_cast<size_t>(len) + 1);
    SendMessage(d.list, LB_GETTEXT, static_cast<WParam>(i), reinterpret_cast<LParam>(item.data()));
    return std::strncmp(item.data(), text, kMatchMax) == 0;
  };
  // Items alike in text (rows of pictures alone) are told apart by the
  // current one: a choice among them stays the one made.
  const int current = static_cast<int>(SendMessage(d.list, LB_GETCURSEL, 0, 0));
  if (current >= 0 && matches(current)) return current;
  const int count = static_cast<int>(SendMessage(d.list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (matches(i)) {
      SendMessage(d.list, LB_SETCURSEL, static_cast<WParam>(i), 0);
      return i;
    }
  }
  return -1;
}

void OpenList(WindowHandle hwnd, ComboBoxData& d, bool choose) {
  if (!d.list) return;
  // The row is chosen (and scrolled into view) before the list shows: seen
  // open, it already stands where a click on it will land.
  if (choose) {
    char text[kTextMax + 1];
    EditText(d, text, sizeof text);
    const LResult found = text[0] ? SendMessage(d.list, LB_FINDSTRING, 0, reinterpret_cast<LParam>(text)) : -1;
    if (found >= 0) SendMessage(d.list, LB_SETCURSEL, static_cast<WParam>(found), 0);
  }
  d.openedAt = static_cast<int>(SendMessage(d.list, LB_GETCURSEL, 0, 0));
  // The keys walk on from the row shown, also where no text named it
  // (rows of pictures alone).
  if (d.openedAt >= 0) SendMessage(d.list, LB_SETCURSEL, static_cast<WParam>(d.openedAt), 0);
  ShowWindow(d.list, SW_SHOW);
  d.state |= kOpen;
  Notify(hwnd, CBN_DROPDOWN);
}

void CloseList(WindowHandle hwnd, ComboBoxData& d, int code) {
  if (d.list) ShowWindow(d.list, SW_HIDE);
  // Rows walked through are no choice: the box keeps the value it opened with.
  if (d.list && code == CBN_SELECTCANCEL && (d.state & kOpen))
    SendMessage(d.list, LB_SETCURSEL, static_cast<WParam>(d.openedAt), 0);
  d.state &= ~kOpen;
  // The pointer went to the list and may rest anywhere now: no move tells
  // the box, whose arrow would stay lit.
  Point at{};
  GetCursorPos(&at);
  ScreenToClient(hwnd, &at.x, &at.y);
  MarkArrow(hwnd, d, at.x, at.y);
  Rect box{};
  GetClientRect(hwnd, &box);
  if ((d.state & kPressed) && !Inside(box, at.x, at.y)) {
    d.state &= ~kPressed;
    InvalidateRect(hwnd, &d.first, TRUE);
  }
  SetDialogCode(kCodeNormal);  // a closed list no longer wants the dialog's keys
  Notify(hwnd, code);
  Notify(hwnd, CBN_CLOSEUP);
}

bool ListMessage(WindowHandle hwnd, ComboBoxData& d, int msg, WParam wParam, LParam lParam, LResult* answer) {
  if (const int editMsg = EditMessage(msg)) {
    *answer = d.edit ? SendMessage(d.edit, editMsg, wParam, lParam) : 0;
    return true;
  }
  if (const int add = AddMessage(msg)) {
    if (msg == CB_ADDALL && Kind(hwnd) == CBS_SPINLIST) Step(hwnd, d, CB_SPIN, wParam);
    *answer = Added(hwnd, d, ToList(d, add, wParam, lParam), AddedText(d.list, lParam));
    return true;
  }
  if (const int passed = PassedAs(msg)) {
    *answer = ToList(d, passed, wParam, lParam);
    return true;
  }
  switch (msg) {
    case CB_INSERTSTRING: {
      const LResult r = ToList(d, LB_INSERTSTRING, wParam, lParam);
      if (r >= 0) ++d.count;
      *answer = r;
      return true;
    }
    case CB_DELETESTRING: *answer = DeleteAt(hwnd, d, static_cast<int>(wParam)); return true;
    case CB_DELETECURRENT:
      ToList(d, LB_SELECTVALUE, wParam, 0);
      *answer = DeleteAt(hwnd, d, static_cast<int>(ToList(d, LB_GETCURSEL, 0, 0)));
      return true;
    case CB_DELETEALL:
      *answer = ToList(d, LB_RESETALL, 0, 0);
      if (*answer == 0) {
        d.count = 0;
        SetCurrent(hwnd, d, 0);
        ShrinkList(hwnd, d);
      }
      return true;
    case CB_RESETCONTENT:
      ToList(d, LB_RESETCONTENT, 0, 0);
      SetEditText(d, "");
      *answer = 0;
      return true;
    case CB_GETCURSEL: *answer = MatchEditText(d); return true;
    case CB_SELECTSTRING: *answer = SelectByText(d, lParam); return true;
    case CB_DIR: *answer = -1; return true;  // the list box has no directory listing
    case CB_SETCURSEL: *answer = SetCurrent(hwnd, d, static_cast<int>(wParam)); return true;
    case CB_GETSELVALUE:
      MatchEditText(d);
      *answer = ToList(d, LB_GETSELVALUE, wParam, lParam);
      return true;
    case CB_SELECTVALUE: *answer = SelectValue(d, wParam); return true;
    case CB_GETDROPPEDCONTROLRECT:
      if (d.listHeight < 0 || !lParam) {
        *answer = LB_ERR;
        return true;
      }
      *reinterpret_cast<Rect*>(lParam) = d.listRect;
      *answer = 0;
      return true;
    case CB_GETDROPPEDSTATE: {
      Point p{};
      GetCursorPos(&p);
      ScreenToClient(hwnd, &p.x, &p.y);
      *answer = (d.state & kOpen) && Inside(d.listRect, p.x, p.y) ? 1 : 0;
      return true;
    }
    default: return false;
  }
}

}  // namespace combobox
