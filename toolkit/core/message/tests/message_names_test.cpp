#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/message/message_names.h"
#include "core/message/message_trace.h"
#include "core/message/tests/hand_made_windows.h"
#include "core/message/tests/message_log.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/desktop.h"
#include "gui/segrate.h"
#include "gui/text_entry.h"
#include "gui/toolbar.h"
#include "gui/window.h"

namespace {

#define NAMED(m) \
  { m, #m }

TEST(MessageNames, TheTableIsSortedWithOneEntryPerNumber) {
  ASSERT_GT(kMessageNameCount, 0u);
  for (size_t i = 1; i < kMessageNameCount; ++i)
    EXPECT_LT(kMessageNames[i - 1].number, kMessageNames[i].number) << kMessageNames[i].name;
}

TEST(MessageNames, NumbersAreNamedAsTheHeadersSpellThem) {
  const struct {
    int number;
    const char* name;
  } rows[] = {NAMED(MSG_LBUTTONDOWN), NAMED(MSG_KEYDOWN), NAMED(MSG_CLOSE),        NAMED(MSG_PAINT),
              NAMED(MSG_COMMAND),     NAMED(MSG_TIMER),   NAMED(MSG_DT_BROADCAST), NAMED(BM_CLICK)};
  for (const auto& row : rows) {
    const char* name = MessageName(static_cast<unsigned>(row.number));
    ASSERT_NE(name, nullptr) << row.name;
    EXPECT_STREQ(name, row.name);
  }
  // A range marker shares its number with the first message of the range
  // and must not hide it.
  EXPECT_STREQ(MessageName(MSG_FIRSTMOUSE), "MSG_LBUTTONDOWN");
  // Controls that share a number are all named.
  EXPECT_STREQ(MessageName(CB_ADDALL), "CB_ADDALL/CB_SPIN");
  const std::string shared = MessageName(SRM_SETCOUNT);
  EXPECT_NE(shared.find("SRM_SETCOUNT"), std::string::npos) << shared;
  EXPECT_NE(shared.find("TBM_SETRANGE"), std::string::npos) << shared;
  // Control prefixes are found in the headers, not listed: a control whose
  // prefix no list knew is named too.
  for (unsigned message : {unsigned{IPM_GETLASTFIELD}, unsigned{TOOLBAR_ADDITEM}}) {
    const char* name = MessageName(message);
    ASSERT_NE(name, nullptr) << message;
    EXPECT_TRUE(std::strstr(name, "IPM_GETLASTFIELD") || std::strstr(name, "TOOLBAR_ADDITEM")) << name;
  }
}

TEST(MessageNames, NumbersWithoutANameFallBackToTheNumber) {
  for (unsigned number : {0u, 0xEFFFu, 0x10000u, static_cast<unsigned>(INT_MAX), static_cast<unsigned>(INT_MIN),
                          static_cast<unsigned>(-1)})
    EXPECT_EQ(MessageName(number), nullptr) << number;
  EXPECT_EQ(DescribeMessage(MSG_LBUTTONDOWN), "MSG_LBUTTONDOWN (0x0001)");
  EXPECT_EQ(DescribeMessage(MSG_COMMAND), "MSG_COMMAND (0x0120)");
  EXPECT_EQ(DescribeMessage(0xEFFF), "0xefff");
  EXPECT_EQ(DescribeMessage(-1), "0xffffffff");
}

TEST(MessageNames, FailedComparisonsPrintMessagesByName) {
  EXPECT_EQ(testing::PrintToString(MessageSequence{MSG_LBUTTONDOWN, 0xEFFF}), "{MSG_LBUTTONDOWN (0x0001), 0xefff}");
  EXPECT_EQ(testing::PrintToString(SeenMessage{0x20, MSG_CLOSE, 1, 2}), "{0x20, MSG_CLOSE (0x0066), 0x1, 0x2}");
  EXPECT_EQ(testing::PrintToString(SeenMessage{0x20, MSG_CLOSE, 1}), "{0x20, MSG_CLOSE (0x0066), 0x1}");
}

// A second parameter left out of an expectation matches any; every other
// field still tells two messages apart, and so does a given second one.
TEST(MessageNames, ALeftOutSecondParameterMatchesAnyAndNothingElseDoes) {
  const SeenMessage got{0x20, MSG_CLOSE, 1, 2};
  EXPECT_EQ(got, (SeenMessage{0x20, MSG_CLOSE, 1}));
  EXPECT_EQ((SeenMessage{0x20, MSG_CLOSE, 1}), got);
  for (const SeenMessage& other : {SeenMessage{0x21, MSG_CLOSE, 1}, SeenMessage{0x20, MSG_PAINT, 1},
                                   SeenMessage{0x20, MSG_CLOSE, 0}, SeenMessage{0x20, MSG_CLOSE, 1, 3},
                                   SeenMessage{0x20, MSG_CLOSE, 1, 0}})
    EXPECT_FALSE(got == other) << testing::PrintToString(other);
}

// The trace written into a temporary file instead of stderr.
class Trace : public ::testing::Test {
 protected:
  void SetUp() override {
    sink_ = std::tmpfile();
    ASSERT_NE(sink_, nullptr);
    Recorder::Instance().Take();
  }
  void TearDown() override {
    SetMessageTraceSink(nullptr);
    if (sink_) std::fclose(sink_);
    Recorder::Instance().Take();
  }
  std::string Written() {
    std::fflush(sink_);
    std::rewind(sink_);
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, sink_)) out += buffer;
    return out;
  }
  std::string Line(WindowHandle hwnd, const char* message, const char* wParam, const char* lParam) {
    char line[160];
    std::snprintf(line, sizeof line, "message %s to 0x%jx, wParam %s, lParam %s\n", message,
                  static_cast<uintmax_t>(hwnd), wParam, lParam);
    return line;
  }
  FILE* sink_ = nullptr;
  ThreadQueue thread_;
  std::unique_ptr<MainWinRecord> main_ = MakeMainWindow(thread_.info());
};

TEST_F(Trace, EveryWayToAProcedureIsPrintedOnceByNameAndStopsWhenTurnedOff) {
  auto ctl = MakeControl(main_.get(), 7);
  SetMessageTraceSink(sink_);
  SendMessage(H(main_), MSG_CLOSE, 3, -1);
  PostMessage(H(ctl), MSG_COMMAND, 0x10007, 0);
  EXPECT_EQ(DrainQueue(H(main_)), 1);
  CallWindowProcDirect(H(ctl), 0xEFFF, 0, 5);
  SetMessageTraceSink(nullptr);
  SendMessage(H(main_), MSG_PAINT, 0, 0);

  EXPECT_EQ(Written(), Line(H(main_), "MSG_CLOSE (0x0066)", "0x3", "0xffffffffffffffff") +
                           Line(H(ctl), "MSG_COMMAND (0x0120)", "0x10007", "0x0") +
                           Line(H(ctl), "0xefff", "0x0", "0x5"));
  // The procedures still got every message, the untraced one included.
  EXPECT_EQ(Recorder::Instance().TakeMessages(), (std::vector<int>{MSG_CLOSE, MSG_COMMAND, 0xEFFF, MSG_PAINT}));
}

// Run only as the child of the test below: the trace setting is read once,
// as the program starts.
TEST(TraceFromTheEnvironment, DISABLED_Child) {
  ThreadQueue thread;
  auto main = MakeMainWindow(thread.info());
  SendMessage(H(main), MSG_CLOSE, 0, 0);
}

TEST(TraceFromTheEnvironment, OnlyASettingOtherThanZeroAtStartUpTracesToStderr) {
  char self[4096] = {};
  ASSERT_GT(readlink("/proc/self/exe", self, sizeof self - 1), 0);
  const struct {
    const char* environment;
    bool traced;
  } rows[] = {{"GUI_TRACE_MESSAGES=1", true},
              {"GUI_TRACE_MESSAGES=yes", true},
              {"GUI_TRACE_MESSAGES=0", false},
              {"GUI_TRACE_MESSAGES=", false},
              {"-u GUI_TRACE_MESSAGES", false}};
  for (const auto& row : rows) {
    const std::string command = std::string("env ") + row.environment + " '" + self +
                                "' --gtest_also_run_disabled_tests"
                                " --gtest_filter=TraceFromTheEnvironment.DISABLED_Child 2>&1 >/dev/null";
    FILE* child = popen(command.c_str(), "r");
    ASSERT_NE(child, nullptr);
    std::string err;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, child)) err += buffer;
    EXPECT_EQ(pclose(child), 0) << row.environment;
    EXPECT_EQ(err.find("message MSG_CLOSE (0x0066) to 0x") != std::string::npos, row.traced)
        << row.environment << ": " << err;
  }
}

}  // namespace
