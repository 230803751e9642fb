#include <gtest/gtest.h>

#include "gui/startup.h"

TEST(StartUp, InitAndTerminate) {
  EXPECT_EQ(InitGUI(0, nullptr), 0);
  TerminateGUI(-1);
}
