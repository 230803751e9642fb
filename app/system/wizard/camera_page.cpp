// The IP camera page: the cameras the discovery found, and adding the
// ticked ones, each on the first free IP channel and in the first empty
// live-view window.
#include <cstdio>
#include <cstring>

#include "app/app_registry.h"
#include "app/camera.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/system/users/users.h"
#include "app/system/wizard/wizard.h"
#include "app/system/wizard/wizard_lists.h"
#include "gui/button.h"
#include "gui/control_paint.h"
#include "gui/cursor.h"
#include "gui/display.h"
#include "gui/window_attr.h"
#include "gui/listview.h"
#include "gui/window.h"

namespace wizard {
namespace {

constexpr const char* kSection = "startcamera";
constexpr int kList = 16470, kAdd = 16471, kSearch = 16472;
constexpr int kColumnCount = 10;
constexpr int kNoFreeChannel = -3, kSkipped = -1;
constexpr uint8_t kEmptyWindow = 255;
constexpr int kWindowTables = 7;
constexpr uint32_t kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LVS_NOTIFY_ON_RELEASE;
constexpr uint32_t kListExStyle = EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
constexpr uint32_t kButtonExStyle = WS_EX_PLACE_X | WS_EX_PLACE_W;

// The head of an IP channel record: the camera's address, its port and its
// name; the rest are the default camera parameters.
struct ChannelHead {
  uint8_t address[4];
  uint16_t port;
  uint8_t reserved[2];
  char name[48];
};
static_assert(sizeof(ChannelHead) <= sizeof(IpChannelInfo), "the head fits the record");

DiscoveredIpc g_found[IPC_DISCOVERY_MAX];
int g_count = 0;

void fill(WindowHandle page) {
  const WindowHandle list = GetDlgItem(page, kList);
  if (!IsValidHandle(list)) return;
  SendMessage(list, LVM_DELALLITEM, 0, 0);
  const int count = getDiscoveredIpcs(g_found, IPC_DISCOVERY_MAX);
  g_count = count < 0 ? 0 : count > IPC_DISCOVERY_MAX ? IPC_DISCOVERY_MAX : count;
  for (int i = 0; i < g_count; ++i) {
    const DiscoveredIpc& ipc = g_found[i];
    Cell cells[kColumnCount] = {};
    std::snprintf(cells[0], kCellSize, "%d", i + 1);
    formatIpAddr(ipc.address, cells[1], kCellSize);
    getDeviceTypeName(static_cast<int>(ipc.deviceType), cells[3], kCellSize);
    std::snprintf(cells[4], kCellSize, "%u", static_cast<unsigned>(ipc.maker));
    std::snprintf(cells[5], kCellSize, "%u", static_cast<unsigned>(ipc.port));
    formatIpAddr(ipc.mask, cells[6], kCellSize);
    std::snprintf(cells[7], kCellSize, "%.*s", static_cast<int>(sizeof ipc.serial), ipc.serial);
    formatMacAddr(ipc.mac, cells[8], kCellSize);
    addRow(list, i, cells, kColumnCount, true);
  }
  SendMessage(list, LVM_SETHEADCHECK, 0, 0);
  EnableWindow(GetDlgItem(page, kAdd), g_count > 0 ? TRUE : FALSE);
}

void init(WindowHandle page) {
  if (IsValidHandle(make(page, kSection, "ListView", "ipclist", kListStyle, kListExStyle, kList, false))) {
    static const ListColumnDesc kColumns[kColumnCount] = {
        {"list_sipcno", LVCF_CHECKBOX, nullptr}, {"list_sipcaddr", 0, nullptr},   {"list_sipcchan", 0, nullptr},
        {"list_sipctype", 0, nullptr},           {"list_sipcfactory", 0, nullptr}, {"list_sipcmgport", 0, nullptr},
        {"list_sipcsub", 0, nullptr},            {"list_sipcserial", 0, nullptr},  {"list_sipcmac", 0, nullptr},
        {"list_sipcfirmware", 0, nullptr}};
    addListViewColumns(page, kList, kSection, kColumns, kColumnCount);
  }
  const int bottom = pageframe::bottomRow(page);
  make(page, kSection, "button", "add", kButtonStyle | WS_DISABLED, kButtonExStyle, kAdd, false, bottom);
  make(page, kSection, "button", "search", kButtonStyle, kButtonExStyle, kSearch, false, bottom);
  makeButtons(page, kSection, "previous", PAGE_ID_PREVIOUS, "next", PAGE_ID_NEXT, "cancel");
  fill(page);
  users::focusField(page, PAGE_ID_NEXT);
}

// The first IP channel (from 1) not in use, or 0.
int freeIpChannel() {
  uint64_t used = 0;
  getIpChannelNum(&used);
  for (int channel = 1; channel <= IP_CHANNEL_BOUND; ++channel)
    if ((used >> (channel - 1) & 1u) == 0) return channel;
  return 0;
}

// The new channel goes into the first empty window of every window table;
// 0, or the device's refusal of the live view's record.
int placeInLiveView(int ipChannel) {
  PreviewConfig config{};
  const int main = getMainOutput();
  if (getPreviewConfig(login(), main, &config) != 0) return 0;
  const int slots = getMaxChanSlotNum();
  const int limit = slots < PREVIEW_ORDER_SLOTS ? slots : PREVIEW_ORDER_SLOTS;
  for (int window = 0; window < limit; ++window) {
    if (config.order[0][window] != kEmptyWindow) continue;
    const int channel = getAnalogChanNum() + ipChannel - 1;
    for (int table = 0; table < kWindowTables; ++table) config.order[table][window] = static_cast<uint8_t>(channel);
    return setPreviewConfig(login(), main, &config);
  }
  return 0;
}

// 0 added, kSkipped, the code that stops the adding, or (with `placed`
// false) the refusal of the camera's place in the live view.
int addOne(const DiscoveredIpc& ipc, bool* placed) {
  const int channel = freeIpChannel();
  if (channel == 0) return kNoFreeChannel;
  IpcParam defaults{};
  getIpcParam(&defaults);
  IpChannelInfo info{};
  std::memcpy(info.bytes, defaults.bytes, sizeof info.bytes);
  ChannelHead head{};
  std::memcpy(head.address, ipc.address, sizeof head.address);
  head.port = ipc.port;
  std::memcpy(head.name, ipc.serial, sizeof head.name);
  std::memcpy(info.bytes, &head, sizeof head);
  const int rc = addIpChannel(login(), channel, &info);
  if (rc != 0) return rc;
  const int place = placeInLiveView(channel);
  *placed = place == 0;
  return place;
}

void add(WindowHandle page) {
  bool any = false;
  for (int i = 0; i < g_count && !any; ++i) any = rowChecked(page, kList, i);
  if (!any) {
    showMsgBox(page, "commons", "itemselect", MSGBOX_INFO);
    return;
  }
  SetCursor(GetSystemCursor(SYSCURSOR_BUSY));
  bool added = false;
  for (int i = 0; i < g_count; ++i) {
    if (!rowChecked(page, kList, i)) continue;
    bool placed = true;
    const int rc = addOne(g_found[i], &placed);
    if (rc == kSkipped && placed) continue;
    // The camera is added even when its window was refused.
    added = added || !placed;
    if (!placed) {
      reportSaveFailed(page, rc);
      break;
    }
    if (rc != 0) {
      showIpcAddError(page, rc);
      break;
    }
    added = true;
  }
  if (added) fill(page);
  SetCursor(GetSystemCursor(SYSCURSOR_NORMAL));
}

void search(WindowHandle page) {
  SetCursor(GetSystemCursor(SYSCURSOR_BUSY));
  // A refused search lists nothing, as one that found nothing.
  (void)startIpcDiscovery(login());
  fill(page);
  SetCursor(GetSystemCursor(SYSCURSOR_NORMAL));
}

void command(WindowHandle page, int id, int) {
  if (id == kAdd) add(page);
  if (id == kSearch) search(page);
  if (id == PAGE_ID_NEXT) goOn(page, Step::Camera);
}

// The list takes the keys that move in it.
bool key(WindowHandle page, int message, WParam wParam, LParam, LResult*) {
  return message == MSG_KEYDOWN && listKey(page, kList, static_cast<int>(wParam));
}

const Page kPage{kSection, PAGE_ID_PREVIOUS, nullptr, {init, pageframe::takesAll<command>, nullptr, nullptr, nullptr, key}};

}  // namespace

int openCameraPage(WindowHandle owner) { return runPage<kPage>(owner); }

}  // namespace wizard
