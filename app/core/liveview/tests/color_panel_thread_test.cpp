// The colour panel driven as a user drives it, inside its own loop: random
// slider, value-box, mode, copy, OK and Escape sequences on analog and IP
// channels, after which the device's shown and stored colours must match a
// model; the panel's rows, modes and ranges per channel kind; its picture.
#include <algorithm>
#include <cstring>
#include <map>
#include <random>

#include "app/camera.h"
#include "app/color_panel.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "controls/combobox/combobox_class.h"
#include "controls/trackbar/trackbar_class.h"
#include "gui/app_hooks.h"
#include "gui/combobox.h"
#include "gui/paint.h"
#include "gui/trackbar.h"
#include "app/core/liveview/tests/host_input.h"
#include "app/page_ids.h"
#include "app/testing/page_harness.h"
#include "app/page_keys.h"

namespace {

using livetest::LiveGui;

constexpr int kMode = 12544, kOk = PAGE_ID_OK, kCopy = PAGE_ID_COPY, kDefault = 12563;
const int kSliders[] = {12546, 12549, 12552, 12555, 12558, 12561};
const int kBoxes[] = {12547, 12550, 12553, 12556, 12559, 12562};
const size_t kBytes[] = {4, 5, 7, 6, 36, 37};

// Stand-in slider and value box: they keep what they are told.
struct Kept {
  std::vector<std::pair<WParam, std::string>> items;
  int64_t selected = -1, value = 0, low = 0, high = 10;
};
std::map<WindowHandle, Kept>& KeptOf() {
  static std::map<WindowHandle, Kept> kept;
  return kept;
}
LResult KeepingProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  Kept& k = KeptOf()[hwnd];
  switch (msg) {
    case 0xF183: k.items.clear(); return 0;
    case 0xF143: k.items.emplace_back(wParam, reinterpret_cast<const char*>(lParam)); return 0;
    case 0xF182: k.selected = static_cast<int64_t>(wParam); return 0;
    case 0xF181: return static_cast<LResult>(k.selected);
    case TBM_SETRANGE:  // either bound first
      if (wParam == static_cast<WParam>(lParam)) return -1;
      k.low = std::min<int64_t>(wParam, lParam), k.high = std::max<int64_t>(wParam, lParam);
      return 0;
    case CB_SETSPINRANGE:  // the minimum first
      if (static_cast<int64_t>(wParam) > lParam) return -3;
      k.low = static_cast<int64_t>(wParam), k.high = lParam;
      return 0;
    case 0xF092:
    case 0xF165: k.value = static_cast<int64_t>(wParam); return 0;
    case 0xF093:
    case 0xF166: return static_cast<LResult>(k.value);
    case 100: KeptOf().erase(hwnd); break;
    default: break;
  }
  return DefaultControlProc(hwnd, msg, wParam, lParam);
}
void RegisterKeeping(const char* name) {
  if (FindControlClass(name)) return;
  WndClassInfo info{};
  info.className = name;
  info.windowProc = KeepingProc;
  RegisterWindowClass(&info);
}

// The copy dialog's channel boxes clicked until they tick the channels of
// `mask` (bit n - 1 for channel n); the source channel has no box to click.
void TickChannels(WindowHandle copy, uint64_t mask) {
  const int analog = getAnalogChanNum();
  for (int ch = 1; ch <= getChannelNum(); ++ch) {
    const int id = ch <= analog ? CHANBOX_ANALOG_FIRST + ch - 1 : CHANBOX_IP_FIRST + ch - analog - 1;
    const WindowHandle box = GetDlgItem(copy, id);
    if (!IsValidHandle(box) || !IsWindowVisible(box)) continue;
    const bool wanted = (mask >> (ch - 1)) & 1;
    if ((SendMessage(box, BM_GETCHECK, 0, 0) == BST_CHECKED) != wanted) livetest::Click(copy, id);
  }
}

ColorSetRecord ColoursOf(const ChannelConfig& c) {
  return {c.brightness, c.contrast, c.saturation, c.hue, c.pictureExtra, c.colorMode, c.sharpness, c.denoise};
}

// Runs steps inside a modal loop once the window it waits for has opened:
// under load the posted message may arrive before the dialog exists. The
// look comes before any read, since a read that delivers the click opening
// the window would run its loop inside this one, with no post to come.
std::function<WindowHandle()> g_waitFor;
std::function<void()> g_nested;
constexpr int kNestedSteps = 0x9102;
LResult NestedProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == kNestedSteps) {
    if (g_waitFor() == GUI_INVALID_HANDLE) {
      PostMessage(hwnd, kNestedSteps, 0, 0);
      return 0;
    }
    desktest::Drain();
    const std::function<void()> steps = g_nested;  // the steps may set the next ones
    steps();
    return 0;
  }
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

// The rows and ranges are read from recording sliders and value boxes
// standing in for the real classes; the random use and the pictures have
// the real ones.
class ColorPanel : public LiveGui {
 protected:
  inputtest::SingleClicks singleClicks_;
  void SetUp() override {
    LiveGui::SetUp();
    if (!Pictured()) {
      UnregisterWindowClass("trackbar");
      UnregisterWindowClass("combobox");
    }
    RegisterKeeping("trackbar");
    RegisterKeeping("combobox");
  }
  void TearDown() override {
    if (!Pictured()) {
      UnregisterWindowClass("trackbar");
      UnregisterWindowClass("combobox");
      controls::RegisterTrackBarControl();
      controls::RegisterComboBoxControl();
    }
    LiveGui::TearDown();
  }
  virtual bool Pictured() const { return false; }
  int64_t Value(WindowHandle dlg, int id) { return KeptOf()[GetDlgItem(dlg, id)].value; }
};

// The panel with its real sliders, value boxes and mode box, as a hand uses it.
class ColorPanelByHand : public ColorPanel {
 protected:
  bool Pictured() const override { return true; }
  static int SliderAt(WindowHandle dlg, int row) {
    return static_cast<int>(SendDlgItemMessage(dlg, kSliders[row], TBM_GETPOS, 0, 0));
  }
  static int BoxAt(WindowHandle dlg, int row) {
    return static_cast<int>(SendDlgItemMessage(dlg, kBoxes[row], CB_GETSPINVALUE, 0, 0));
  }
  // A click on a control of the panel at (x, y) of it, answered once it has
  // let go of the mouse again.
  static void ClickOn(WindowHandle dlg, int id, int x, int y) {
    const WindowHandle item = GetDlgItem(dlg, id);
    Rect r{};
    GetWindowRect(item, &r);
    int sx = r.left + x, sy = r.top + y;
    ClientToScreen(dlg, &sx, &sy);
    livetest::ClickAt(sx, sy, [item] { return GetCapture() == item; });
    livetest::PumpUntil([item] { return GetCapture() != item; });
    desktest::Drain();
  }
};

TEST_F(ColorPanelByHand, RandomUseLeavesShownAndStoredColoursAsTheModelSays) {
  std::mt19937 rng(4142);
  for (int round = 0; round < 24; ++round) {
    SCOPED_TRACE(round);
    device_seam::resetAll();
    const uint64_t ipChannels = 3;  // channels 17 and 18: the device keeps records of channels it has
    device_seam::overrideAnswer(getIpChannelNum, 2, &ipChannels, sizeof ipChannels);
    std::map<int, ChannelConfig> stored, touched;
    std::map<int, ColorSetRecord> shown;
    const int channels = getChannelNum();
    for (int ch = 1; ch <= channels; ++ch) {
      ChannelConfig c{};
      getChannelConfig(nullptr, ch, &c);
      c.brightness = rng() & 0xFF, c.contrast = rng() & 0xFF, c.hue = rng() & 0xFF, c.saturation = rng() & 0xFF;
      c.sharpness = rng() & 0xFF, c.denoise = rng() & 0xFF, c.colorMode = rng() % 4;
      EXPECT_EQ(setChannelConfig(nullptr, ch, &c, 0), 0);
      stored[ch] = c;
    }
    const int selected = round % 4 == 3 ? 17 : 1 + static_cast<int>(rng() % 16);
    const bool ip = selected > 16;
    setPreviewSelChan(3, selected);
    setOutputState(3, OUTSTATE_COLORPANEL);
    ChannelConfig cur = stored[selected];
    touched[selected] = cur;
    WindowHandle nested = Main({0, 0, 4, 4}, NestedProc);
    g_waitFor = getLeftColorSetWnd;
    g_nested = [&] {
      WindowHandle dlg = getLeftColorSetWnd();
      EXPECT_EQ(SliderAt(dlg, 0), cur.brightness);
      for (int step = 0; step < 10; ++step) {
        const int row = static_cast<int>(rng() % (ip ? 4 : 6));
        auto* bytes = reinterpret_cast<uint8_t*>(&cur);
        switch (rng() % 6) {
          case 0: {  // a click on the slider: the thumb goes there, the release applies
            Rect r{};
            GetWindowRect(GetDlgItem(dlg, kSliders[row]), &r);
            const int w = r.right - r.left, h = r.bottom - r.top;
            ClickOn(dlg, kSliders[row], 2 + static_cast<int>(rng() % static_cast<unsigned>(std::max(1, w - 4))), h / 2);
            const int pos = SliderAt(dlg, row);
            EXPECT_EQ(BoxAt(dlg, row), pos) << "the box follows the slider";
            bytes[kBytes[row]] = static_cast<uint8_t>(pos);
            shown[selected] = ColoursOf(cur);
            break;
          }
          case 1: {  // clicks on the value box's arrows: each steps it, each release applies
            Rect r{};
            GetWindowRect(GetDlgItem(dlg, kBoxes[row]), &r);
            const int w = r.right - r.left, h = r.bottom - r.top;
            const bool up = rng() % 2;
            for (int clicks = 1 + static_cast<int>(rng() % 3); clicks > 0; --clicks)
              ClickOn(dlg, kBoxes[row], w - 3, up ? h / 2 - 2 : h / 2 + 2);
            const int value = BoxAt(dlg, row);
            EXPECT_EQ(SliderAt(dlg, row), value) << "the slider follows the box";
            bytes[kBytes[row]] = static_cast<uint8_t>(value);
            shown[selected] = ColoursOf(cur);
            break;
          }
          case 2: {  // a mode chosen (the device has no presets: only the mode changes)
            const int mode = ip ? 255 : static_cast<int>(rng() % 4);
            const bool change = SendDlgItemMessage(dlg, kMode, CB_GETSELVALUE, 0, 0) != mode;
            EXPECT_TRUE(livetest::ChooseByMouse(dlg, kMode, ip ? 0 : mode));  // the rows in the modes' order
            if (change) cur.colorMode = static_cast<uint8_t>(mode), shown[selected] = ColoursOf(cur);
            break;
          }
          case 3: {  // copy to channels picked in the copy dialog
            if (ip) break;
            const uint64_t mask = (uint64_t(rng()) & 0xFFFF) | (uint64_t(rng() % 4) << 16);
            g_waitFor = getCopyChanWnd;
            g_nested = [&, mask] {
              WindowHandle copy = getCopyChanWnd();
              TickChannels(copy, mask);
              inputtest::ClickClosing(copy, kOk);
            };
            PostMessage(nested, kNestedSteps, 0, 0);
            livetest::Click(dlg, kCopy);
            const uint64_t copied = getImageCopyChanMask();
            for (int ch = 1; ch <= channels; ++ch)
              if (copied >> (ch - 1) & 1) shown[ch] = ColoursOf(cur), touched[ch] = cur;
            EXPECT_TRUE(IsWindowVisible(dlg)) << "shown again after copying";
            break;
          }
          default:
            break;
        }
      }
      if (rng() % 2) {
        touched[selected] = cur;
        for (auto& [ch, entry] : touched) {
          auto* to = reinterpret_cast<uint8_t*>(&stored[ch]);
          const auto* from = reinterpret_cast<const uint8_t*>(&entry);
          std::memcpy(to + 4, from + 4, 4);
          if (ch <= 16) std::memcpy(to + 36, from + 36, 8);
        }
        inputtest::ClickClosing(dlg, kOk);
      } else {
        for (auto& [ch, entry] : touched) shown[ch] = ColoursOf(stored[ch]);
        livetest::PressKey(KEY_ESC);
      }
    };
    PostMessage(nested, kNestedSteps, 0, 0);
    showLeftColorSetDialog(nested);
    EXPECT_EQ(getLeftColorSetWnd(), GUI_INVALID_HANDLE);
    EXPECT_EQ(getOutputState(3), OUTSTATE_LIVEVIEW);
    for (int ch = 1; ch <= channels; ++ch) {
      SCOPED_TRACE(ch);
      ChannelConfig now{};
      getChannelConfig(nullptr, ch, &now);
      EXPECT_EQ(std::memcmp(&now, &stored[ch], sizeof now), 0) << "stored";
      ColorSetRecord seen{};
      EXPECT_EQ(device_seam::appliedColor(ch, &seen), shown.count(ch) == 1);
      if (shown.count(ch)) {
        EXPECT_EQ(std::memcmp(&seen, &shown[ch], sizeof seen), 0) << "shown";
      }
    }
  }
}

TEST_F(ColorPanel, IpChannelsGetFourRowsAndCustomOnlyAndRangesComeFromTheDevice) {
  struct Row {
    int channel;
    bool analogRows;
    std::vector<WParam> modes;
  } rows[] = {{3, true, {0, 1, 2, 3}}, {17, false, {255}}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.channel);
    setPreviewSelChan(3, row.channel);
    ColorRangeRecord ranges{};
    for (int i = 0; i < 6; ++i) ranges.rows[i].minimum = uint8_t(10 + i), ranges.rows[i].maximum = uint8_t(200 + i);
    device_seam::overrideAnswer(getColorRange, 0, &ranges, sizeof ranges);
    RunInLoop(showLeftColorSetDialog, [&] {
      WindowHandle dlg = getLeftColorSetWnd();
      for (int id : {12557, 12558, 12559, 12560, 12561, 12562, kDefault, kCopy})
        EXPECT_EQ(GetDlgItem(dlg, id) != GUI_INVALID_HANDLE && GetDlgItem(dlg, id) != 0, row.analogRows) << id;
      EXPECT_NE(GetDlgItem(dlg, kOk), GUI_INVALID_HANDLE);
      std::vector<WParam> modes;
      for (auto& item : KeptOf()[GetDlgItem(dlg, kMode)].items) modes.push_back(item.first);
      EXPECT_EQ(modes, row.modes);
      // Brightness reads entry 0, hue ("chroma") entry 4.
      EXPECT_EQ(KeptOf()[GetDlgItem(dlg, 12546)].low, 10);
      EXPECT_EQ(KeptOf()[GetDlgItem(dlg, 12555)].high, 204);
      EXPECT_EQ(KeptOf()[GetDlgItem(dlg, 12556)].high, 204);
      livetest::PressKey(KEY_ESC);
    });
    device_seam::clearOverrides();
  }
}

class ColorPanelOnScreen : public ColorPanel {
 protected:
  bool Pictured() const override { return true; }
};

TEST_F(ColorPanelOnScreen, AnalogAndIpChannels) {
  for (int channel : {2, 17}) {
    setPreviewSelChan(3, channel);
    RunInLoop(showLeftColorSetDialog, [channel] {
      WindowHandle dlg = getLeftColorSetWnd();
      UpdateWindow(dlg, TRUE);
      desktest::Drain();
      Rect r{};
      GetWindowRect(dlg, &r);
      livetest::MatchesReference(__FILE__, channel > 16 ? "colorpanel_ip" : "colorpanel_analog", livetest::SettledGrab(r));
      inputtest::ClickClosing(dlg, kOk);
    });
  }
}

}  // namespace
