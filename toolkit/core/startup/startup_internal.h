// Start-up internals shared with the tests.
#pragma once

// Stages that can be made to fail in tests (each names what it calls).
enum class StartupStage {
  kNone,
  kFixStr,
  kGraphics,
  kConfig,
  kFonts,
  kGdi,
  kElementColors,
  kExtraColors,
  kIme,
  kLayouts,
  kInput,
  kCursors,
  kMenus,
  kControlClasses,
  kAccelerators,
  kElementMetrics,
  kSystemThreads,
  kRefreshList,
  kStrings,
};

// Test hook: the stage fails as if its call had failed; kNone clears it.
void FailStartupStageForTest(StartupStage stage);

// What the failure path of the last InitGUI undid.
struct StartupCleanup {
  bool inputStopped = false;
  bool graphicsStopped = false;
  bool locksDestroyed = false;
  bool threadsStopped = false;
};
StartupCleanup LastStartupCleanup();

// The code InitGUI answers when the fixed-string heap cannot be set up.
constexpr int kFixStrFailureCode = 18;
