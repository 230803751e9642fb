/* Who is logged in on each output, the record each output talks to the
 * device through, what the user of the current output may do, and the
 * channel checks that go with rights. */
#ifndef APP_LOGIN_RIGHTS_H
#define APP_LOGIN_RIGHTS_H

#include "app/device_records.h"

GUI_EXTERN_C_BEGIN

/* Rights bits of a user; those marked per channel also have a channel mask. */
enum UserRight {
  RIGHT_LOCAL_PTZ = 1,            /* per channel */
  RIGHT_LOCAL_RECORD = 2,         /* per channel */
  RIGHT_LOCAL_PLAY = 4,           /* per channel */
  RIGHT_LOCAL_PARAM = 8,
  RIGHT_LOCAL_LOG = 16,
  RIGHT_LOCAL_ADVANCE = 32,
  RIGHT_LOCAL_CAMERA = 128,
  RIGHT_LOCAL_BACKUP = 256,       /* per channel */
  RIGHT_LOCAL_SHUTDOWN = 512,
  RIGHT_REMOTE_PTZ = 4096,        /* per channel */
  RIGHT_REMOTE_RECORD = 8192,     /* per channel */
  RIGHT_REMOTE_PLAY = 16384,      /* per channel */
  RIGHT_REMOTE_PARAM = 0x8000,
  RIGHT_REMOTE_LOG = 0x10000,
  RIGHT_REMOTE_ADVANCE = 0x20000,
  RIGHT_REMOTE_AUDIO = 0x40000,
  RIGHT_REMOTE_PREVIEW = 0x80000, /* per channel */
  RIGHT_REMOTE_ALARM = 0x100000,
  RIGHT_REMOTE_OUT = 0x200000,
  RIGHT_REMOTE_RS232 = 0x400000,
  RIGHT_REMOTE_CAMERA = 0x1000000,
  RIGHT_REMOTE_SHUTDOWN = 0x2000000
};

/* Login state: user index 0..31 (0 the administrator, -2 nobody) and the
 * device's login id (-2 nobody). An id other than the main output's selects
 * the auxiliary output. */
typedef struct LoginState {
  int32_t userIndex;
  int32_t loginId;
} LoginState;

void setLoginState(int output, int userIndex, int loginId);
void getLoginState(int output, int* userIndexOut, int* loginIdOut);
int getLoginUserIndex(int output);
int getLoginId(int output);
/* Record of output index 0..3 with its login id refreshed; any other index
 * gives the current output's record as it stands. */
OutputLogin* getOutputLogin(int index);
void setLoginFlag(int output, int value);
int isLoginFlag(int output);
void setOutputRelogin(int output, int value);
int getOutputRelogin(int output);
int isLoginRequired(void);
/* 1 when the current output may go on (after a login when one is needed). */
int ensureLogin(WindowHandle owner);
int refreshLoginState(int output, int loginId);
int isAdminUser(int userIndex);

/* Rights. */
int isPerChanRight(int right);
uint64_t getUserRightChans(int userIndex, int right);
int checkUserRight(int right, int channel);
int hasRightOnAnyChan(int right);
/* 1 when the user logged in on the output may shut the recorder down or
 * reboot it: the administrator or a user with the local shutdown right. */
int mayShutDown(int output);
void setUserDlgArgs(int mode, int userIndex);
int getUserDlgArgs(int* userIndexOut);
void setDiskDlgArgs(int mode, int item);
int getDiskDlgArgs(int* itemOut);
/* Letters, digits and '_' only (an empty text passes). */
int isAlnumString(const char* text);

/* Channels: 1..16 analog, 17 up to 16 plus the IP-channel bound IP. */
int isChanValid(int channel, int flag);
int hasUsableChan(int mode, int flag);
int checkChanSupported(WindowHandle owner, int comboId, int channel, int previous, int flag);
void enableCtrlByChan(WindowHandle owner, int id, int channel);
int isChanAvailable(int channel);

/* Pages and areas. */
int getVideoAreaSize(int* width, int* height, int mode);
void alignAreaRect(WindowHandle owner, int* x, int* y, int* w, int* h, int screen);
void setCurPageWnd(WindowHandle hwnd);
WindowHandle getCurPageWnd(void);
int findDiskIndex(int n);
#define LONG_OP_STATE_WORDS 72
/* A long device operation (a restore of the defaults) under way: the first
 * word is 1 while it runs, the words after it hold the configuration it
 * gives. The toolkit's threads read the first word as they place video
 * areas, so it is an atomic, set only after the record is stored and
 * cleared without touching the record, through these alone. */
int* getLongOpState(void);
void beginLongOp(const DeviceConfig* config);
void endLongOp(void);
/* 1 with the record of the operation under way, else 0. */
int longOpConfig(DeviceConfig* config);

GUI_EXTERN_C_END

#endif
