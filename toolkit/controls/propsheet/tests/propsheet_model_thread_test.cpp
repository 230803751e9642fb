// The property sheet under random sequences of adds, removes, enables,
// activations, clicks and switch keys, checked after every step against a
// reference model of the active page, the first visible tab and the
// notifications the parent hears.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "controls/painters/tests/page_fixture.h"
#include "controls/propsheet/propsheet_internal.h"
#include "gui/button.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/propsheet.h"

namespace {

constexpr int kSheetId = 4101, kWidth = 300, kHeight = 200;

struct Model {
  bool scrollable = false;
  std::vector<bool> enabled;
  std::vector<int> widths;  // scrollable only, as the sheet measured them
  int active = -1, firstVisible = -1, notified = 0;
  bool switchRequest = false;

  int Count() const { return static_cast<int>(enabled.size()); }
  int NextEnabledAfter(int i) const {
    for (int k = i + 1; k < Count(); ++k)
      if (enabled[k]) return k;
    return -1;
  }
  int PrevEnabledBefore(int i) const {
    for (int k = i - 1; k >= 0; --k)
      if (enabled[k]) return k;
    return -1;
  }
  int OtherEnabledWrapping() const {
    for (int k = 1; k < Count(); ++k)
      if (enabled[(active + k) % Count()]) return (active + k) % Count();
    return -1;
  }
  void MakeActive(int i) {
    active = i;
    ++notified;
  }
  // The first visible tab: the widest run of tabs ending at the active one
  // that fits beside the arrows, moved forward only.
  void Visible(int limit) {
    if (!scrollable) return;
    if (Count() == 0) {
      firstVisible = -1;
      return;
    }
    int total = 0;
    for (int w : widths) total += w;
    if (firstVisible < 0 || firstVisible >= Count()) firstVisible = 0;
    if (total <= limit) {
      firstVisible = 0;
      return;
    }
    if (active < 0) return;
    if (active < firstVisible) firstVisible = active;
    auto run = [&] {
      int s = 0;
      for (int k = firstVisible; k <= active; ++k) s += widths[k];
      return s;
    };
    while (firstVisible < active && run() > limit) ++firstVisible;
  }
  void Forward(bool wrap) {
    if (active < 0 || (active == Count() - 1 && !switchRequest)) return;
    switchRequest = false;
    int next = NextEnabledAfter(active);
    if (next < 0) next = wrap ? NextEnabledAfter(-1) : active;
    if (next >= 0) MakeActive(next);
  }
};

class SheetModel : public pagetest::PageFixture, public ::testing::WithParamInterface<uint32_t> {
 protected:
  void SetUp() override {
    PageFixture::SetUp();
    sheet_ = CreateWindowEx("propsheet", "", GetParam() | WS_VISIBLE, 0, kSheetId, 10, 10, kWidth, kHeight, page_, 0);
    ASSERT_NE(sheet_, GUI_INVALID_HANDLE);
    model_.scrollable = (GetParam() & 0x0F) == PSS_SCROLLABLE;
    desktest::Drain();
    Commands();
  }
  void TearDown() override {
    DestroyWindow(sheet_);
    PageFixture::TearDown();
  }

  LResult Send(int msg, WParam w = 0, LParam l = 0) { return SendMessage(sheet_, msg, w, l); }
  propsheet::Sheet* Sheet() { return propsheet::SheetOf(sheet_); }
  int Limit() { return Sheet()->headRight - 2 * WinMainMetrics[WEM_SB_WIDTH] - Sheet()->headLeft; }

  int Notified() {
    int n = 0;
    for (WParam w : Commands())
      if ((w & 0xFFFF) == kSheetId && (w >> 16) == PSN_ACTIVE_CHANGED) ++n;
    return n;
  }

  LResult AddPage(int number) {
    static CtrlData control{"button", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 10, 100, 24, 7, "Option", 0, 0};
    const std::string title = "Page " + std::to_string(number);
    DlgTemplate tpl{0, 0, 0, 0, 0, 0, title.c_str(), 0, 0, 1, &control, 0};
    return Send(PSM_ADDPAGE, reinterpret_cast<WParam>(&tpl), reinterpret_cast<LParam>(DefaultPageProc));
  }

  void Click(int x) { Send(1, 0, (x & 0xFFFF) | (static_cast<LParam>(Sheet()->headTop + 5) << 16)); }

  // The equal layout's tab under x, as the layout rules place them.
  int EqualTabAt(int x) {
    const propsheet::Sheet* s = Sheet();
    const int n = model_.Count(), avail = s->headRight - s->headLeft;
    int w = avail * 8 / (n * 10);
    if (w < 10) w = avail / n;
    const int x0 = propsheet::Skinned() ? 0 : s->headRight - w * n;
    return x < x0 || x >= x0 + w * n ? -1 : (x - x0) / w;
  }

  void Step(std::mt19937& rng, int* added) {
    Model& m = model_;
    const int n = m.Count();
    const int op = static_cast<int>(rng() % 7);
    const int index = n ? static_cast<int>(rng() % (n + 1)) - (rng() % 4 == 0 ? 1 : 0) : 0;  // sometimes invalid
    const bool valid = index >= 0 && index < n;
    trace_ = "op " + std::to_string(op) + " index " + std::to_string(index) + " n " + std::to_string(n) + " active " + std::to_string(m.active);
    switch (op) {
      case 0: case 1: {  // add
        if (n >= 12) break;
        const LResult r = AddPage(++*added);
        ASSERT_EQ(r, n);
        m.enabled.push_back(true);
        m.widths.push_back(Sheet()->pages.back()->width);
        if (m.scrollable)
          m.active = n;
        else
          m.MakeActive(n);
        break;
      }
      case 2: {  // remove
        ASSERT_EQ(Send(PSM_REMOVEPAGE, static_cast<WParam>(index)), valid ? 0 : -1);
        if (!valid) break;
        if (m.scrollable) {
          const int next = index + 1 < n ? index + 1 : m.PrevEnabledBefore(index);
          if (m.active == index) m.active = next;
          if (m.firstVisible == index) m.firstVisible = next;
        }
        const bool wasActive = m.active == index && !m.scrollable;
        m.enabled.erase(m.enabled.begin() + index);
        m.widths.erase(m.widths.begin() + index);
        if (m.active > index) --m.active;
        if (m.firstVisible > index) --m.firstVisible;
        if (wasActive) {
          m.active = -1;
          if (m.Count()) m.MakeActive(0);
        }
        break;
      }
      case 3: {  // enable or disable
        const LParam how = static_cast<LParam>(rng() % 2);
        const bool refused = !valid || (how == 1) == m.enabled[index];
        ASSERT_EQ(Send(PSM_ENABLEPAGE, static_cast<WParam>(index), how), refused ? -1 : 0);
        if (refused) break;
        m.enabled[index] = how == 1;
        if (how == 0 && m.active == index) {
          const int next = m.OtherEnabledWrapping();
          if (next >= 0) m.MakeActive(next);
        }
        break;
      }
      case 4: {  // activate
        const bool refused = !valid || !m.enabled[index];
        ASSERT_EQ(Send(PSM_SETACTIVEINDEX, static_cast<WParam>(index)), refused ? -1 : 0);
        if (!refused) m.MakeActive(index);
        break;
      }
      case 5: {  // switch key
        Send(MSG_KEYDOWN, PS_SWITCH_KEY, 0);
        if (m.scrollable) {
          if (n == 1) break;
          m.switchRequest = true;
          m.Forward(true);
        } else if (m.active >= 0) {
          const int next = m.OtherEnabledWrapping();
          if (next >= 0) m.MakeActive(next);
        }
        break;
      }
      default: {  // click: a tab, or an arrow of an overflowing scrollable sheet
        if (!m.scrollable) {
          const int x = static_cast<int>(rng() % kWidth);
          Click(x);
          const int tab = n ? EqualTabAt(x) : -1;
          if (tab >= 0 && tab != m.active && m.enabled[tab]) m.MakeActive(tab);
          break;
        }
        if (!Sheet()->overflow) break;
        const bool left = rng() % 2;
        Click(left ? Sheet()->headLeft + 1 : Sheet()->headRight - 1);
        if (left && m.active > 0) {
          const int prev = m.PrevEnabledBefore(m.active);
          m.MakeActive(prev < 0 ? m.active : prev);
        } else if (!left) {
          m.Forward(false);
        }
        break;
      }
    }
    m.Visible(Limit());
  }

  void Check(int step) {
    const Model& m = model_;
    ASSERT_EQ(Send(PSM_GETPAGECOUNT), m.Count()) << "step " << step;
    ASSERT_EQ(Send(PSM_GETACTIVEINDEX), m.active) << "step " << step << trace_;
    ASSERT_EQ(Notified(), m.notified - seen_) << "step " << step;
    seen_ = m.notified;
    if (m.scrollable) {
      ASSERT_EQ(Sheet()->firstVisible, m.firstVisible) << "step " << step;
    }
    if (!m.scrollable) {
      for (int i = 0; i < m.Count(); ++i) {
        const WindowHandle page = static_cast<WindowHandle>(Send(PSM_GETPAGE, static_cast<WParam>(i)));
        ASSERT_EQ(IsWindowVisible(page) != 0, i == m.active) << "step " << step << " page " << i;
      }
    }
  }

  WindowHandle sheet_ = 0;
  Model model_;
  int seen_ = 0;
  std::string trace_;
};

TEST_P(SheetModel, RandomSequencesFollowTheModel) {
  std::mt19937 rng(20261207u + GetParam());
  int added = 0;
  for (int step = 0; step < 600; ++step) {
    ASSERT_NO_FATAL_FAILURE(Step(rng, &added)) << "step " << step;
    ASSERT_NO_FATAL_FAILURE(Check(step));
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, SheetModel,
                         ::testing::Values(PSS_EQUAL | PSS_PLAIN, PSS_EQUAL, PSS_SCROLLABLE | PSS_PLAIN,
                                           PSS_SCROLLABLE));

class SheetEdges : public pagetest::PageFixture {};

TEST_F(SheetEdges, WidthRefusalsTitlesAndTheSheetCommand) {
  WindowHandle narrow = CreateWindowEx("propsheet", "", PSS_EQUAL | PSS_PLAIN | WS_VISIBLE, 0, 1, 0, 0, 35, 100, page_, 0);
  DlgTemplate tpl{0, 0, 0, 0, 0, 0, "T", 0, 0, 0, nullptr, 0};
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(SendMessage(narrow, PSM_ADDPAGE, reinterpret_cast<WParam>(&tpl), 0), i);
  EXPECT_EQ(SendMessage(narrow, PSM_ADDPAGE, reinterpret_cast<WParam>(&tpl), 0), -1) << "35 / 4 < 10";
  DlgTemplate broken{0, 0, 0, 0, 0, 0, "T", 0, 0, 2, nullptr, 0};
  EXPECT_EQ(SendMessage(narrow, PSM_REMOVEPAGE, 2, 0), 0);
  EXPECT_EQ(SendMessage(narrow, PSM_ADDPAGE, reinterpret_cast<WParam>(&broken), 0), -1) << "controls without array";
  CtrlData bad{"nosuchclass", 0, 0, 0, 10, 10, 1, "", 0, 0};
  DlgTemplate failing{0, 0, 0, 0, 0, 0, "T", 0, 0, 1, &bad, 0};
  EXPECT_EQ(SendMessage(narrow, PSM_ADDPAGE, reinterpret_cast<WParam>(&failing), 0), -1);
  EXPECT_EQ(SendMessage(narrow, PSM_GETPAGECOUNT, 0, 0), 2) << "a failed add leaves the list";

  EXPECT_EQ(SendMessage(narrow, PSM_SETTITLE, 1, reinterpret_cast<LParam>("Second")), 0);
  EXPECT_EQ(SendMessage(narrow, PSM_GETTITLELENGTH, 1, 0), 6);
  char title[16];
  EXPECT_EQ(SendMessage(narrow, PSM_GETTITLE, 1, reinterpret_cast<LParam>(title)), 0);
  EXPECT_STREQ(title, "Second");
  EXPECT_EQ(SendMessage(narrow, PSM_SETTITLE, 1, 0), 0);
  EXPECT_EQ(SendMessage(narrow, PSM_GETTITLELENGTH, 1, 0), 0);
  EXPECT_EQ(SendMessage(narrow, PSM_GETTITLELENGTH, 5, 0), -1);
  EXPECT_EQ(SendMessage(narrow, PSM_ENABLEPAGE, 0, 2), -1);
  EXPECT_EQ(SendMessage(narrow, MSG_GETDLGCODE, 0, 0), 7);
  DestroyWindow(narrow);
}

int g_answered = 0;
LResult AnswersSheetCommand(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_SHEETCMD) {
    ++g_answered;
    return GetWindowAdditionalData(hwnd) == 2 ? 5 : 0;
  }
  return DefaultPageProc(hwnd, msg, wParam, lParam);
}

TEST_F(SheetEdges, SheetCommandStopsAtTheFirstPageThatAnswers) {
  WindowHandle sheet = CreateWindowEx("propsheet", "", PSS_EQUAL | WS_VISIBLE, 0, 1, 0, 0, 400, 200, page_, 0);
  for (LParam data : {1, 2, 3}) {
    DlgTemplate tpl{0, 0, 0, 0, 0, 0, "T", 0, 0, 0, nullptr, data};
    SendMessage(sheet, PSM_ADDPAGE, reinterpret_cast<WParam>(&tpl), reinterpret_cast<LParam>(AnswersSheetCommand));
  }
  g_answered = 0;
  EXPECT_EQ(SendMessage(sheet, PSM_SHEETCMD, 0, 0), 2);
  EXPECT_EQ(g_answered, 2) << "the third page is not asked";
  EXPECT_EQ(propsheet::SheetOf(sheet)->pages[0]->width, 400 * 8 / 30);
  DestroyWindow(sheet);
}

}  // namespace
