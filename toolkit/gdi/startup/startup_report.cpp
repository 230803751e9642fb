#include "gdi/startup_report.h"

#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "gui/startup.h"

namespace {

struct Report {
  std::mutex lock;
  std::string stage;
  std::string problem;
  std::string missing;
  std::string reason;  // what GetStartupFailureReason hands out
  std::set<std::string> warnedFiles;
};

Report& TheReport() {
  static Report report;
  return report;
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    std::string part = path.substr(start, slash - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = slash + 1;
  }
  return parts;
}

std::string Formatted(const char* format, va_list args) {
  char text[1024];
  std::vsnprintf(text, sizeof text, format, args);
  return text;
}

void SayWarning(const char* format, va_list args) {
  std::fprintf(stderr, "%s: warning: %s\n", program_invocation_short_name, Formatted(format, args).c_str());
}

}  // namespace

std::string ShownPath(const char* path) {
  std::string full = path;
  if (full.empty() || full[0] != '/') {
    char cwd[4096];
    if (::getcwd(cwd, sizeof cwd) == nullptr) return full;
    full = std::string(cwd) + "/" + full;
  }
  std::string shown;
  for (const std::string& part : SplitPath(full)) shown += "/" + part;
  return shown.empty() ? "/" : shown;
}

void ReportStartupProblem(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = Formatted(format, args);
  va_end(args);
  std::lock_guard<std::mutex> hold(TheReport().lock);
  TheReport().problem = std::move(text);
}

void WarnOfFallback(const char* format, ...) {
  va_list args;
  va_start(args, format);
  SayWarning(format, args);
  va_end(args);
}

void WarnOfFallbackOnce(const char* file, const char* format, ...) {
  {
    std::lock_guard<std::mutex> hold(TheReport().lock);
    if (!TheReport().warnedFiles.insert(file ? file : "").second) return;
  }
  va_list args;
  va_start(args, format);
  SayWarning(format, args);
  va_end(args);
}

void NoteMissingSetting(const char* file, const char* section, const char* key) {
  std::string text = "the setting [" + std::string(section ? section : "") + "] " + (key ? key : "") +
                     " is missing from \"" + ShownPath(file ? file : "") + "\"";
  std::lock_guard<std::mutex> hold(TheReport().lock);
  TheReport().missing = text;
}

void ClearStartupProblem() {
  std::lock_guard<std::mutex> hold(TheReport().lock);
  TheReport().problem.clear();
  TheReport().missing.clear();
}

void SetFailedStartupStage(const char* name, const std::string& fallback) {
  Report& report = TheReport();
  std::lock_guard<std::mutex> hold(report.lock);
  report.stage = name;
  report.reason = !report.problem.empty() ? report.problem : !report.missing.empty() ? report.missing : fallback;
  if (report.stage.empty()) report.reason.clear();
}

extern "C" const char* GetStartupFailureStage(void) {
  std::lock_guard<std::mutex> hold(TheReport().lock);
  return TheReport().stage.c_str();
}

extern "C" const char* GetStartupFailureReason(void) {
  std::lock_guard<std::mutex> hold(TheReport().lock);
  return TheReport().reason.c_str();
}
