/* The toolkit's configuration files per display, mouse acceleration, the
 * language names and the run-time language switch. */
#ifndef GUI_GUI_ETC_H
#define GUI_GUI_ETC_H

#include "gui/common.h"
#include "gui/config.h"

GUI_EXTERN_C_BEGIN

#define GUI_ETC_DIR "../guiRes/rirurRes/conf/"
#define GUI_ETC_MAIN_FILE "1024x768.cfg"
#define GUI_ETC_AUX_FILE "720x576.cfg"
#define GUI_ETC_PATH_SIZE 256

/* Set by InitEtcFilePath; empty before. */
extern char ETCFILEPATH[GUI_ETC_PATH_SIZE];
extern char AUXSETCFILEPATH[GUI_ETC_PATH_SIZE];
/* The main file's object while InitGUI runs, else null. Nothing loads the
 * auxiliary one. */
extern EtcFile* hGuiEtc;
extern EtcFile* hAuxGuiEtc;

BOOL InitEtcFilePath(void);
BOOL LoadGuiEtc(void);
void UnloadGuiEtc(void);

/* Reads by the toolkit's rule: from the loaded object when there is one,
 * else from the file by path. */
int GetGuiEtcValue(const char* section, const char* key, char* value, int len);
int GetGuiEtcIntValue(const char* section, const char* key, int* value);
int GetAuxGuiEtcValue(const char* section, const char* key, char* value, int len);
int GetAuxGuiEtcIntValue(const char* section, const char* key, int* value);

void LoadMouseSettings(void);
BOOL SetMouseScale(int scale, int threshold);
BOOL GetMouseScale(int* scale, int* threshold);

BOOL LoadLanguageNames(void);
BOOL GetLanguageName(int index, const char** name);

int SetValueToGuiEtc(const char* section, const char* key, const char* value);
void SetLangSwitchState(int state);
int GetLangSwitchState(void);

GUI_EXTERN_C_END

#endif
