// Changing the active page: activation, the forward and backward steps of
// the scrollable layout, and clicks on tabs and arrows.
#include "controls/propsheet/propsheet_internal.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/propsheet.h"
#include "gui/window_attr.h"

namespace propsheet {
namespace {

bool Enabled(const Sheet* s, int i) { return s->Valid(i) && !s->pages[i]->disabled; }

int NextEnabled(const Sheet* s, int from) {
  for (int i = from + 1; i < s->Count(); ++i)
    if (Enabled(s, i)) return i;
  return -1;
}

int FirstEnabled(const Sheet* s) { return NextEnabled(s, -1); }

int PrevEnabled(const Sheet* s, int from) {
  for (int i = from - 1; i >= 0; --i)
    if (Enabled(s, i)) return i;
  return -1;
}

void NotifyActive(WindowHandle hwnd) { NotifyParentEx(hwnd, PSN_ACTIVE_CHANGED, 0); }

void HideActive(Sheet* s) {
  if (s->Valid(s->active)) ShowPage(*s->pages[s->active], false);
}

// The page after the active one becomes active and shown; the parent
// hears of it.
void MoveTo(WindowHandle hwnd, Sheet* s, int index, bool recalcVisible) {
  HideActive(s);
  s->active = index;
  if (recalcVisible) RecalcFirstVisible(s);
  NotifyActive(hwnd);
  if (s->Valid(index)) ShowPage(*s->pages[index], true);
  InvalidateRect(hwnd, nullptr, TRUE);
}

int g_switchRequest = 0;

}  // namespace

void ShowPage(const Page& page, bool show) {
  ShowWindow(page.hwnd, show ? SW_SHOW : SW_HIDE);
  if (!show) return;
  WindowHandle first = GetNextDlgGroupItem(page.hwnd, 0, FALSE);
  if (IsValidHandle(first)) SetFocusChild(first);
}

void Activate(WindowHandle hwnd, Sheet* s, int index) { MoveTo(hwnd, s, index, true); }

void RequestSwitch() { g_switchRequest = 1; }

void ForwardStep(WindowHandle hwnd, Sheet* s, bool wrap) {
  if (!s->Valid(s->active)) return;
  if (s->active == s->Count() - 1 && !g_switchRequest) return;
  g_switchRequest = 0;
  int next = NextEnabled(s, s->active);
  if (next < 0) next = wrap ? FirstEnabled(s) : s->active;
  if (next < 0) return;
  MoveTo(hwnd, s, next, true);
}

void BackwardStep(WindowHandle hwnd, Sheet* s) {
  if (s->active <= 0) return;
  const int prev = PrevEnabled(s, s->active);
  MoveTo(hwnd, s, prev < 0 ? s->active : prev, true);
}

int NextEnabledWrapping(const Sheet* s) {
  for (int k = 1; k < s->Count(); ++k) {
    const int i = (s->active + k) % s->Count();
    if (Enabled(s, i)) return i;
  }
  return -1;
}

int NearestEnabledBefore(const Sheet* s, int index) { return PrevEnabled(s, index); }

int TabsLeft(const Sheet* s) {
  int x0 = Skinned() ? 0 : s->overflow ? s->headLeft : s->headRight - s->tabSum;
  if (s->scrollable && s->overflow) x0 += SbWidth();
  return x0;
}

int FirstShownTab(const Sheet* s) { return s->scrollable && s->firstVisible > 0 ? s->firstVisible : 0; }

bool TabSpan(const Sheet* s, int index, int* left, int* right) {
  if (!s->Valid(index) || index < FirstShownTab(s)) return false;
  int x0 = TabsLeft(s);
  for (int i = FirstShownTab(s); i < index; ++i) x0 += s->pages[i]->width;
  *left = x0;
  *right = x0 + s->pages[index]->width;
  return true;
}

void Click(WindowHandle hwnd, Sheet* s, int x, int y) {
  if (y < s->headTop || y >= s->headBottom || s->pages.empty()) return;
  int x0 = TabsLeft(s);
  if (!s->scrollable) {
    for (int i = 0; i < s->Count(); ++i) {
      const int right = x0 + s->pages[i]->width;
      if (x >= x0 && x < right && i != s->active) {
        if (!s->pages[i]->disabled) Activate(hwnd, s, i);
        return;
      }
      x0 = right;
    }
    return;
  }
  const int sb = SbWidth();
  if (s->overflow) {
    const int arrowLeft = Skinned() ? 0 : s->headLeft;
    if (x >= arrowLeft && x < arrowLeft + sb) return BackwardStep(hwnd, s);
    if (x >= s->headRight - sb && x < s->headRight) return ForwardStep(hwnd, s, false);
  }
  for (int i = FirstShownTab(s); i < s->Count(); ++i) {
    const int right = x0 + s->pages[i]->width;
    if (x >= x0 && x < right) {
      if (right > s->headRight - 2 * sb && i > s->active) {
        // A tab partly under the arrows is reached step by step.
        for (int k = s->active; k < i; ++k) ForwardStep(hwnd, s, false);
        if (s->Valid(s->active)) ShowPage(*s->pages[s->active], true);
      } else if (i != s->active && !s->pages[i]->disabled) {
        Activate(hwnd, s, i);
      }
      return;
    }
    x0 = right;
  }
}

}  // namespace propsheet
