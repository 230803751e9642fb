// The paging bar of the result lists and the state it pages through. The
// words are atomics: a page's thread writes them, its dialogs read them.
#include "app/result_paging.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include "app/format_text.h"
#include "app/msgbox.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/layout.h"
#include "gui/message.h"
#include "gui/static.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr const char* kSection = "searchresult";
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE;
constexpr uint32_t kTextStyle = WS_CHILD | WS_VISIBLE | SS_CENTER;
constexpr uint32_t kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;
constexpr int kNumberLimit = 16;

struct BarControl {
  const char* cls;
  const char* key;
  uint32_t style;
  int id;
};
constexpr BarControl kBar[] = {
    {"static", "page_text", kTextStyle, PAGING_TEXT},     {"button", "page_first", kButtonStyle, PAGING_FIRST},
    {"button", "page_prev", kButtonStyle, PAGING_PREV},   {"button", "page_next", kButtonStyle, PAGING_NEXT},
    {"button", "page_last", kButtonStyle, PAGING_LAST},   {"sledit", "page_number", kEditStyle, PAGING_NUMBER},
    {"button", "page_go", kButtonStyle, PAGING_GO},
};

std::atomic<int> g_page{1}, g_pageCount{1}, g_selected{0};

const CtrlResInfo* barRecord(const char* key) {
  CtrlResInfo* r = nullptr;
  return GetCtrlResInfo(kSection, key, &r) ? r : nullptr;
}

void enable(WindowHandle owner, int id, bool on) { EnableWindow(GetDlgItem(owner, id), on ? TRUE : FALSE); }

// The typed page number, or 0 for anything that is not a plain decimal.
int64_t typedPage(WindowHandle owner) {
  char text[kNumberLimit + 1] = {};
  GetDlgItemText(owner, PAGING_NUMBER, text, sizeof text);
  if (text[0] < '0' || text[0] > '9') return 0;
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(text, &end, 10);
  if (errno != 0 || !end || *end != '\0') return 0;
  return value;
}

bool goToPage(int64_t page) {
  if (page == g_page.load()) return false;
  g_page.store(static_cast<int>(page));
  return true;
}

}  // namespace

extern "C" {

int createPagingBar(WindowHandle owner, const Rect* area) {
  if (!area) return 0;
  int top = area->bottom;
  for (const BarControl& c : kBar) {
    const CtrlResInfo* r = barRecord(c.key);
    if (!r) continue;
    const int y = area->bottom - r->h;
    if (y < top) top = y;
    const WindowHandle hwnd = CreateWindowEx(c.cls, r->caption ? r->caption : "", c.style, 0, c.id,
                                             area->left + r->x, y, r->w, r->h, owner, 0);
    if (c.id == PAGING_NUMBER && IsValidHandle(hwnd)) SendMessage(hwnd, EM_LIMITTEXT, kNumberLimit, 0);
  }
  return top;
}

void setResultPage(int page) { g_page.store(page < 1 ? 1 : page); }
int getResultPage(void) { return g_page.load(); }
void setResultPageCount(int count) { g_pageCount.store(count < 1 ? 1 : count); }
int getResultPageCount(void) { return g_pageCount.load(); }

int resultPageCountFor(int count) {
  const int64_t pages = (static_cast<int64_t>(count) + RESULT_PAGE_ROWS - 1) / RESULT_PAGE_ROWS;
  return pages < 1 ? 1 : static_cast<int>(pages);
}

int firstResultOfPage(void) { return (g_page.load() - 1) * RESULT_PAGE_ROWS; }

void showResultPageText(WindowHandle owner, int total) {
  char text[128];
  formatChecked(text, sizeof text, lookupText(kSection, "page_format"), "ddd", g_page.load(), g_pageCount.load(),
                total < 0 ? 0 : total);
  SetDlgItemText(owner, PAGING_TEXT, text);
}

void updatePagingButtons(WindowHandle owner) {
  const int page = g_page.load(), count = g_pageCount.load();
  enable(owner, PAGING_FIRST, page > 1);
  enable(owner, PAGING_PREV, page > 1);
  enable(owner, PAGING_NEXT, page < count);
  enable(owner, PAGING_LAST, page < count);
}

int onPagingCommand(WindowHandle owner, int id, int code) {
  if (code != 0) return 0;
  const int page = g_page.load(), count = g_pageCount.load();
  switch (id) {
    case PAGING_FIRST: return goToPage(1) ? 1 : 0;
    case PAGING_PREV: return page > 1 && goToPage(page - 1) ? 1 : 0;
    case PAGING_NEXT: return page < count && goToPage(page + 1) ? 1 : 0;
    case PAGING_LAST: return goToPage(count) ? 1 : 0;
    case PAGING_GO: {
      const int64_t wanted = typedPage(owner);
      if (wanted == page) return 0;
      if (wanted < 1 || wanted > count) {
        showMsgBox(owner, kSection, "searchresult_err_page", MSGBOX_INFO);
        SetFocusChild(GetDlgItem(owner, PAGING_NUMBER));
        return -1;
      }
      return goToPage(wanted) ? 1 : 0;
    }
    default: return 0;
  }
}

void setSelectedResultRow(int row) { g_selected.store(row); }
int getSelectedResultRow(void) { return g_selected.load(); }

}  // extern "C"
