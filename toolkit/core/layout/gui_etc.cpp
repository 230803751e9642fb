// Which configuration files the two displays use, the main file's object
// during start-up, and the reader rule every toolkit lookup follows.
#include "gui/gui_etc.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/config/etc_text.h"
#include "gdi/startup_report.h"

char ETCFILEPATH[GUI_ETC_PATH_SIZE];
char AUXSETCFILEPATH[GUI_ETC_PATH_SIZE];
EtcFile* hGuiEtc;
EtcFile* hAuxGuiEtc;

namespace {

// The resource paths are relative, so a file that is not there most often
// means the program was started in the wrong folder.
void ReportUnreadable(const char* path, bool missing, const std::string& why) {
  if (!missing) {
    ReportStartupProblem("configuration file \"%s\" %s", ShownPath(path).c_str(), why.c_str());
    return;
  }
  char cwd[4096] = "?";
  if (::getcwd(cwd, sizeof cwd) == nullptr) std::snprintf(cwd, sizeof cwd, "?");
  ReportStartupProblem(
      "configuration file \"%s\" cannot be read: %s (resources are found relative to the working "
      "directory \"%s\"; start the program in build/bin)",
      ShownPath(path).c_str(), std::strerror(ENOENT), cwd);
}

int NoteMiss(int rc, const char* path, const char* section, const char* key) {
  if (rc == ETC_NO_SECTION || rc == ETC_NO_KEY) NoteMissingSetting(path, section, key);
  return rc;
}

}  // namespace

extern "C" {

BOOL InitEtcFilePath(void) {
  char mainPath[GUI_ETC_PATH_SIZE];
  char auxPath[GUI_ETC_PATH_SIZE];
  std::snprintf(mainPath, sizeof mainPath, "%s%s", GUI_ETC_DIR, GUI_ETC_MAIN_FILE);
  std::snprintf(auxPath, sizeof auxPath, "%s%s", GUI_ETC_DIR, GUI_ETC_AUX_FILE);
  // The engine name only proves the main file is there and readable.
  {
    etc::ReadableFile file(mainPath, files::kMaxTextFile);
    if (!file.IsOpen()) {
      ReportUnreadable(mainPath, file.Missing(), file.Why());
      return FALSE;
    }
  }
  char engine[8];
  int rc = GetValueFromEtcFile(mainPath, "system", "gal_engine", engine, sizeof engine);
  if (rc == ETC_BAD_ARGUMENT) ReportUnreadable(mainPath, false, "cannot be read");
  if (rc == ETC_NO_SECTION || rc == ETC_NO_KEY)
    ReportStartupProblem("configuration file \"%s\" has no [system] gal_engine; it may be cut short",
                         ShownPath(mainPath).c_str());
  if (rc != ETC_OK) return FALSE;
  std::snprintf(ETCFILEPATH, sizeof ETCFILEPATH, "%s", mainPath);
  std::snprintf(AUXSETCFILEPATH, sizeof AUXSETCFILEPATH, "%s", auxPath);
  return TRUE;
}

BOOL LoadGuiEtc(void) {
  if (hGuiEtc && hAuxGuiEtc) return TRUE;
  std::string why;
  if (!hGuiEtc) hGuiEtc = etc::LoadEtcFile(ETCFILEPATH, &why);
  if (!hGuiEtc) ReportUnreadable(ETCFILEPATH, false, why);
  return hGuiEtc != nullptr;
}

void UnloadGuiEtc(void) {
  if (hGuiEtc) UnloadEtcFile(hGuiEtc);
  if (hAuxGuiEtc) UnloadEtcFile(hAuxGuiEtc);
  hGuiEtc = nullptr;
  hAuxGuiEtc = nullptr;
}

// A setting not found is remembered: when start-up fails it is the likely
// cause (startup_report.h).
int GetGuiEtcValue(const char* section, const char* key, char* value, int len) {
  int rc = hGuiEtc ? GetValueFromEtc(hGuiEtc, section, key, value, len)
                   : GetValueFromEtcFile(ETCFILEPATH, section, key, value, len);
  return NoteMiss(rc, ETCFILEPATH, section, key);
}

int GetGuiEtcIntValue(const char* section, const char* key, int* value) {
  int rc = hGuiEtc ? GetIntValueFromEtc(hGuiEtc, section, key, value)
                   : GetIntValueFromEtcFile(ETCFILEPATH, section, key, value);
  return NoteMiss(rc, ETCFILEPATH, section, key);
}

int GetAuxGuiEtcValue(const char* section, const char* key, char* value, int len) {
  int rc = hAuxGuiEtc ? GetValueFromEtc(hAuxGuiEtc, section, key, value, len)
                      : GetValueFromEtcFile(AUXSETCFILEPATH, section, key, value, len);
  return NoteMiss(rc, AUXSETCFILEPATH, section, key);
}

int GetAuxGuiEtcIntValue(const char* section, const char* key, int* value) {
  int rc = hAuxGuiEtc ? GetIntValueFromEtc(hAuxGuiEtc, section, key, value)
                      : GetIntValueFromEtcFile(AUXSETCFILEPATH, section, key, value);
  return NoteMiss(rc, AUXSETCFILEPATH, section, key);
}

}  // extern "C"
