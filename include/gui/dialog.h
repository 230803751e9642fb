/* Dialogs built from templates, modeless and modal, their items and
 * keyboard navigation, the message box and the built-in words. */
#ifndef GUI_DIALOG_H
#define GUI_DIALOG_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

typedef struct CtrlData {
  const char* class_name;
  uint32_t dwStyle;
  int32_t x, y, w, h;
  int32_t id;
  const char* caption;
  LParam dwAddData;
  uint32_t dwExStyle;
} CtrlData;

typedef struct DlgTemplate {
  uint32_t dwStyle;
  uint32_t dwExStyle;
  int32_t x, y, w, h;
  const char* caption;
  uintptr_t hIcon;
  uintptr_t hMenu;
  int32_t controlnr;
  CtrlData* controls;
  LParam dwAddData;
} DlgTemplate;

/* Dialog messages. */
#define MSG_GETDLGCODE 290
#define MSG_INITDIALOG 291
#define MSG_DLG_GETDEFID 294
#define MSG_DLG_SETDEFID 295
#define MSG_FREESTANDING_EDIT 406
#define BM_GETCHECK 0xF0F0
#define BM_SETCHECK 0xF0F1

/* Dialog codes controls answer to 290. */
#define DLGC_WANTTAB 0x0002
#define DLGC_WANTALLKEYS 0x0004
#define DLGC_DEFPUSHBUTTON 0x0100
#define DLGC_PUSHBUTTON 0x0200
#define DLGC_3STATE 0x0800
#define DLGC_STATIC 0x1000
#define DLGC_BUTTON 0x2000
#define DLGC_WANTCHARS 0x4000

/* Styles. */
#define WS_TABSTOP 0x00010000u
#define BS_DEFPUSHBUTTON 0x00000001u
#define WS_EX_MODALHOST 0x01000000u

/* Button ids. */
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

/* MessageBox types. */
#define MB_OK 0x00
#define MB_OKCANCEL 0x01
#define MB_YESNO 0x02
#define MB_RETRYCANCEL 0x03
#define MB_ABORTRETRYIGNORE 0x04
#define MB_YESNOCANCEL 0x05
#define MB_CANCELASBACK 0x08
#define MB_ICONSTOP 0x10
#define MB_ICONQUESTION 0x20
#define MB_ICONEXCLAMATION 0x30
#define MB_ICONINFORMATION 0x40
#define MB_ALIGNCENTER 0x00000
#define MB_ALIGNTOPLEFT 0x10000
#define MB_ALIGNBTMLEFT 0x20000
#define MB_ALIGNTOPRIGHT 0x30000
#define MB_ALIGNBTMRIGHT 0x40000
#define MB_BASEDONPARENT 0x80000

WindowHandle CreateMainWindowIndirectParam(const DlgTemplate* dlg, WindowHandle owner, WindowProc proc,
                                           LParam lParam);
BOOL DestroyMainWindowIndirect(WindowHandle hwnd);
LParam DialogBoxIndirectParam(const DlgTemplate* dlg, WindowHandle owner, WindowProc proc, LParam lParam);
BOOL EndDialog(WindowHandle hDlg, LParam result);
LResult DefaultDialogProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam);

WindowHandle GetDlgItem(WindowHandle hDlg, int id);
int GetDlgCtrlID(WindowHandle hwnd);
int GetDlgDefPushButton(WindowHandle hDlg);
WindowHandle GetNextDlgTabItem(WindowHandle hDlg, WindowHandle current, BOOL previous);
WindowHandle GetNextDlgGroupItem(WindowHandle hDlg, WindowHandle current, BOOL previous);
LResult SendDlgItemMessage(WindowHandle hDlg, int id, int message, WParam wParam, LParam lParam);
unsigned GetDlgItemInt(WindowHandle hDlg, int id, BOOL* translated, BOOL isSigned);
BOOL SetDlgItemInt(WindowHandle hDlg, int id, unsigned value, BOOL isSigned);
int GetDlgItemText(WindowHandle hDlg, int id, char* buffer, int size);
char* GetDlgItemText2(WindowHandle hDlg, int id, int* length); /* caller frees */
BOOL SetDlgItemText(WindowHandle hDlg, int id, const char* text);
void CheckDlgButton(WindowHandle hDlg, int id, int state);
void CheckRadioButton(WindowHandle hDlg, int first, int last, int id);
int IsDlgButtonChecked(WindowHandle hDlg, int id);
BOOL DestroyAllControls(WindowHandle hwnd);

int MessageBox(WindowHandle owner, const char* text, const char* caption, uint32_t type);
void MessageBeep(uint32_t type);
int GetMsgBoxState(void);
void SetMsgBoxState(int state);
/* The screen rectangle of the last message box shown. */
Rect GetMsgBoxRect(void);

extern const char* SysText[];
extern const char** local_SysText;
const char* GetSysText(const char* word);

GUI_EXTERN_C_END

#endif
