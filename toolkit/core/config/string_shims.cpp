// Small string helpers and thin wrappers over the C library that the
// toolkit and the application share.
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "gui/fixstr.h"

namespace {
constexpr size_t kWriteChunk = 1024;
}

extern "C" const char* strnchr(const char* s, size_t n, int c) {
  if (s == nullptr || n == 0) return nullptr;
  const void* hit = std::memchr(s, c, n);
  return static_cast<const char*>(hit);
}

extern "C" int substrlen(const char* text, int len, int delimiter, int* count) {
  if (count) *count = 0;
  if (text == nullptr || len <= 0) return len < 0 ? 0 : len;
  const char* hit = strnchr(text, static_cast<size_t>(len), delimiter);
  if (hit == nullptr) return len;
  int offset = static_cast<int>(hit - text);
  int run = 0;
  while (offset + run < len && text[offset + run] == static_cast<char>(delimiter)) ++run;
  if (count) *count = run;
  return offset;
}

extern "C" char* strtrimall(char* s) {
  if (s == nullptr) return nullptr;
  size_t len = std::strlen(s);
  size_t end = len;
  while (end > 0 && std::isspace(static_cast<unsigned char>(s[end - 1]))) --end;
  size_t begin = 0;
  while (begin < end && std::isspace(static_cast<unsigned char>(s[begin]))) ++begin;
  std::memmove(s, s + begin, end - begin);
  s[end - begin] = '\0';
  return s;
}

extern "C" void Ping(void) {
  std::fputc(7, stdout);
  std::fflush(stdout);
}

extern "C" const char* AfterLastSubstr(const char* str, const char* sub) {
  if (str == nullptr) return nullptr;
  if (sub == nullptr || *sub == '\0') return str;
  size_t subLen = std::strlen(sub);
  const char* last = nullptr;
  for (const char* p = std::strstr(str, sub); p != nullptr; p = std::strstr(p + 1, sub)) last = p;
  return last ? last + subLen : str;
}

extern "C" size_t WriteFileChunked(const void* buf, size_t size, size_t count, FILE* stream) {
  if (buf == nullptr || stream == nullptr || size == 0) return 0;
  const char* bytes = static_cast<const char*>(buf);
  size_t total = size * count;
  size_t written = 0;
  while (written < total) {
    size_t piece = total - written < kWriteChunk ? total - written : kWriteChunk;
    size_t done = std::fwrite(bytes + written, 1, piece, stream);
    written += done;
    if (done != piece) break;
  }
  return written / size;
}

extern "C" void SleepMs(unsigned int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
extern "C" void RewindFile(FILE* stream) { std::rewind(stream); }
extern "C" FILE* CreateTempFile(void) { return std::tmpfile(); }
extern "C" int CloseFile(FILE* stream) { return std::fclose(stream); }
extern "C" time_t GetTimeNow(time_t* t) { return std::time(t); }
extern "C" time_t MakeTime(struct tm* tm) { return std::mktime(tm); }
extern "C" struct tm* ToLocalTime(const time_t* t) { return std::localtime(t); }
