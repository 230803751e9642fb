/* Public numbers of a made-up control. */
#define WGM_SETVALUE 0xF300
#define WGS_NOTIFY 0x8u
#define WGN_CHANGED 1
#define MSG_WIDGET_PING 300
#define DLGC_WANTALLKEYS 0x0004
#define PANEL_KEY_EDIT 147
