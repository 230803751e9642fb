// Running the recorder in-process: its exit code and what it printed, with
// the device in its first state and the toolkit's call-backs taken back
// afterwards; and the process's thread count, which a run must leave as it
// found it.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/device_test_seam.h"
#include "app/liveview.h"
#include "app/program.h"
#include "app/program_pages.h"
#include "gui/app_hooks.h"
#include "thread_count.h"

namespace programtest {

using threadcount::RunningThreads;
using threadcount::StartedSince;

struct Run {
  int code;
  std::string out;
};

inline Run RunRecorder() {
  // A real start finds the live view's per-output marks cleared; an earlier
  // run in this process may have left the side menu marked open.
  for (int output : {1, 3}) {
    setLiveViewPopup(output, 0);
    setPreviewSelChan(output, -2);
    setPreviewSelWin(output, 0);
  }
  registerAppPages();
  testing::internal::CaptureStdout();
  const int code = runRecorder();
  Run run{code, testing::internal::GetCapturedStdout()};
  // What a failed assertion said while the output was taken is in it.
  if (testing::Test::HasFailure()) std::fputs(run.out.c_str(), stdout);
  SetAppCallbacks(nullptr);
  return run;
}

}  // namespace programtest
