// The encoding page on the simulated device, driven through its controls'
// messages while the desktop thread runs.
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"
#include "app/page_registry.h"
#include "app/control_services.h"
#include "app/record/record_input_test.h"
#include "app/record/record_page_test.h"
#include "app/testing/page_harness.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/message.h"
#include "gui/propsheet.h"

namespace {

using namespace recordtest;

constexpr int kChan = 18432, kApply = PAGE_ID_APPLY, kDays = 18462, kWd1 = 18466;
constexpr int kType = 18443, kRes = 18444, kRateType = 18445, kQuality = 18446, kFrame = 18447, kMode = 18448,
              kRate = 18449, kEdit = 18494, kTwin = 9, kTwinEdit = 18495;

int Value(WindowHandle page, int combo) {
  return static_cast<int>(SendDlgItemMessage(page, combo, CB_GETSELVALUE, 0, 0));
}
std::string Text(WindowHandle page, int id) {
  char text[64] = "";
  GetDlgItemText(page, id, text, sizeof text);
  return text;
}
// A user's choice of the row holding `value`, and a click.
void Choose(WindowHandle page, int combo, int value) { EXPECT_TRUE(livetest::Pick(page, combo, value)) << combo << " " << value; }
// A choice the page refuses: the box goes back to the row it had.
void ChooseRefused(WindowHandle page, int combo, int value) {
  const int was = static_cast<int>(SendDlgItemMessage(page, combo, CB_GETCURSEL, 0, 0));
  EXPECT_FALSE(livetest::Pick(page, combo, value)) << combo << " " << value;
  EXPECT_EQ(SendDlgItemMessage(page, combo, CB_GETCURSEL, 0, 0), was) << combo << " " << value;
}
void Type(WindowHandle page, int id, const char* text) { EXPECT_TRUE(Retype(page, id, text)) << id << " " << text; }
using livetest::Click;

// The texts of a combo box's items, in order.
std::vector<std::string> Items(WindowHandle page, int combo) {
  std::vector<std::string> items;
  const int count = static_cast<int>(SendDlgItemMessage(page, combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[64] = "";
    SendDlgItemMessage(page, combo, CB_GETLBTEXT, static_cast<WParam>(i), reinterpret_cast<LParam>(text));
    items.emplace_back(text);
  }
  return items;
}

EncodeConfig StoredEncode(int channel) {
  EncodeConfig e{};
  getEncodeConfig(nullptr, channel, &e, 1);
  return e;
}

class EncodePage : public RecordPage {
 protected:
  void Open() { RecordPage::Open("encodeset"); }
  // Shows the sheet page `index` by a click on its tab; its handle.
  WindowHandle ShowTab(int index) {
    const WindowHandle sheet = GetDlgItem(win_, PAGE_ID_SHEET);
    EXPECT_TRUE(ClickTab(sheet, index)) << index;
    return static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, static_cast<WParam>(index), 0));
  }
};

TEST_F(EncodePage, RecordTabOnScreen) {
  Open();
  Rect r{};
  GetWindowRect(win_, &r);
  desktest::Drain();
  livetest::MatchesReference(__FILE__, "encode_record", livetest::SettledGrab(r));
  // Resolutions by name, and the range of the chosen one.
  EXPECT_EQ(Items(page_, kRes),
            (std::vector<std::string>{"1920*1080(1080P)", "1280*720(720P)", "704*576(D1)", "352*288(CIF)"}));
  int low = 0, high = 0;
  ASSERT_EQ(getBitrateLimits(&low, &high, 1, 1, Value(page_, kRes)), 1);
  EXPECT_EQ(Text(page_, kRes + 6), std::to_string(low) + "~" + std::to_string(high) + "(Kbps)");
  // The event group in custom mode: the edit in place of the rate combo.
  // Chosen by a click on its row: the custom rate edit the page shows in
  // answer keeps its frame.
  ASSERT_TRUE(livetest::Pick(page_, kMode + kTwin, 1));
  desktest::Drain();
  livetest::MatchesReference(__FILE__, "encode_record_custom", livetest::SettledGrab(r));
  Close();
}

// Channel 1 as the device gives it: what the groups show, and the
// dependencies between their controls.
TEST_F(EncodePage, GroupDependencies) {
  Open();
  const EncodeConfig stored = StoredEncode(1);
  const EncodeParamBlock& m = stored.blocks[ENCODE_MAIN];
  EXPECT_EQ(Value(page_, kType), m.streamType);
  EXPECT_EQ(Value(page_, kRes), m.resolution);
  EXPECT_FALSE(Enabled(page_, kApply));
  // Constant rate disables quality; variable enables it again.
  Choose(page_, kRateType, 1);
  EXPECT_FALSE(Enabled(page_, kQuality));
  Choose(page_, kRateType, 0);
  EXPECT_TRUE(Enabled(page_, kQuality));
  EXPECT_TRUE(Enabled(page_, kApply));
  // First switch to custom shows the standard rate's Kbps; switching back
  // returns to that standard rate, and the typed rate is remembered.
  Choose(page_, kRate, 19);
  Choose(page_, kMode, 1);
  EXPECT_EQ(Text(page_, kEdit), "1024");
  Type(page_, kEdit, "3000");
  Choose(page_, kMode, 0);
  EXPECT_EQ(Value(page_, kRate), 19);
  Choose(page_, kMode, 1);
  EXPECT_EQ(Text(page_, kEdit), "3000");
  // A custom rate that is no number is refused with the bit-rate-over
  // reaction; nothing is written.
  Type(page_, kEdit, "12x");
  livetest::Boxes().clear();
  Click(page_, kApply);
  EXPECT_TRUE(Enabled(page_, kApply));
  const EncodeConfig after = StoredEncode(1);
  EXPECT_EQ(std::memcmp(&stored, &after, sizeof stored), 0);
  // A custom rate inside the limits is stored.
  Type(page_, kEdit, "2000");
  Click(page_, kApply);
  EXPECT_FALSE(Enabled(page_, kApply));
  EXPECT_EQ(ENCODE_CUSTOM_KBPS(StoredEncode(1).blocks[ENCODE_MAIN].bitrate), 2000);
  Close();
}

// A group that starts custom selects 1792 Kbps (code 22) on its first switch
// to a standard rate.
TEST_F(EncodePage, FirstSwitchFromCustomSelectsCode22) {
  EncodeConfig e = StoredEncode(1);
  e.blocks[ENCODE_MAIN].bitrate = ENCODE_CUSTOM_BITRATE(700);
  e.blocks[ENCODE_EVENT] = e.blocks[ENCODE_MAIN];
  ASSERT_EQ(setEncodeConfig(nullptr, 1, &e, 1), 0);
  Open();
  EXPECT_EQ(Value(page_, kMode), 1);
  EXPECT_EQ(Text(page_, kEdit), "700");
  Choose(page_, kMode, 0);
  EXPECT_EQ(Value(page_, kRate), 22);
  Choose(page_, kMode, 1);
  EXPECT_EQ(Text(page_, kEdit), "700");
  (void)kTwin;
  (void)kFrame;
  (void)kWd1;
  Close();
}

// Every refused check: its box, the control that gets the focus (the
// clicked Apply keeps it when none is named), Apply left on and nothing
// written.
TEST_F(EncodePage, SaveErrorTable) {
  Open();
  const std::string over = "The bitrate must be 32 to 8192 Kbps!/64";
  struct Row {
    int code;
    std::string box;
    int focus;
  } rows[] = {
      {-1, "Saving failed!/16", 0},
      {0x200212, "The stream type is not supported!/64", 0},
      {0x200214, "The network bandwidth is exceeded!/64", 0},
      {0x200217, "The resolution is not supported!/64", kRes},
      {0x200218, "The frame rate is not supported!/64", kFrame},
      {0x200219, over, kRate},
      {0x20021a, "The resolution is not supported!/64", kRes + kTwin},
      {0x20021b, "The frame rate is not supported!/64", kFrame + kTwin},
      {0x20021c, over, kRate + kTwin},
      {0x200213, "Saving failed!/16", 0},
      {0x200220, "Saving failed!/16", 0},
  };
  const EncodeConfig before = StoredEncode(1);
  for (const Row& row : rows) {
    Choose(page_, kQuality, 1);
    device_seam::overrideAnswer(checkEncodeParams, row.code);
    Click(page_, kApply);
    device_seam::clearOverrides();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{row.box}) << std::hex << row.code;
    EXPECT_EQ(GetDlgCtrlID(GetFocusChild(page_)), row.focus ? row.focus : kApply) << std::hex << row.code;
    EXPECT_TRUE(Enabled(page_, kApply));
  }
  const EncodeConfig after = StoredEncode(1);
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
  // In custom mode the focus goes to the custom edit.
  Choose(page_, kMode + kTwin, 1);
  device_seam::overrideAnswer(checkEncodeParams, 0x20021c);
  Click(page_, kApply);
  device_seam::clearOverrides();
  EXPECT_EQ(GetFocusChild(page_), GetDlgItem(page_, kTwinEdit));
  BoxTexts();
  Close();
}

// A failed load of the new channel keeps the old one current and its
// values on screen; expiry rules hold on the way.
TEST_F(EncodePage, ChannelChangeAndExpiry) {
  Open();
  Type(page_, kDays, "61");
  ChooseRefused(page_, kChan, 2);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"The expired time must be 0 to 60 days!/64"});
  EXPECT_EQ(Value(page_, kChan), 1);
  EXPECT_EQ(GetFocusChild(page_), GetDlgItem(page_, kDays));
  Type(page_, kDays, "7");
  Choose(page_, kQuality, 4);
  device_seam::overrideAnswer(getEncodeConfig, -1);
  ChooseRefused(page_, kChan, 2);
  device_seam::clearOverrides();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Failed to get the record parameters!/16"});
  EXPECT_EQ(Value(page_, kChan), 1);
  EXPECT_EQ(Value(page_, kQuality), 4);
  // Channel 2 loads now; channel 1's edits wait for Apply.
  Choose(page_, kChan, 2);
  EXPECT_EQ(Value(page_, kChan), 2);
  Type(page_, kDays, "x1");
  Click(page_, kApply);
  EXPECT_FALSE(Enabled(page_, kApply));
  RecordConfig r{};
  getRecordConfig(nullptr, 1, &r, 1);
  EXPECT_EQ(r.expiryDays, 7u);
  EXPECT_EQ(StoredEncode(1).blocks[ENCODE_MAIN].quality, 4);
  Close();
}

// The sub-stream tab: its own group on block [3], its error rows, the
// refused channel, and a save that writes only the sub stream.
TEST_F(EncodePage, SubStreamTab) {
  constexpr int kSubChan = 18496, kSubRes = 18498, kSubRateType = 18499, kSubQuality = 18500, kSubFrame = 18501,
                kSubRate = 18503, kSubEdit = 18511;
  Open();
  WindowHandle sub = ShowTab(1);
  ASSERT_TRUE(IsValidHandle(sub));
  Rect r{};
  GetWindowRect(win_, &r);
  livetest::MatchesReference(__FILE__, "encode_sub", livetest::SettledGrab(r));
  const EncodeConfig before = StoredEncode(1);
  EXPECT_EQ(Value(sub, kSubRes), before.blocks[ENCODE_SUB].resolution);
  Choose(sub, kSubRateType, 1);
  EXPECT_FALSE(Enabled(sub, kSubQuality));
  struct Row {
    int code;
    int focus;
  } rows[] = {{0x20021d, kSubRes}, {0x20021e, kSubFrame}, {0x20021f, kSubRate}};
  for (const Row& row : rows) {
    device_seam::overrideAnswer(checkEncodeParams, row.code);
    Click(sub, kApply);
    device_seam::clearOverrides();
    EXPECT_EQ(BoxTexts().size(), 1u) << std::hex << row.code;
    EXPECT_EQ(GetFocusChild(sub), GetDlgItem(sub, row.focus)) << std::hex << row.code;
  }
  device_seam::overrideAnswer(isStreamTypeSupported, 0);
  ChooseRefused(sub, kSubChan, 2);
  device_seam::clearOverrides();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"The channel does not support this function!/64"});
  EXPECT_EQ(Value(sub, kSubChan), 1);
  Click(sub, kApply);
  EXPECT_FALSE(Enabled(sub, kApply));
  const EncodeConfig after = StoredEncode(1);
  EXPECT_EQ(after.blocks[ENCODE_SUB].bitrateType, 1);
  EXPECT_EQ(std::memcmp(&after.blocks[ENCODE_MAIN], &before.blocks[ENCODE_MAIN], 3 * sizeof(EncodeParamBlock)), 0);
  (void)kSubEdit;
  Close();
}

// The snapshot tab: the intervals in order, a copy that overwrites a
// channel never shown without reading it, and "savefailed" for any code.
TEST_F(EncodePage, SnapshotTab) {
  constexpr int kPicChan = 18512, kNormalRes = 18518, kNormalQuality = 18519, kNormalInterval = 18520,
                kEventRes = 18522, kEventInterval = 18524;
  Open();
  WindowHandle pic = ShowTab(2);
  ASSERT_TRUE(IsValidHandle(pic));
  Rect r{};
  GetWindowRect(win_, &r);
  livetest::MatchesReference(__FILE__, "encode_snapshot", livetest::SettledGrab(r));
  // Every picture resolution the device offers, by name.
  EXPECT_EQ(Items(pic, kNormalRes),
            (std::vector<std::string>{"352*288(CIF)", "1920*1080(1080P)", "1280*720(720P)"}));
  EXPECT_EQ(Items(pic, kEventRes), Items(pic, kNormalRes));
  const int intervals[] = {1, 2, 3, 4, 5, 600, 1800, 3600, 43200, 86400};
  ASSERT_EQ(SendDlgItemMessage(pic, kNormalInterval, CB_GETCOUNT, 0, 0), 10);
  for (int i = 0; i < 10; ++i) {
    EXPECT_TRUE(livetest::ChooseByMouse(pic, kNormalInterval, i)) << i;
    EXPECT_EQ(Value(pic, kNormalInterval), intervals[i]) << i;
  }
  Choose(pic, kNormalInterval, 86400);
  Choose(pic, kEventInterval, 43200);
  Choose(pic, kNormalQuality, 40);
  // The failing save keeps Apply on with the general box.
  device_seam::overrideAnswer(setCaptureParams, 0x200212);
  Click(pic, kApply);
  device_seam::clearOverrides();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Saving failed!/16"});
  EXPECT_TRUE(Enabled(pic, kApply));
  Click(pic, kApply);
  EXPECT_FALSE(Enabled(pic, kApply));
  CaptureSettingPair stored{};
  getCaptureParams(nullptr, 1, &stored);
  EXPECT_EQ(captureIntervalSeconds(stored.normal.interval), 86400u);
  EXPECT_EQ(captureIntervalSeconds(stored.event.interval), 43200u);
  EXPECT_EQ(stored.normal.quality, 40);
  (void)kPicChan;
  Close();
}

// Random edits on channels with each main-stream set (1: both, 2: only
// continuous, 3: only event, 4: none), channel switches and Applies,
// against a model of what the device must keep: a channel with one main
// stream mirrors it into the other block, the twin group on screen shows
// the same values disabled, and a channel without main streams keeps its
// encoding.
TEST_F(EncodePage, MainStreamSetsAgainstAModel) {
  device_seam::overrideAnswerFor(isStreamTypeSupported, {2, 3}, 0);
  device_seam::overrideAnswerFor(isStreamTypeSupported, {3, 1}, 0);
  device_seam::overrideAnswerFor(isStreamTypeSupported, {4, 1}, 0);
  device_seam::overrideAnswerFor(isStreamTypeSupported, {4, 3}, 0);
  const int streams[5] = {0, 3, 1, 2, 0};
  struct Heads {
    int rateType, quality, frame, rate;
  };
  auto headsOf = [](const EncodeParamBlock& b) { return Heads{b.bitrateType, b.quality, static_cast<int>(b.frameRate), b.bitrate}; };
  std::map<int, Heads> stored[2], working[2];
  for (int c = 1; c <= 4; ++c)
    for (int b = 0; b < 2; ++b) stored[b][c] = headsOf(StoredEncode(c).blocks[b == 0 ? ENCODE_MAIN : ENCODE_EVENT]);
  for (int b = 0; b < 2; ++b) working[b] = stored[b];
  Open();
  std::mt19937 rng(7);
  int channel = 1;
  const int fields[4] = {kRateType, kQuality, kFrame, kRate};
  for (int step = 0; step < livetest::RandomSteps(160); ++step) {
    const int action = static_cast<int>(rng() % 10);
    const std::string when = "step " + std::to_string(step);
    if (action == 0) {
      Click(page_, kApply);
      for (int b = 0; b < 2; ++b) stored[b] = working[b];
    } else if (action == 1) {
      channel = 1 + static_cast<int>(rng() % 4);
      Choose(page_, kChan, channel);
      ASSERT_EQ(Value(page_, kChan), channel) << when;
    } else if (streams[channel] != 0) {
      const int group = streams[channel] == 2 ? 1 : streams[channel] == 1 ? 0 : static_cast<int>(rng() % 2);
      const int id = fields[rng() % 4] + group * kTwin;
      if (!Enabled(page_, id)) continue;
      const int count = static_cast<int>(SendDlgItemMessage(page_, id, CB_GETCOUNT, 0, 0));
      ASSERT_GT(count, 0) << when;
      ASSERT_TRUE(livetest::ChooseByMouse(page_, id, static_cast<int>(rng() % static_cast<unsigned>(count)))) << when;
      Heads h{Value(page_, kRateType + group * kTwin), Value(page_, kQuality + group * kTwin),
              Value(page_, kFrame + group * kTwin), Value(page_, kRate + group * kTwin)};
      working[group][channel] = h;
      if (streams[channel] != 3) {
        // The disabled twin follows.
        const int twin = 1 - group;
        working[twin][channel] = h;
        EXPECT_EQ(Value(page_, id + (twin - group) * kTwin), Value(page_, id)) << when;
        EXPECT_FALSE(Enabled(page_, id + (twin - group) * kTwin)) << when;
      }
    }
    if (action != 0) continue;
    EXPECT_FALSE(Enabled(page_, kApply)) << when;
    for (int c = 1; c <= 4; ++c) {
      const EncodeConfig e = StoredEncode(c);
      for (int b = 0; b < 2; ++b) {
        const Heads got = headsOf(e.blocks[b == 0 ? ENCODE_MAIN : ENCODE_EVENT]), want = stored[b][c];
        EXPECT_EQ(got.rateType, want.rateType) << when << " channel " << c << " block " << b;
        EXPECT_EQ(got.quality, want.quality) << when << " channel " << c << " block " << b;
        EXPECT_EQ(got.frame, want.frame) << when << " channel " << c << " block " << b;
        EXPECT_EQ(got.rate, want.rate) << when << " channel " << c << " block " << b;
      }
    }
  }
  // A typed custom rate on a channel with one main stream reaches the twin.
  Choose(page_, kChan, 2);
  ASSERT_EQ(Value(page_, kChan), 2);
  Choose(page_, kMode, 1);
  Type(page_, kEdit, "1500");
  EXPECT_EQ(Text(page_, kTwinEdit), "1500");
  Click(page_, kApply);
  EXPECT_EQ(ENCODE_CUSTOM_KBPS(StoredEncode(2).blocks[ENCODE_MAIN].bitrate), 1500);
  EXPECT_EQ(ENCODE_CUSTOM_KBPS(StoredEncode(2).blocks[ENCODE_EVENT].bitrate), 1500);
  // A channel without main streams shows both groups empty and disabled.
  Choose(page_, kChan, 4);
  EXPECT_EQ(SendDlgItemMessage(page_, kRes, CB_GETCOUNT, 0, 0), 0);
  EXPECT_FALSE(Enabled(page_, kRes));
  EXPECT_FALSE(Enabled(page_, kRes + kTwin));
  device_seam::clearOverrides();
  Close();
}

// A click on the close box in the caption of `dlg`, found by hit-testing
// its top rows.
bool ClickCloseBox(WindowHandle dlg) {
  Rect r{};
  GetWindowRect(dlg, &r);
  for (int y = r.top; y < r.top + 40 && y < r.bottom; ++y)
    for (int x = r.right - 1; x > r.left; --x)
      if (SendMessage(dlg, MSG_HITTEST, x, y) == HT_CLOSEBUTTON) {
        livetest::ClickAt(x, y, [] { return true; });
        return true;
      }
  return false;
}

// Apply lights for an edit only: another channel shown, Copy To closed by
// its close box and by Cancel leave it off, on every tab.
TEST_F(EncodePage, ApplyStaysOffWithoutAnEdit) {
  const WindowHandle helper = Main({0, 0, 4, 4}, LoopLookProc);
  const struct {
    int tab, channelBox;
  } rows[] = {{0, kChan}, {1, 18496}, {2, 18512}};
  Open();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tab);
    const WindowHandle page = row.tab == 0 ? page_ : ShowTab(row.tab);
    ASSERT_FALSE(Enabled(page, kApply));
    Choose(page, row.channelBox, 2);
    EXPECT_FALSE(Enabled(page, kApply)) << "another channel shown";
    for (const bool byCloseBox : {true, false}) {
      const auto opened = [] { return IsValidHandle(getCopyChanWnd()) && IsWindowVisible(getCopyChanWnd()); };
      EXPECT_TRUE(InLoopOpenedBy(helper, [page] { Click(page, PAGE_ID_COPY); }, opened, [byCloseBox] {
        const WindowHandle dlg = getCopyChanWnd();
        Click(dlg, CHANBOX_ANALOG_FIRST + 3);
        if (byCloseBox) {
          EXPECT_TRUE(ClickCloseBox(dlg));
          livetest::PumpUntil([] { return !IsValidHandle(getCopyChanWnd()); });
        } else {
          EXPECT_TRUE(ClickClosing(dlg, IDCANCEL));
        }
      }));
      EXPECT_FALSE(Enabled(page, kApply)) << (byCloseBox ? "closed by its close box" : "cancelled");
    }
  }
  Close();
}

// Copies through the copy dialog with every analog channel checked: the
// record tab hands the streams and record options to the others; the
// snapshot tab overwrites targets it never read.
TEST_F(EncodePage, CopyToEveryAnalogChannel) {
  const WindowHandle helper = Main({0, 0, 4, 4}, LoopLookProc);
  auto copyToAll = [helper](WindowHandle page) {
    const auto opened = [] { return IsValidHandle(getCopyChanWnd()) && IsWindowVisible(getCopyChanWnd()); };
    EXPECT_TRUE(InLoopOpenedBy(helper, [page] { Click(page, PAGE_ID_COPY); }, opened, [] {
      const WindowHandle dlg = getCopyChanWnd();
      ASSERT_EQ(SendDlgItemMessage(dlg, CHANBOX_ALL_ANALOG, BM_GETCHECK, 0, 0), BST_UNCHECKED);
      Click(dlg, CHANBOX_ALL_ANALOG);
      EXPECT_TRUE(ClickClosing(dlg, PAGE_ID_OK));
    }));
  };
  Open();
  Choose(page_, kQuality, 4);
  Type(page_, kDays, "9");
  copyToAll(page_);
  EXPECT_TRUE(Enabled(page_, kApply));
  EXPECT_NE(StoredEncode(2).blocks[ENCODE_MAIN].quality, 4);  // nothing saved before Apply
  Click(page_, kApply);
  for (int c = 1; c <= 16; ++c) {
    RecordConfig r{};
    getRecordConfig(nullptr, c, &r, 1);
    EXPECT_EQ(StoredEncode(c).blocks[ENCODE_MAIN].quality, 4) << c;
    EXPECT_EQ(r.expiryDays, 9u) << c;
  }
  WindowHandle pic = ShowTab(2);
  Choose(pic, 18520, 3600);
  device_seam::startCallLog();
  copyToAll(pic);
  for (const auto& call : device_seam::callLog())
    EXPECT_FALSE(call.op == "getCaptureParams") << call.args[0];
  Click(pic, kApply);
  for (int c = 1; c <= 16; ++c) {
    CaptureSettingPair stored{};
    getCaptureParams(nullptr, c, &stored);
    EXPECT_EQ(captureIntervalSeconds(stored.normal.interval), 3600u) << c;
  }
  Close();
}

// With WD1 offered: switched on, both lists begin with the WD1 item; a
// group on WD1 moves to the first entry when it is switched off; Apply
// stores the flag. Audio follows the stream types.
TEST_F(EncodePage, Wd1AndAudioFollowTheirControls) {
  DeviceAbility* ability = device_seam::mutableAbility();
  const uint32_t mask = ability->mainResMask;
  ability->mainResMask |= 1u << 8;
  Open();
  ASSERT_TRUE(IsWindowVisible(GetDlgItem(page_, kWd1)));
  ASSERT_EQ(SendDlgItemMessage(page_, kWd1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Click(page_, kWd1);
  const std::string wd1 = isVideoStandard(2) ? "960*576(WD1)" : "960*480(WD1)";
  for (int id : {kRes, kRes + kTwin}) {
    char text[64] = "";
    SendDlgItemMessage(page_, id, CB_GETLBTEXT, 0, reinterpret_cast<LParam>(text));
    EXPECT_EQ(text, wd1) << id;
  }
  Choose(page_, kRes, 36);
  ASSERT_EQ(Value(page_, kRes), 36);
  Click(page_, kWd1);
  EXPECT_NE(Value(page_, kRes), 36);
  EXPECT_EQ(static_cast<int>(SendDlgItemMessage(page_, kRes, CB_GETCURSEL, 0, 0)), 0);
  Click(page_, kWd1);
  // Audio: both streams video only leave the box off and disabled; a
  // stream with audio enables it.
  constexpr int kAudio = 18464;
  Choose(page_, kType, 1);
  Choose(page_, kType + kTwin, 1);
  EXPECT_FALSE(Enabled(page_, kAudio));
  EXPECT_EQ(SendDlgItemMessage(page_, kAudio, BM_GETCHECK, 0, 0), 0);
  Choose(page_, kType, 3);
  EXPECT_TRUE(Enabled(page_, kAudio));
  Click(page_, kApply);
  uint8_t flag = 0;
  getWd1Enable(nullptr, 1, 1, &flag);
  EXPECT_EQ(flag, 1);
  Close();
  ability->mainResMask = mask;
}

}  // namespace
