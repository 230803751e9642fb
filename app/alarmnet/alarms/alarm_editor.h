// The input and output pages share one editor: a selection box of every
// local and IP item, the fields of the item being edited, an edit cache of
// the items switched away from, copy to other items, and one Apply that
// writes the current item and then every cached one. `Traits` names the
// record, the controls and what differs between inputs and outputs.
#pragma once

#include <cstdio>
#include <cstring>

#include "app/alarmnet/alarms/alarm_items.h"
#include "app/alarmnet/alarms/alarm_pages.h"
#include "app/alarmnet/alarms/edit_cache.h"
#include "app/alarmnet/events/event_sources.h"
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/layout_bitmaps.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_registry.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/livevideo.h"
#include "gui/control_paint.h"
#include "gui/display.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace alarms {

// Not a device code: a full edit cache refuses the switch rather than drop
// the edits of the item being left.
constexpr int kErrCacheFull = -0x7001;

// What Apply learnt while writing: a changed alarm type of a local or an IP
// input.
struct ApplyFlags {
  bool localTypeChanged = false;
  bool ipTypeChanged = false;
  bool rebootNotice = false;  // an item's write answered the reboot notice
};

template <typename Traits>
class AlarmEditor {
 public:
  using Record = typename Traits::Record;
  using Cache = EditCache<Record, Traits::kCacheSize>;

  static Record* working() { return &s.record; }
  // Outside the page the sheet finds a zeroed record.
  static void reset() {
    std::memset(&s.record, 0, sizeof s.record);
    std::memset(s.holiday, 0, sizeof s.holiday);
    s.cache.clear();
  }

  static LResult proc(WindowHandle page, int message, WParam wParam, LParam lParam) {
    static const pageframe::PageHooks hooks{init, eraseBkgndGrey50, command, save, report, closeSystemMenu};
    return pageframe::runPage(hooks, page, message, wParam, lParam);
  }


 private:
  struct State {
    Record record;
    TimeSegment holiday[HOLIDAY_SEGMENTS];
    int current;
    Cache cache;
    NamedBitmap images[3] = {{"handle_bg_bmp", {}, 0}, {"handle_bmp", {}, 0}, {"handle_dis_bmp", {}, 0}};
  };
  static inline State s{};

  static OutputLogin* login() { return getOutputLogin(getCurOutput()); }

  static void createControls(WindowHandle page) {
    constexpr uint32_t kPlaced = WS_EX_PLACE_X | WS_EX_PLACE_W;
    constexpr uint32_t kCombo = WS_CHILD | WS_VISIBLE | CBS_NOTIFY | CBS_DROPDOWNLIST;
    const char* sec = kSection;
    pageframe::createFromKey(page, sec, {"combobox", Traits::kNumKey, kCombo, kPlaced | EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT, Traits::kNumId, true});
    pageframe::createFromKey(page, sec, {"sledit", Traits::kNameKey, WS_CHILD | WS_VISIBLE, kPlaced | EDIT_CORNER_TOPRIGHT, Traits::kNameId, true});
    pageframe::createFromKey(page, sec, {"combobox", Traits::kFieldKey, kCombo, kPlaced, Traits::kFieldId, true});
    if (Traits::kCheckKey)
      pageframe::createFromKey(page, sec, {"button", Traits::kCheckKey, WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_AUTOCHECKBOX, kPlaced, Traits::kCheckId, true});
    const Bitmap* back = findNamedBitmap(s.images, 3, "handle_bg_bmp");
    const Bitmap* normal = findNamedBitmap(s.images, 3, "handle_bmp");
    const Bitmap* disabled = findNamedBitmap(s.images, 3, "handle_dis_bmp");
    // The picture is the button's own image, drawn over the set background.
    const WindowHandle button = pageframe::createFromKey(
        page, sec, {"button", Traits::kButtonKey, WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_BITMAP | BS_LEFTTEXT | BS_BITMAPBUTTON, kPlaced | EDIT_CORNER_BOTTOMRIGHT, Traits::kButtonId, true},
        -1, reinterpret_cast<LParam>(normal));
    if (IsValidHandle(button)) {
      if (normal) SetCtrlBitmaps(button, normal, back, 1);
      if (normal) SetCtrlBitmaps(button, normal, back, 2);
      if (disabled) SetCtrlBitmaps(button, disabled, back, 3);
    }
    const int y = pageframe::bottomRow(page);
    constexpr uint32_t kButton = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
    pageframe::createFromKey(page, sec, {"button", Traits::kCopyKey, kButton, kPlaced, PAGE_ID_COPY, false}, y);
    pageframe::createFromKey(page, sec, {"button", Traits::kApplyKey, kButton | WS_DISABLED, kPlaced, PAGE_ID_APPLY, false}, y);
    pageframe::createFromKey(page, sec, {"button", Traits::kCloseKey, kButton, kPlaced, PAGE_ID_EXIT, false}, y);
  }

  static void fillSelection(WindowHandle page) {
    SendDlgItemMessage(page, Traits::kNumId, CB_DELETEALL, 0, 0);
    char text[32];
    s.current = -1;
    for (int i = 0; i < localCount(Traits::kSide); ++i) {
      std::snprintf(text, sizeof text, localFormat(Traits::kSide), i + 1);
      SendDlgItemMessage(page, Traits::kNumId, CB_ADDSTRING, static_cast<WParam>(localValue(i)), reinterpret_cast<LParam>(text));
      if (s.current < 0) s.current = localValue(i);
    }
    IpAlarmCamera cams[IP_ALARM_CAMERAS];
    const int n = ipAlarmCameras(cams, IP_ALARM_CAMERAS);
    for (int c = 0; c < n; ++c)
      for (int k = 1; k <= countOf(cams[c], Traits::kSide); ++k) {
        std::snprintf(text, sizeof text, ipFormat(Traits::kSide), cams[c].position, k);
        const int value = ipValue(cams[c].position, k);
        SendDlgItemMessage(page, Traits::kNumId, CB_ADDSTYLE2, static_cast<WParam>(value), reinterpret_cast<LParam>(text));
        if (s.current < 0) s.current = value;
      }
    selectCurrent(page);
  }

  static void selectCurrent(WindowHandle page) {
    selectComboValue(page, Traits::kNumId, s.current);
  }

  static void init(WindowHandle page) {
    loadNamedBitmaps(kSection, s.images, 3, 0);
    createControls(page);
    s.cache.clear();
    fillSelection(page);
    std::memset(&s.record, 0, sizeof s.record);
    std::memset(s.holiday, 0, sizeof s.holiday);
    if (s.current >= 1) {
      const int code = s.current - 1;
      Traits::get(login(), groupOfCode(code), indexOfCode(code), &s.record);
      getAlarmHolidaySched(login(), Traits::kHolidayKind, code, s.holiday, 1);
    }
    SendDlgItemMessage(page, Traits::kNameId, EM_LIMITTEXT, 32, 0);
    Traits::fillField(page);
    show(page);
  }

  static void show(WindowHandle page) {
    char name[33];
    copyName(name, s.record.name);
    SetDlgItemText(page, Traits::kNameId, name);
    Traits::show(page, s.record, s.current >= 1 ? groupOfCode(s.current - 1) : 0);
  }

  static void readControls(WindowHandle page) {
    char name[33] = {};
    GetDlgItemText(page, Traits::kNameId, name, sizeof name);
    std::memset(s.record.name, 0, sizeof s.record.name);
    std::memcpy(s.record.name, name, std::strlen(name) < 32 ? std::strlen(name) : 32);
    Traits::read(page, s.record);
  }

  // Keeps the item being edited in the cache: 0, the name code, or the
  // full-cache code.
  static int cacheCurrent(WindowHandle page) {
    readControls(page);
    if (checkAlarmName(s.record.name) == DEVICE_ERR_NAME) return DEVICE_ERR_NAME;
    if (s.current <= 0) return 0;
    typename Cache::Entry* e = s.cache.take(s.current - 1);
    if (!e) return kErrCacheFull;
    e->record = s.record;
    std::memcpy(e->holiday, s.holiday, sizeof s.holiday);
    return 0;
  }

  static int load(WindowHandle page, int value) {
    const int code = value - 1;
    std::memset(&s.record, 0, sizeof s.record);
    if (typename Cache::Entry* e = s.cache.find(code)) {
      s.record = e->record;
      std::memcpy(s.holiday, e->holiday, sizeof s.holiday);
    } else {
      const int rc = Traits::get(login(), groupOfCode(code), indexOfCode(code), &s.record);
      if (rc != 0) return rc;
      getAlarmHolidaySched(login(), Traits::kHolidayKind, code, s.holiday, 1);
    }
    show(page);
    return 0;
  }

  static void selectionChanged(WindowHandle page) {
    const int v = comboValue(page, Traits::kNumId);
    if (v < 1) return;
    if (v - 1 >= localCount(Traits::kSide)) {
      const int channel = (v - 1) / 256 + getAnalogChanNum();
      if (channel > 16 && !isChanValid(channel, -1)) {
        showMsgBox(page, "commons", Traits::kNotSupKey, MSGBOX_INFO);
        selectCurrent(page);
        return;
      }
    }
    if (v != s.current) {
      const int rc = cacheCurrent(page);
      if (rc != 0) {
        report(page, rc);
        selectCurrent(page);
        return;
      }
      // Another item shown is no edit: Apply stays as the edits left it.
      s.current = v;
      if (load(page, v) != 0) showMsgBox(page, "commons", "getalarmhint", MSGBOX_ERROR);
    }
  }

  static void eventHandling(WindowHandle page) {
    std::memcpy(getHandleSetSource(), s.holiday, sizeof s.holiday);
    int changed = 0;
    withMenuDisabled([page, &changed] { changed = showHandleSetDialog(page, Traits::kSource); });
    std::memcpy(s.holiday, getHandleSetSource(), sizeof s.holiday);
    if (changed) enableApply(page, 0, 0);
  }

  // Copies the working item into the cache entry of `code`, keeping what
  // stays the target's own.
  static void copyTo(int code) {
    typename Cache::Entry* e = s.cache.find(code);
    Record target{};
    bool known = e != nullptr;
    if (e)
      target = e->record;
    else
      known = Traits::get(login(), groupOfCode(code), indexOfCode(code), &target) == 0;
    if (!e) e = s.cache.take(code);
    if (!e) return;
    e->record = s.record;
    Traits::keepTarget(e->record, known ? &target : nullptr);
    std::memcpy(e->holiday, s.holiday, sizeof s.holiday);
  }

  static void copy(WindowHandle page) {
    uint64_t mask = 0;
    uint8_t bytes[IP_ALARM_CAMERAS] = {};
    withMenuDisabled([page] { Traits::runCopyDialog(page, s.current); });
    Traits::copyChoice(&mask, bytes);
    if (mask == 0) return;  // closed or nothing chosen: nothing changed
    const int rc = cacheCurrent(page);
    if (rc != 0) return report(page, rc);
    const int local = localCount(Traits::kSide);
    for (int i = 0; i < local; ++i)
      if ((mask >> i) & 1u) copyTo(localValue(i) - 1);
    IpAlarmCamera cams[IP_ALARM_CAMERAS];
    const int n = ipAlarmCameras(cams, IP_ALARM_CAMERAS);
    for (int c = 0; c < n; ++c) {
      const int j = cams[c].position - 1;
      if (local + j >= 64 || !((mask >> (local + j)) & 1u)) continue;
      for (int k = 0; k < countOf(cams[c], Traits::kSide) && k < 8; ++k)
        if ((bytes[j] >> k) & 1u) copyTo(cams[c].position * 256 + k);
    }
    enableApply(page, 0, 0);
  }

  // 0 or the device's refusal of the item's record or holiday schedule;
  // the reboot notice counts as written.
  static int writeOne(int code, const Record& rec, const TimeSegment* holiday, ApplyFlags& flags) {
    Record old{};
    Traits::get(login(), groupOfCode(code), indexOfCode(code), &old);
    const int r = Traits::set(login(), groupOfCode(code), indexOfCode(code), rec);
    if (r != 0 && r != Traits::kRebootCode) return r;
    flags.rebootNotice = flags.rebootNotice || r == Traits::kRebootCode;
    if (const int rc = setAlarmHolidaySched(login(), Traits::kHolidayKind, code, holiday, 1)) return rc;
    return Traits::afterWrite(code, rec, old, flags);
  }

  static int save(WindowHandle page) {
    readControls(page);
    const int rc = apply(page);
    refillStatusList(Traits::kSide);
    return rc;
  }

  // The current item, then every cached one; a refusal stops and keeps the
  // edits (the cache and the working record) for the next Apply.
  static int apply(WindowHandle page) {
    const int v = comboValue(page, Traits::kNumId);
    if (v < 1) return -1;
    const int code = v - 1;
    ApplyFlags flags;
    if (const int rc = writeOne(code, s.record, s.holiday, flags)) return rc;
    int refused = 0;
    s.cache.forEachUsed([&](typename Cache::Entry& e) {
      if (refused == 0 && static_cast<int>(e.code) != code)
        refused = writeOne(static_cast<int>(e.code), e.record, e.holiday, flags);
    });
    if (refused != 0) return refused;
    if (const int rc = saveDeviceParams()) return rc;
    std::memset(&s.record, 0, sizeof s.record);
    Traits::get(login(), groupOfCode(code), indexOfCode(code), &s.record);
    s.cache.clear();
    if (flags.ipTypeChanged) showMsgBox(page, kSection, "ipcreboot", MSGBOX_WARNING);
    return flags.localTypeChanged || flags.rebootNotice ? Traits::kRebootCode : 0;
  }

  static void report(WindowHandle page, int code) {
    if (code == DEVICE_ERR_NAME) {
      showNameHint(page, kSection, Traits::kNameKey);
      const WindowHandle name = GetDlgItem(page, Traits::kNameId);
      if (IsValidHandle(name)) SetFocusChild(name);
    } else if (code == Traits::kRebootCode) {
      SetPowerKeyDownFlag(1);
      const int answer = askMsgBox(page, kSection, "reboothint");
      SetPowerKeyDownFlag(0);
      if (answer == IDYES)
        withMenuDisabled([page] { openShutdownHint(page, 1); });
      else
        SendDlgItemMessage(page, PAGE_ID_APPLY, MSG_ENABLE, 0, 0);
    } else if (code == kErrCacheFull) {
      showMsgBox(page, "commons", "savefailed", MSGBOX_ERROR);
    } else {
      showMsgBoxNum(page, "commons", "savefailed_code", code);
    }
  }

  static void command(WindowHandle page, int id, int code) {
    const WParam wParam = static_cast<WParam>(static_cast<uint32_t>(code) << 16 | static_cast<uint32_t>(id));
    if (id == Traits::kNumId && code == CBN_SELCHANGE) selectionChanged(page);
    if (id == Traits::kNameId) enableApplyOnChange(page, wParam, 0);
    if (id == Traits::kFieldId) enableApplyOnNotify1(page, wParam, 0);
    if (Traits::kCheckKey && id == Traits::kCheckId) enableApply(page, wParam, 0);
    if (id == Traits::kButtonId) eventHandling(page);
    if (id == PAGE_ID_COPY) copy(page);
  }
};

}  // namespace alarms
