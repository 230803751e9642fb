// Which configuration files the two displays use, the main file's object
// during start-up, and the reader rule every toolkit lookup follows.
#include "gui/gui_etc.h"

#include <cstdio>

char ETCFILEPATH[GUI_ETC_PATH_SIZE];
char AUXSETCFILEPATH[GUI_ETC_PATH_SIZE];
EtcFile* hGuiEtc;
EtcFile* hAuxGuiEtc;

extern "C" {

BOOL InitEtcFilePath(void) {
  char mainPath[GUI_ETC_PATH_SIZE];
  char auxPath[GUI_ETC_PATH_SIZE];
  std::snprintf(mainPath, sizeof mainPath, "%s%s", GUI_ETC_DIR, GUI_ETC_MAIN_FILE);
  std::snprintf(auxPath, sizeof auxPath, "%s%s", GUI_ETC_DIR, GUI_ETC_AUX_FILE);
  // The engine name only proves the main file is there and readable.
  char engine[8];
  if (GetValueFromEtcFile(mainPath, "system", "gal_engine", engine, sizeof engine) != ETC_OK)
    return FALSE;
  std::snprintf(ETCFILEPATH, sizeof ETCFILEPATH, "%s", mainPath);
  std::snprintf(AUXSETCFILEPATH, sizeof AUXSETCFILEPATH, "%s", auxPath);
  return TRUE;
}

BOOL LoadGuiEtc(void) {
  if (hGuiEtc && hAuxGuiEtc) return TRUE;
  if (!hGuiEtc) hGuiEtc = LoadEtcFile(ETCFILEPATH);
  return hGuiEtc != nullptr;
}

void UnloadGuiEtc(void) {
  if (hGuiEtc) UnloadEtcFile(hGuiEtc);
  if (hAuxGuiEtc) UnloadEtcFile(hAuxGuiEtc);
  hGuiEtc = nullptr;
  hAuxGuiEtc = nullptr;
}

int GetGuiEtcValue(const char* section, const char* key, char* value, int len) {
  if (hGuiEtc) return GetValueFromEtc(hGuiEtc, section, key, value, len);
  return GetValueFromEtcFile(ETCFILEPATH, section, key, value, len);
}

int GetGuiEtcIntValue(const char* section, const char* key, int* value) {
  if (hGuiEtc) return GetIntValueFromEtc(hGuiEtc, section, key, value);
  return GetIntValueFromEtcFile(ETCFILEPATH, section, key, value);
}

int GetAuxGuiEtcValue(const char* section, const char* key, char* value, int len) {
  if (hAuxGuiEtc) return GetValueFromEtc(hAuxGuiEtc, section, key, value, len);
  return GetValueFromEtcFile(AUXSETCFILEPATH, section, key, value, len);
}

int GetAuxGuiEtcIntValue(const char* section, const char* key, int* value) {
  if (hAuxGuiEtc) return GetIntValueFromEtc(hAuxGuiEtc, section, key, value);
  return GetIntValueFromEtcFile(AUXSETCFILEPATH, section, key, value);
}

}  // extern "C"
