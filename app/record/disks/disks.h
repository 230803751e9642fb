// What the S.M.A.R.T. window, the disk check page and the advanced disk
// page share inside the library.
#pragma once

#include <cstdint>

#include "app/page_building.h"

namespace disks {

constexpr const char* kSmartSection = "disk_smartinfo";
constexpr const char* kDetectSection = "disk_detect";
constexpr const char* kAdvanceSection = "disk_advance";
constexpr const char* kTypeSection = "typecfg";

constexpr int kSmartTimer = 8193, kCheckTimer = 8194, kPollPeriod = 50;

// A poll timer of a page: while it is installed the main output's live
// view is held. Starting a running timer or stopping a stopped one does
// nothing, so every way out may stop it.
void startPoll(WindowHandle page, int timer);
void stopPoll(WindowHandle page, int timer);

// Texts and values of a page's controls.
void setText(WindowHandle page, int id, const char* text);
void enable(WindowHandle page, int id, bool on);
void show(WindowHandle page, int id, bool on);
// The caption of (section, key), or "".
const char* caption(const char* section, const char* key);

// Disk numbers of the disk list that `keep` accepts, in list order, into
// a combo box as "%d" with the number as value; the first, or -1.
int fillDiskCombo(WindowHandle page, int id, bool (*keep)(int number));
bool isLocalDiskNumber(int number);

// The S.M.A.R.T. page of the S.M.A.R.T. window.
LResult smartPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
void loadSmartBitmaps();
void stopSmartPagePoll(WindowHandle page);

// The bad-sector page of the S.M.A.R.T. window.
LResult diskCheckPageProc(WindowHandle page, int message, WParam wParam, LParam lParam);
void resetDiskCheckGrid();
void stopDiskCheckPoll(int output, WindowHandle page);

}  // namespace disks
