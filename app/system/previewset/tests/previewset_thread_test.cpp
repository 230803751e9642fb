// The live view settings page on the simulated device, driven by clicks
// and keys through the host input while the desktop thread runs: random
// edits on both pages are mirrored by a reference model, and after every Apply the
// records the device keeps must equal the model's; the slots on screen must
// show the model's order at every step.
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/system/tests/system_input.h"
#include "app/testing/page_harness.h"
#include "app/device_backend.h"
#include "app/system_pages.h"
#include "gui/button.h"
#include "controls/combine/combine_internal.h"
#include "gui/combine.h"
#include "gui/combobox.h"
#include "gui/layout.h"
#include "gui/listview.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "app/page_keys.h"

namespace {

using livetest::LiveGui;

constexpr int kOutport = 20448, kMode = 20449, kDwell = 20450, kAudio = 20451, kEventOut = 20452, kDelay = 20453;
constexpr int kViewOutport = 20459, kList = 20460, kFirstModeButton = 20464, kPlay = 20470, kStop = 20471,
              kPrev = 20472, kNext = 20473, kFirstSlot = 20474, kApply = PAGE_ID_APPLY;
constexpr int kBaseTab = 0, kViewTab = 1, kNumberColumn = 0, kNameColumn = 1;
constexpr int kEmpty = PREVIEW_EMPTY_WINDOW, kTables = 7;
const int kWindows[7] = {0, 1, 4, 6, 8, 9, 16};

using livetest::Enabled;

PreviewConfig Stored(int output) {
  PreviewConfig p{};
  getPreviewConfig(nullptr, output, &p);
  return p;
}

// What the page should do, kept apart from how it does it.
struct Model {
  struct Header {
    int mode, audio, dwell;
  };
  std::map<int, PreviewConfig> store;
  EventOutputConfig event{}, eventEdit{};
  // Base page.
  int baseOut = 3;
  Header base{};
  std::map<int, Header> baseStash;
  // View page.
  int viewOut = 3, mode = 1, page = 1, slot = 0, slots = 64;
  PreviewConfig view{};
  std::map<int, PreviewConfig> viewStash;

  static Header HeaderOf(const PreviewConfig& p) { return {p.layoutMode, p.audio, p.dwellCode}; }
  int W() const { return kWindows[mode]; }
  int Pages() const { return (slots + W() - 1) / W(); }
  int Entry(int s) const { return (page - 1) * W() + s; }

  void Start() {
    for (int o = 0; o < 8; ++o) store[o] = Stored(o);
    getEventOutputConfig(nullptr, &event);
    eventEdit = event;
    base = HeaderOf(store[3]);
    LoadView(3);
  }
  void SwitchBase(int o) {
    if (o == baseOut) return;
    baseStash[baseOut] = base;
    baseOut = o;
    base = baseStash.count(o) ? baseStash[o] : HeaderOf(store[o]);
  }
  void ApplyBase() {
    baseStash[baseOut] = base;
    for (auto& [o, h] : baseStash) {
      store[o].layoutMode = static_cast<uint8_t>(h.mode);
      store[o].audio = static_cast<uint8_t>(h.audio);
      store[o].dwellCode = static_cast<uint16_t>(h.dwell);
    }
    baseStash.clear();
    event = eventEdit;
  }
  void LoadView(int o) {
    viewOut = o;
    view = viewStash.count(o) ? viewStash[o] : store[o];
    mode = view.layoutMode >= 1 && view.layoutMode <= 6 ? view.layoutMode : 1;
    page = 1;
  }
  void Spread() {
    if (mode != 6) return;
    for (int m = 1; m <= kTables; ++m) std::memcpy(view.order[m], view.order[6], sizeof view.order[6]);
  }
  void StashView() {
    Spread();
    viewStash[viewOut] = view;
  }
  void SwitchView(int o) {
    if (o == viewOut) return;
    StashView();
    LoadView(o);
  }
  void Mode(int m) {
    StashView();
    if (m == mode) return;
    mode = m;
    page = 1;
    slot = 0;
  }
  void Assign(int channel) {
    const int e = Entry(slot);
    if (e >= slots) return;
    for (int m = 1; m <= kTables; ++m) {
      uint8_t* t = view.order[m];
      if (t[e] == channel) {
        t[e] = kEmpty;
        continue;
      }
      t[e] = static_cast<uint8_t>(channel);
      for (int k = 0; k < slots; ++k)
        if (k != e && t[k] == channel) {
          t[k] = kEmpty;
          break;
        }
    }
  }
  void Fill(bool play) {
    for (int m = 1; m <= kTables; ++m)
      for (int k = 0; k < 64; ++k) view.order[m][k] = play && k < 16 ? static_cast<uint8_t>(k) : kEmpty;
    slot = 0;
  }
  void Clear(int s) {
    slot = s;
    const int e = Entry(s);
    if (e < slots)
      for (int m = 1; m <= kTables; ++m) view.order[m][e] = kEmpty;
  }
  void ApplyView() {
    Spread();
    viewStash[viewOut] = view;
    for (auto& [o, p] : viewStash) std::memcpy(store[o].order, p.order, sizeof p.order);
    viewStash.clear();
  }
  std::string SlotText(int s) const {
    const int e = Entry(s);
    const int c = e < slots ? view.order[mode][e] : kEmpty;
    return c < 16 ? "A" + std::to_string(c + 1) : "X";
  }
};

// Stands for the system menu: Escape on the page closes it, and its pages
// go with it.
class PreviewSet : public LiveGui {
 protected:
  void Open() {
    host_ = Main({0, 0, 8, 8}, livetest::MenuHostProc);
    ASSERT_EQ(createPreviewSetWindow(host_), 0);
    win_ = getSystemPageWnd();
    ASSERT_NE(win_, GUI_INVALID_HANDLE);
    sheet_ = GetDlgItem(win_, PAGE_ID_SHEET);
    const WindowHandle sheet = sheet_;
    base_ = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, 0, 0));
    view_ = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, 1, 0));
    desktest::Drain();
  }
  void Close() {
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
  }
  std::string SlotText(int s) {
    char text[64] = "";
    SendDlgItemMessage(view_, kFirstSlot + s, CMB_GETTEXT, sizeof text, reinterpret_cast<LParam>(text));
    return text;
  }
  // The tab of `page` brought up by a click when another one shows.
  WindowHandle On(WindowHandle page) {
    if (systest::ActivePage(sheet_) != page) {
      EXPECT_TRUE(systest::ClickTab(sheet_, page == base_ ? kBaseTab : kViewTab));
    }
    return page;
  }
  // A click on a window of the layout picture: in its middle it selects the
  // window, on its clear mark it empties it.
  void ClickSlot(int s, bool onMark = false) {
    const WindowHandle slot = GetDlgItem(On(view_), kFirstSlot + s);
    const combine::CombineData* d = combine::Of(slot);
    Rect r{};
    if (!d || !(onMark ? combine::ClearMarkRect(slot, *d, &r) : GetClientRect(slot, &r))) {
      ADD_FAILURE() << "slot " << s << " has no " << (onMark ? "clear mark" : "area");
      return;
    }
    int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    ClientToScreen(slot, &x, &y);
    const WindowHandle page = view_;
    livetest::ClickAt(x, y, [page, slot] { return GetCapture() != 0 || GetFocusChild(page) == slot; });
    // The slot takes no capture: its answer is waited for, the selection
    // or, on the mark, the emptied slot and the Apply the page lights for it.
    // A slot already empty reads "X" before the click is read at all, and
    // Settle cannot tell a release not yet read from one handled: an Apply
    // clicked then could find it dark and lose the click as it lights.
    const bool answered = livetest::PumpUntil([&] {
      return onMark ? SlotText(s) == "X" && Enabled(page, kApply) : (d->state & combine::kHighlighted) != 0;
    });
    EXPECT_TRUE(answered) << "slot " << s << (onMark ? " emptied" : " selected");
    systest::Settle();
  }
  // A channel row of the list clicked: on its number it goes to the
  // selected window; on its name it is only selected, and the play key
  // sends it.
  void AssignRow(int row, bool byKey) {
    const WindowHandle list = GetDlgItem(On(view_), kList);
    systest::ClickListCell(list, row, byKey ? kNameColumn : kNumberColumn);
    if (!byKey) return;
    ASSERT_EQ(GetFocusChild(view_), list);
    livetest::PressKey(PANEL_KEY_PLAY);
  }
  void ExpectStoreMatches(const Model& model, const std::string& when) {
    for (int o = 0; o < 8; ++o) {
      const PreviewConfig got = Stored(o), want = model.store.at(o);
      EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0) << "output " << o << " after " << when;
    }
    EventOutputConfig event{};
    getEventOutputConfig(nullptr, &event);
    EXPECT_EQ(event.output, model.event.output) << when;
    EXPECT_EQ(event.delay, model.event.delay) << when;
  }
  void ExpectSlots(const Model& model, const std::string& when) {
    // A key is read after its press returns: the slots are waited for.
    livetest::PumpUntil([&] {
      for (int s = 0; s < model.W(); ++s)
        if (SlotText(s) != model.SlotText(s)) return false;
      return true;
    }, 100);
    for (int s = 0; s < model.W(); ++s) ASSERT_EQ(SlotText(s), model.SlotText(s)) << "slot " << s << " after " << when;
    EXPECT_EQ(Enabled(view_, kPrev), model.page > 1) << when;
    EXPECT_EQ(Enabled(view_, kNext), model.page < model.Pages()) << when;
  }

  WindowHandle host_ = 0, win_ = 0, sheet_ = 0, base_ = 0, view_ = 0;
};

TEST_F(PreviewSet, RandomEditsOnBothPagesStoreWhatTheModelStores) {
  Open();
  Model model;
  model.slots = getMaxChanSlotNum();
  model.Start();
  std::mt19937 rng(31);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const int outputs[3] = {1, 2, 3};
  for (int step = 0; step < livetest::RandomSteps(400); ++step) {
    std::string what;
    switch (pick(15)) {
      case 0: {
        const int o = outputs[pick(3)];
        what = "base output " + std::to_string(o);
        EXPECT_TRUE(livetest::Pick(On(base_), kOutport, o));
        model.SwitchBase(o);
        break;
      }
      case 1: {
        const int m = 1 + pick(6);
        what = "base mode";
        EXPECT_TRUE(livetest::Pick(On(base_), kMode, m));
        model.base.mode = m;
        break;
      }
      case 2: {
        const int d = pick(8);
        what = "dwell";
        EXPECT_TRUE(livetest::Pick(On(base_), kDwell, d));
        model.base.dwell = d;
        break;
      }
      case 3: {
        what = "audio";
        model.base.audio = !model.base.audio;
        livetest::Click(On(base_), kAudio);
        break;
      }
      case 4: {
        what = "event output";
        model.eventEdit.output = static_cast<uint16_t>(outputs[pick(3)]);
        model.eventEdit.delay = static_cast<uint16_t>(1 + pick(10));
        EXPECT_TRUE(livetest::Pick(On(base_), kEventOut, model.eventEdit.output));
        EXPECT_TRUE(livetest::Pick(base_, kDelay, model.eventEdit.delay));
        break;
      }
      case 5: {
        what = "base apply";
        livetest::Click(On(base_), kApply);
        model.ApplyBase();
        ExpectStoreMatches(model, what);
        EXPECT_FALSE(Enabled(base_, kApply));
        break;
      }
      case 6: {
        const int o = outputs[pick(3)];
        what = "view output " + std::to_string(o);
        EXPECT_TRUE(livetest::Pick(On(view_), kViewOutport, o));
        model.SwitchView(o);
        break;
      }
      case 7: {
        const int m = 1 + pick(6);
        what = "layout " + std::to_string(m);
        livetest::Click(On(view_), kFirstModeButton + m - 1);
        model.Mode(m);
        break;
      }
      case 8: case 9: {
        const int s = pick(model.W()), row = pick(16);
        what = "assign A" + std::to_string(row + 1) + " to slot " + std::to_string(s);
        ClickSlot(s);
        model.slot = s;
        AssignRow(row, pick(2) != 0);
        model.Assign(row);
        break;
      }
      case 10: {
        const bool play = pick(3) != 0;
        what = play ? "play" : "stop";
        livetest::Click(On(view_), play ? kPlay : kStop);
        model.Fill(play);
        break;
      }
      case 11: {
        const int s = pick(model.W());
        what = "clear slot " + std::to_string(s);
        ClickSlot(s, true);
        model.Clear(s);
        break;
      }
      case 12: {
        const bool next = pick(3) != 0;
        what = next ? "next page" : "previous page";
        if (!Enabled(On(view_), next ? kNext : kPrev)) break;
        livetest::Click(view_, next ? kNext : kPrev);
        model.page += next ? 1 : -1;
        break;
      }
      default: {
        what = "view apply";
        livetest::Click(On(view_), kApply);
        model.ApplyView();
        ExpectStoreMatches(model, what);
        EXPECT_FALSE(Enabled(view_, kApply)) << step;
        break;
      }
    }
    systest::Settle();
    ASSERT_TRUE(livetest::Boxes().empty()) << "box at step " << step << ": " << what;
    ExpectSlots(model, what);
    if (HasFailure()) break;
  }
  livetest::Click(On(base_), kApply);
  model.ApplyBase();
  livetest::Click(On(view_), kApply);
  model.ApplyView();
  ExpectStoreMatches(model, "the last apply");
  Close();
  EXPECT_EQ(getSystemPageWnd(), GUI_INVALID_HANDLE);
}

// References in data/ beside this file (GUI_UPDATE_REFERENCES=1 writes them).
void MatchesReference(const char* name, const guitest::Picture& shot) {
  guitest::MatchReference(shot, guitest::ReferencePath(__FILE__, (std::string(name) + ".png").c_str()));
}

std::vector<std::string> BoxTexts() {
  std::vector<std::string> texts;
  for (const auto& box : livetest::Boxes()) texts.push_back(box.text + "/" + std::to_string(box.type));
  return texts;
}

size_t CallCount(const std::string& op) {
  size_t n = 0;
  for (const auto& call : device_seam::callLog()) n += call.op == op;
  return n;
}

TEST_F(PreviewSet, AChannelInTwoWindowsShowsTheHintAndStoresNothing) {
  PreviewConfig twice = Stored(3);
  twice.order[6][0] = 5;  // window 6 shows channel 5 as well
  // The device refuses such a record; one it answers reaches the page anyway.
  ASSERT_EQ(setPreviewConfig(nullptr, 3, &twice), -1);
  device_seam::overrideAnswer(getPreviewConfig, 0, &twice, sizeof twice);
  Open();
  device_seam::clearOverrides();
  device_seam::startCallLog();
  // Nothing is edited yet: Apply takes no click.
  EXPECT_FALSE(Enabled(On(view_), kApply));
  livetest::Click(view_, kApply);
  EXPECT_TRUE(livetest::Boxes().empty());
  livetest::Pick(view_, kViewOutport, 1);  // refused: the box goes back
  livetest::Click(view_, kFirstModeButton);  // one window: refused as well
  systest::Settle();
  const std::string hint = "One channel stands in two windows of this layout!/64";
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{hint, hint}));
  EXPECT_EQ(CallCount("setPreviewConfig"), 0u);
  EXPECT_EQ(SendDlgItemMessage(view_, kViewOutport, CB_GETSELVALUE, 0, 0), 3);
  EXPECT_EQ(SlotText(15), "A16");  // still the sixteen windows
  // Emptying one of the two windows lets Apply through, and the sixteen-window
  // order then stands in every layout.
  ClickSlot(5, true);
  livetest::Click(view_, kApply);
  const PreviewConfig stored = Stored(3);
  for (int m = 1; m <= kTables; ++m) EXPECT_EQ(std::memcmp(stored.order[m], stored.order[6], 64), 0) << m;
  EXPECT_EQ(stored.order[6][0], 5);
  EXPECT_EQ(stored.order[6][5], kEmpty);
  Close();
}

TEST_F(PreviewSet, AnAuxiliaryOutputOffersNoLayoutAudioOrPaging) {
  device_seam::overrideAnswer(getAuxVideoOutNum, 1);
  Open();
  EXPECT_EQ(SendDlgItemMessage(base_, kOutport, CB_GETCOUNT, 0, 0), 4);
  EXPECT_TRUE(livetest::Pick(On(base_), kOutport, 4));
  EXPECT_FALSE(Enabled(base_, kMode));
  EXPECT_FALSE(Enabled(base_, kMode + 256));
  EXPECT_FALSE(Enabled(base_, kAudio));
  EXPECT_TRUE(Enabled(base_, kDwell));
  EXPECT_FALSE(Enabled(base_, kApply)) << "another output shown is no edit";
  EXPECT_TRUE(livetest::Pick(On(view_), kViewOutport, 4));
  for (int id = kFirstModeButton; id < kFirstModeButton + 6; ++id) EXPECT_FALSE(Enabled(view_, id)) << id;
  EXPECT_FALSE(Enabled(view_, kNext));
  EXPECT_EQ(SendDlgItemMessage(view_, kList, LVM_GETITEMCOUNT, 0, 0), getAnalogChanNum());
  EXPECT_TRUE(livetest::Pick(On(base_), kOutport, 2));
  EXPECT_TRUE(Enabled(base_, kMode));
  EXPECT_TRUE(Enabled(base_, kAudio));
  EXPECT_TRUE(livetest::Pick(On(view_), kViewOutport, 2));
  for (int id = kFirstModeButton; id < kFirstModeButton + 6; ++id) EXPECT_TRUE(Enabled(view_, id)) << id;
  EXPECT_TRUE(Enabled(view_, kNext));
  EXPECT_TRUE(livetest::Boxes().empty());
  Close();
}

// A fresh device's event record holds values its lists do not offer: the
// boxes show no row rather than another value, an Apply of the audio box
// alone keeps them and every other byte, and a row chosen then is stored.
TEST_F(PreviewSet, ValuesTheListsDoNotHoldShowNoRowAndApplyKeepsThem) {
  device_seam::resetKeptRecords();
  const PreviewConfig before = Stored(3);
  EventOutputConfig event{};
  getEventOutputConfig(nullptr, &event);
  Open();
  On(base_);
  ASSERT_LT(livetest::RowOfValue(base_, kEventOut, event.output), 0);
  ASSERT_LT(livetest::RowOfValue(base_, kDelay, event.delay), 0);
  for (int id : {kEventOut, kDelay}) EXPECT_LT(SendDlgItemMessage(base_, id, CB_GETCURSEL, 0, 0), 0) << id;
  livetest::Click(base_, kAudio);
  livetest::Click(base_, kApply);
  EXPECT_FALSE(Enabled(base_, kApply));
  PreviewConfig want = before;
  want.audio = before.audio ? 0 : 1;
  const PreviewConfig after = Stored(3);
  EXPECT_EQ(std::memcmp(&after, &want, sizeof after), 0);
  EventOutputConfig kept{};
  getEventOutputConfig(nullptr, &kept);
  EXPECT_EQ(kept.output, event.output);
  EXPECT_EQ(kept.delay, event.delay);
  EXPECT_TRUE(livetest::Pick(base_, kDelay, 4));
  livetest::Click(base_, kApply);
  getEventOutputConfig(nullptr, &kept);
  EXPECT_EQ(kept.delay, 4);
  EXPECT_EQ(kept.output, event.output);
  Close();
}

TEST_F(PreviewSet, ReadAndSaveFailuresShowTheirBoxesAndKeepTheRecords) {
  Open();
  std::vector<PreviewConfig> before;
  for (int o = 0; o < 8; ++o) before.push_back(Stored(o));
  device_seam::overrideAnswer(getPreviewConfig, -1);
  livetest::Pick(On(base_), kOutport, 1);  // both refused: the boxes go back
  livetest::Pick(On(view_), kViewOutport, 2);
  device_seam::clearOverrides();
  EXPECT_EQ(SendDlgItemMessage(base_, kOutport, CB_GETSELVALUE, 0, 0), 3);
  EXPECT_EQ(SendDlgItemMessage(view_, kViewOutport, CB_GETSELVALUE, 0, 0), 3);
  EXPECT_TRUE(livetest::Pick(On(base_), kDwell, 4));
  livetest::Click(On(view_), kStop);
  device_seam::overrideAnswer(setPreviewConfig, -7);
  livetest::Click(On(base_), kApply);
  device_seam::overrideAnswer(setPreviewConfig, -1);
  livetest::Click(On(view_), kApply);
  device_seam::clearOverrides();
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Getting the settings, please wait.../16",
                                                  "Getting the settings, please wait.../16",
                                                  "Saving failed, error code: -7/16", "Saving failed!/16"}));
  EXPECT_TRUE(Enabled(base_, kApply));
  EXPECT_TRUE(Enabled(view_, kApply));
  for (int o = 0; o < 8; ++o) {
    const PreviewConfig now = Stored(o);
    EXPECT_EQ(std::memcmp(&now, &before[o], sizeof now), 0) << o;
  }
  Close();
}

TEST_F(PreviewSet, BothTabsOnScreen) {
  Open();
  Rect r{};
  GetWindowRect(win_, &r);
  desktest::Drain();
  MatchesReference("previewset_base", livetest::SettledGrab(r));
  livetest::Click(On(view_), kFirstModeButton + 3);  // eight windows
  ClickSlot(2);
  desktest::Drain();
  MatchesReference("previewset_view", livetest::SettledGrab(r));
  Close();
}

// Paging after a layout change redraws the page text, the slots, the list
// and the output box whole, with nothing of the earlier drawing left.
TEST_F(PreviewSet, PagingAfterALayoutChangeRedrawsCleanly) {
  Open();
  On(view_);
  // A picture button that loses the focus leaves nothing of its focus
  // outline beyond its picture.
  livetest::Click(view_, kFirstModeButton + 5);  // sixteen windows
  livetest::Click(view_, kFirstModeButton + 3);  // eight windows
  livetest::Click(view_, kNext);
  Rect r{};
  GetWindowRect(win_, &r);
  MatchesReference("previewset_paged", livetest::SettledGrab(r));
  Close();
}

TEST_F(PreviewSet, WindowsPastTheDeviceSlotsStayEmptyAndTakeNoChannel) {
  PreviewConfig before = Stored(3);
  const int slots = getMaxChanSlotNum(), firstShown = (slots - 1) / 9 * 9;
  before.order[5][firstShown] = 3;  // the last window of the slots shows A4
  before.order[5][3] = kEmpty;
  before.layoutMode = 5;  // nine windows: the last page runs past the slots
  ASSERT_EQ(setPreviewConfig(nullptr, 3, &before), 0);
  Open();
  while (Enabled(On(view_), kNext) && !HasFailure()) livetest::Click(view_, kNext);
  for (int s = 0; s < 9; ++s) EXPECT_EQ(SlotText(s), s == 0 ? "A4" : "X") << s;
  ClickSlot(8);
  AssignRow(3, false);
  livetest::Click(view_, kApply);
  const PreviewConfig after = Stored(3);
  for (int m = 1; m <= kTables; ++m) EXPECT_EQ(std::memcmp(after.order[m], before.order[m], 64), 0) << m;
  EXPECT_EQ(SlotText(8), "X");
  Close();
}

// A language file whose captions carry the wrong conversions: each is shown
// as it stands instead of being fed numbers it does not expect.
class SwappedCaption {
 public:
  SwappedCaption(const char* key, const char* caption) {
    EXPECT_TRUE(GetCtrlResInfo("previewset", key, &record_));
    if (!record_) return;
    saved_ = record_->caption;
    record_->caption = const_cast<char*>(caption);
  }
  ~SwappedCaption() {
    if (record_) record_->caption = saved_;
  }

 private:
  CtrlResInfo* record_ = nullptr;
  char* saved_ = nullptr;
};

TEST_F(PreviewSet, CaptionsWithWrongConversionsAreShownAsTheyStand) {
  SwappedCaption order("ordertext_hint", "%s/%s"), maxIpc("maxipc_hint", "%s at most%n");
  Open();
  livetest::Click(On(view_), kNext);
  char text[64] = "";
  SendDlgItemMessage(view_, 20461, MSG_GETTEXT, sizeof text, reinterpret_cast<LParam>(text));
  EXPECT_STREQ(text, "%s/%s");
  device_seam::overrideAnswer(setPreviewConfig, 0x200114);
  livetest::Click(view_, kStop);
  livetest::Click(view_, kApply);
  device_seam::clearOverrides();
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"%s at most%n/64"}));
  Close();
}

TEST_F(PreviewSet, ClosingByEscapeOrWithItsMenuLeavesNoRegistration) {
  Open();
  livetest::PressKey(KEY_ESC);
  livetest::PumpUntil([] { return getSystemPageWnd() == GUI_INVALID_HANDLE; });
  EXPECT_EQ(getSystemPageWnd(), GUI_INVALID_HANDLE);
  MainWinCreate create = MainWindowCreation({0, 0, 8, 8}, DefaultMainWinProc, "", WS_VISIBLE, 0);
  const WindowHandle menu = CreateMainWindow(&create);
  ASSERT_EQ(createPreviewSetWindow(menu), 0);
  EXPECT_NE(getSystemPageWnd(), GUI_INVALID_HANDLE);
  DestroyMainWindow(menu);
  MainWindowThreadCleanup(menu);
  desktest::Drain();
  EXPECT_EQ(getSystemPageWnd(), GUI_INVALID_HANDLE);
}

}  // namespace
