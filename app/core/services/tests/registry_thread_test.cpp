// The toolkit's threads read the application's state through the
// call-backs while the menu thread changes it.
#include <atomic>
#include <thread>
#include <vector>

#include "app/formatting.h"
#include "app/numkeys.h"
#include "services_test_helpers.h"

namespace services_test {
namespace {

TEST_F(ServicesTest, ToolkitThreadsReadWhileTheMenuThreadWrites) {
  std::atomic<bool> stop{false};
  std::atomic<long> reads{0};
  std::vector<std::thread> readers;
  for (int t = 0; t < 3; ++t)
    readers.emplace_back([&] {
      while (!stop.load()) {
        const int output = getCurOutputHook();
        const int state = getOutputStateHook(output);
        EXPECT_TRUE(state >= 0 && state <= 9) << state;
        isLoginFlagHook();
        getPlaybackWndHook(output);
        getOutputLoginHook(output);
        isNumKeyAHook(140);
        getSessionFlagHook();
        isRightToLeftLangHook();
        ++reads;
      }
    });
  for (int i = 0; i < 20000 || reads.load() < 1000; ++i) {
    setCurOutput(i % 2 ? 3 : 1);
    setOutputState(i % 2 ? 3 : 1, i % 10);
    setLoginState(3, 0, i);
    setLoginFlag(1, i & 1);
    setPlaybackWnd(3, static_cast<WindowHandle>(i));
    setSessionFlag(i & 1);
  }
  stop = true;
  for (auto& reader : readers) reader.join();
  EXPECT_GE(reads.load(), 1000);
}

}  // namespace
}  // namespace services_test
