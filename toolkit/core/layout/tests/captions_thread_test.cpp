#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "gui/gui_etc.h"
#include "gui/layout.h"
#include "layout_test_helpers.h"

namespace layout_test {
namespace {

class CaptionsThreadTest : public LayoutTest {};

bool IsKnownOkCaption(const char* caption) {
  for (const char* known : {"OK", "Sure", "Aufnahme"})
    if (caption && std::strcmp(caption, known) == 0) return true;
  return false;
}

// Another thread keeps reading records and captions while the language is
// switched back and forth; every caption it sees is one of the languages'.
TEST_F(CaptionsThreadTest, ReaderSeesWholeCaptionsWhileLanguagesSwitch) {
  Device().outputCount = 2;
  ASSERT_TRUE(LoadLayoutRes());
  std::atomic<bool> stop{false};
  std::atomic<int> reads{0};
  std::atomic<int> bad{0};
  std::thread reader([&] {
    CtrlResInfo* held = nullptr;
    GetCtrlResInfo("login", "ok", &held);
    while (!stop.load()) {
      CtrlResInfo* record = nullptr;
      if (GetCtrlResInfo("login", "ok", &record) && !IsKnownOkCaption(record->caption)) ++bad;
      if (GetCtrlResInfoAux("login", "ok", &record) && !IsKnownOkCaption(record->caption)) ++bad;
      if (!IsKnownOkCaption(held->caption) || held->w != 80) ++bad;  // a record kept across switches
      ++reads;
    }
  });
  const int languages[] = {kIndex5Id, kChineseId, kIndex5Id, kEnglishId};
  for (int round = 0; round < 40; ++round)
    EXPECT_EQ(SetValueToGuiEtc("menuinfo", "language",
                               std::to_string(languages[round % 4]).c_str()),
              0);
  SetLangSwitchState(0);  // the writer's caller ends the switch the writes marked
  while (reads.load() < 10) std::this_thread::yield();
  stop = true;
  reader.join();
  EXPECT_EQ(bad.load(), 0);
  EXPECT_EQ(Caption("login", "ok"), "OK");
}

}  // namespace
}  // namespace layout_test
