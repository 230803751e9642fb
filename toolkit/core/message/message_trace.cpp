#include "core/message/message_trace.h"

#include <cstdlib>
#include <cstring>

#include "core/message/message_names.h"

namespace {

FILE* SinkFromEnvironment() {
  const char* setting = std::getenv("GUI_TRACE_MESSAGES");
  return setting && *setting && std::strcmp(setting, "0") != 0 ? stderr : nullptr;
}

}  // namespace

std::atomic<FILE*> g_messageTraceSink{SinkFromEnvironment()};

void SetMessageTraceSink(FILE* sink) { g_messageTraceSink.store(sink, std::memory_order_relaxed); }

void PrintTracedMessage(FILE* sink, WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  // One call per line: lines of several threads do not interleave.
  std::fprintf(sink, "message %s to 0x%jx, wParam 0x%jx, lParam 0x%jx\n", DescribeMessage(message).c_str(),
               static_cast<uintmax_t>(hwnd), static_cast<uintmax_t>(wParam), static_cast<uintmax_t>(lParam));
}
