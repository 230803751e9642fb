#include <gtest/gtest.h>

#include "app/app_messages.h"
#include "core/message/message_names.h"

namespace {

// Traces name the application's own messages as they name the toolkit's:
// the name table is made from every library's public headers.
TEST(ApplicationMessageNames, TracesNameTheApplicationsMessages) {
  EXPECT_EQ(DescribeMessage(MSG_STARTWIZARD), "MSG_STARTWIZARD (0x0801)");
  EXPECT_EQ(DescribeMessage(MSG_RELOADMOTIONGRID), "MSG_RELOADMOTIONGRID (0x4b05)");
  EXPECT_EQ(DescribeMessage(MSG_FORMATDONE), "MSG_FORMATDONE (0x9400)");
}

}  // namespace
