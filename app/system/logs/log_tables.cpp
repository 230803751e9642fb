// The log type tables and the minor types each kind of device can log.
#include "app/system/logs/log_tables.h"

#include <cstdio>
#include <ctime>

#include "app/device_ability.h"
#include "app/format_text.h"
#include "app/formatting.h"
#include "app/msgbox.h"

namespace logs {
namespace {

template <size_t N>
constexpr Table tableOf(const ValueKeyRow (&rows)[N]) {
  return {rows, static_cast<int>(N)};
}

constexpr ValueKeyRow kMajor[] = {{"logtype_all", kAllTypes},
                                  {"logtype_major_alarm", kMajorAlarm},
                                  {"logtype_major_exception", kMajorException},
                                  {"logtype_major_operation", kMajorOperation},
                                  {"logtype_major_inform", kMajorInform}};
constexpr ValueKeyRow kMinorAll[] = {{"logtype_all", kAllTypes}};
constexpr ValueKeyRow kMinorAlarm[] = {
    {"logtype_all", kAllTypes},        {"logtype_minor_alarmin", 1},     {"logtype_minor_alarmout", 2},
    {"logtype_minor_mot_start", 3},    {"logtype_minor_mot_stop", 4},    {"logtype_minor_hide_start", 5},
    {"logtype_minor_hide_stop", 6}};
constexpr int kRecError = 40;
constexpr ValueKeyRow kMinorException[] = {
    {"logtype_all", kAllTypes},           {"logtype_minor_vi_lost", 33},       {"logtype_minor_vi_error", 42},
    {"logtype_minor_illegal_access", 34}, {"logtype_minor_hd_full", 35},       {"logtype_minor_hd_error", 36},
    {"logtype_minor_ip_conflict", 38},    {"logtype_minor_net_broken", 39},    {"logtype_minor_rec_error", kRecError},
    {"logtype_minor_ipc_disconnect", 41}, {"logtype_minor_ipc_conflict", 43},  {"logtype_minor_vi_mismatch", 46},
    {"logtype_minor_record_overflow", 47}};
constexpr ValueKeyRow kMinorInform[] = {
    {"logtype_all", kAllTypes},          {"logtype_minor_hdd_info", 161},      {"logtype_minor_smart_info", 162},
    {"logtype_minor_rec_start", 163},    {"logtype_minor_rec_stop", 164},      {"logtype_minor_pic_rec_start", 179},
    {"logtype_minor_pic_rec_stop", 180}, {"logtype_minor_rec_overdue", 165},   {"logtype_minor_net_disk_info", 168},
    {"logtype_minor_auto_format", 182},  {"logtype_minor_run_status", 170}};
// 150 stands twice (local unload, remote picture export): a lookup by value
// finds the first.
constexpr ValueKeyRow kMinorOperation[] = {
    {"logtype_all", kAllTypes},
    {"logtype_minor_start_dvr", 65},
    {"logtype_minor_stop_dvr", 66},
    {"logtype_minor_stop_abnormal", 67},
    {"logtype_minor_local_reboot_dvr", 68},
    {"logtype_minor_local_login", 80},
    {"logtype_minor_local_logout", 81},
    {"logtype_minor_local_cfg_parm", 82},
    {"logtype_minor_local_update", 90},
    {"logtype_minor_local_start_rec", 85},
    {"logtype_minor_local_stop_rec", 86},
    {"logtype_minor_local_ptzctrl", 87},
    {"logtype_minor_local_lockfile", 96},
    {"logtype_minor_local_unlockfile", 97},
    {"logtype_minor_local_dvr_alarm", 98},
    {"logtype_minor_local_format_hdd", 92},
    {"logtype_minor_local_ipc_add", 99},
    {"logtype_minor_local_ipc_del", 100},
    {"logtype_minor_local_ipc_set", 101},
    {"logtype_minor_local_playbyfile", 83},
    {"logtype_minor_local_playbytime", 84},
    {"logtype_minor_local_cfgfile_output", 93},
    {"logtype_minor_local_cfgfile_input", 94},
    {"logtype_minor_local_recfile_output", 91},
    {"logtype_minor_local_picfile_output", 149},
    {"logtype_minor_local_add_nas", 106},
    {"logtype_minor_local_del_nas", 107},
    {"logtype_minor_local_set_nas", 108},
    {"logtype_minor_local_start_pic_rec", 289},
    {"logtype_minor_local_stop_pic_rec", 290},
    {"logtype_minor_reset_passwd", 109},
    {"logtype_minor_local_tag_opt", 294},
    {"logtype_minor_local_vout_switch", 320},
    {"logtype_minor_local_hd_test", 110},
    {"logtype_minor_local_unload_hdisk", 150},
    {"logtype_minor_local_load_hdisk", 151},
    {"logtype_minor_local_delete_hdisk", 152},
    {"logtype_minor_remote_stop", 131},
    {"logtype_minor_remote_reboot", 123},
    {"logtype_minor_remote_login", 112},
    {"logtype_minor_remote_logout", 113},
    {"logtype_minor_remote_cfg_parm", 119},
    {"logtype_minor_remote_upgrade", 126},
    {"logtype_minor_remote_start_rec", 114},
    {"logtype_minor_remote_stop_rec", 115},
    {"logtype_minor_remote_ptzctrl", 129},
    {"logtype_minor_remote_lockfile", 132},
    {"logtype_minor_remote_unlockfile", 133},
    {"logtype_minor_remote_dvr_alarm", 137},
    {"logtype_minor_remote_format_hdd", 130},
    {"logtype_minor_remote_ipc_add", 138},
    {"logtype_minor_remote_ipc_del", 139},
    {"logtype_minor_remote_ipc_set", 140},
    {"logtype_minor_remote_playbyfile", 127},
    {"logtype_minor_remote_playbytime", 128},
    {"logtype_minor_remote_cfgfile_output", 134},
    {"logtype_minor_remote_cfgfile_input", 135},
    {"logtype_minor_remote_recfile_output", 136},
    {"logtype_minor_remote_picfile_output", 150},
    {"logtype_minor_remote_get_parm", 118},
    {"logtype_minor_remote_get_status", 120},
    {"logtype_minor_remote_start_trans_chan", 116},
    {"logtype_minor_remote_stop_trans_chan", 117},
    {"logtype_minor_start_vt", 124},
    {"logtype_minor_stop_vt", 125},
    {"logtype_minor_remote_arm", 121},
    {"logtype_minor_remote_disarm", 122},
    {"logtype_minor_remote_add_nas", 142},
    {"logtype_minor_remote_del_nas", 143},
    {"logtype_minor_remote_set_nas", 144},
    {"logtype_minor_remote_start_pic_rec", 305},
    {"logtype_minor_remote_stop_pic_rec", 306},
    {"logtype_minor_remote_tag_opt", 310},
    {"logtype_minor_remote_delete_hdisk", 154},
    {"logtype_minor_remote_load_hdisk", 155},
    {"logtype_minor_remote_unload_hdisk", 156}};
constexpr ValueKeyRow kParam[] = {
    {"param_videoout", 1},         {"param_image", 2},        {"param_encode", 4},        {"param_network", 8},
    {"param_alarm", 16},           {"param_exception", 32},   {"param_decoder", 64},      {"param_rs232", 128},
    {"param_preview", 256},        {"param_security", 512},   {"param_datetime", 1024},   {"param_frametype", 2048},
    {"param_harddisk", 4096},      {"param_autoboot", 8192},  {"param_holiday", 16384},   {"param_ipc", 32768},
    {"param_device", 65536},       {"param_holidaycfg", 524288}, {"param_snapshot", 1048576},
    {"param_protocol", 524290}};
static_assert(sizeof kMinorOperation / sizeof kMinorOperation[0] == 76, "76 operation rows");

constexpr const char* kNoPicRecError = "logtype_minor_rec_error_nopic";
constexpr int kHddCycleKind = 5;
constexpr int kRecPlanKinds[] = {4, 9, 0x11000009};

bool among(int value, std::initializer_list<int> values) {
  for (int v : values)
    if (v == value) return true;
  return false;
}

// Minor types a device without the feature never logs.
bool hidden(int major, int value, const LogCaps& c) {
  if (major == kMajorException) {
    if (!c.ipChannels && among(value, {41, 43})) return true;
    if (!c.analogChannels && value == 42) return true;
    return !c.cvbsOutput && value == 46;
  }
  if (major == kMajorOperation) {
    if (!c.ipChannels && among(value, {99, 100, 101, 138, 139, 140})) return true;
    if (!c.pictureCapture && among(value, {149, 150, 289, 305, 290, 306})) return true;
    if (c.autoFormat && among(value, {92, 130})) return true;
    return !c.removablePorts && among(value, {151, 150, 155, 156});
  }
  if (major == kMajorInform) {
    if (!c.pictureCapture && among(value, {179, 180})) return true;
    return !c.autoFormat && value == 182;
  }
  return false;
}

const ValueKeyRow* findRow(const Table& t, int value) {
  for (int i = 0; i < t.count; ++i)
    if (t.rows[i].value == value) return &t.rows[i];
  return nullptr;
}

std::string caption(const char* key) {
  const char* text = lookupText(kSection, key);
  return text ? text : "";
}

std::string valueText(const Table& t, int value) {
  char text[128] = "";
  formatValueText(kSection, t.rows, t.count, value, text, sizeof text);
  return text;
}

}  // namespace

Table majorTable() { return tableOf(kMajor); }

Table minorTable(int major) {
  switch (major) {
    case kAllTypes: return tableOf(kMinorAll);
    case kMajorAlarm: return tableOf(kMinorAlarm);
    case kMajorException: return tableOf(kMinorException);
    case kMajorOperation: return tableOf(kMinorOperation);
    case kMajorInform: return tableOf(kMinorInform);
    default: return {nullptr, 0};
  }
}

Table paramTable() { return tableOf(kParam); }

LogCaps deviceLogCaps() {
  LogCaps c{};
  c.ipChannels = getIpChannelNum(nullptr) > 0;
  c.analogChannels = hasAnalogChan() != 0;
  c.cvbsOutput = hasCvbsOutput() != 0;
  c.pictureCapture = hasPictureStorage() != 0;
  c.autoFormat = hasAutoDiskFormat() != 0;
  c.removablePorts = getEsataNum() > 0 || getMiniSasNum() > 0;
  return c;
}

std::vector<ValueKeyRow> minorRows(int major, const LogCaps& caps) {
  const Table t = minorTable(major);
  std::vector<ValueKeyRow> rows;
  for (int i = 0; i < t.count; ++i) {
    if (hidden(major, t.rows[i].value, caps)) continue;
    ValueKeyRow row = t.rows[i];
    if (major == kMajorException && row.value == kRecError && !caps.pictureCapture)
      std::snprintf(row.key, sizeof row.key, "%s", kNoPicRecError);
    rows.push_back(row);
  }
  return rows;
}

std::string majorText(int major) { return valueText(majorTable(), major); }

std::string minorText(const LogRecord& r, bool pictureCapture) {
  const Table t = minorTable(r.major);
  if (r.major == kAllTypes || t.count == 0) return "";
  if (r.major == kMajorException && r.minor == kRecError && !pictureCapture) return caption(kNoPicRecError);
  return valueText(t, r.minor);
}

std::string paramText(const LogRecord& r) {
  if (const ValueKeyRow* row = findRow(paramTable(), static_cast<int>(r.paramType))) return caption(row->key);
  if (r.infoKind == kHddCycleKind) return caption("param_hddcycle");
  for (int kind : kRecPlanKinds)
    if (r.infoKind == kind) return caption("param_recplan");
  return "N/A";
}

std::string timeText(uint32_t time) {
  const time_t t = static_cast<time_t>(time);
  struct tm local {};
  if (!localtime_r(&t, &local)) return "";
  char date[DATE_TEXT_SIZE] = "";
  formatDate(date, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  char text[DATE_TEXT_SIZE + 32];
  std::snprintf(text, sizeof text, "%s %02d:%02d:%02d", date, local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}

}  // namespace logs
