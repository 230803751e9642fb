// The recorder program as a user starts it: on a copy of the build's
// resources, with its exit code and what it says on stderr; and the build
// step that copies its resources.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "gui/config.h"
#include "gui/fixstr.h"

namespace {

std::string OwnFolder() {
  char exe[PATH_MAX] = {};
  ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
  std::string path(exe, n > 0 ? static_cast<size_t>(n) : 0);
  return path.substr(0, path.rfind('/'));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

bool Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

// A scratch folder, removed with everything in it.
class ScratchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/program_test_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
  }
  void TearDown() override { (void)std::system(("rm -rf '" + root_ + "'").c_str()); }
  std::string root_;
};

// A started program; its stderr goes to a file.
struct Program {
  pid_t pid = -1;
  std::string errFile;

  // The exit code; a program still running after 30 s is killed (-1).
  int Wait() {
    int status = 0;
    for (int waited = 0; ::waitpid(pid, &status, WNOHANG) == 0; waited += 2) {
      if (waited > 30000) ::kill(pid, SIGKILL);
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : WTERMSIG(status) == SIGKILL ? -1 : 128 + WTERMSIG(status);
  }
  std::string Stderr() const { return ReadFile(errFile); }
  // Waits until it has installed its SIGTERM handler (its first own
  // instruction), then `delayMs` more; false when that never happens.
  bool CatchingTerm(int delayMs) const {
    for (int waited = 0; waited < 10000; ++waited) {
      std::ifstream status("/proc/" + std::to_string(pid) + "/status");
      for (std::string line; std::getline(status, line);) {
        if (line.rfind("SigCgt:", 0) == 0 && (std::strtoull(line.c_str() + 7, nullptr, 16) >> (SIGTERM - 1)) & 1) {
          std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
          return true;
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }
};

// A copy of build/guiRes with a folder bin beside it to start the program in.
class ProgramTest : public ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    std::string copy = "cp -r '" + OwnFolder() + "/../guiRes' '" + root_ + "/' && mkdir '" + root_ + "/bin'";
    ASSERT_EQ(std::system(copy.c_str()), 0);
  }

  std::string Res(const std::string& file) const { return root_ + "/guiRes/rirurRes/" + file; }

  // Starts the program in `folder` of the copy, with the dummy video driver
  // or with no display at all.
  Program Start(const std::string& folder = "bin", bool dummyDriver = true) {
    Program p{-1, root_ + "/stderr" + std::to_string(++started_)};
    std::string exe = OwnFolder() + "/recorder_gui";
    p.pid = ::fork();
    if (p.pid == 0) {
      ::unsetenv("DISPLAY");
      dummyDriver ? ::setenv("SDL_VIDEODRIVER", "dummy", 1) : ::unsetenv("SDL_VIDEODRIVER");
      int err = ::open(p.errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (err < 0 || ::dup2(err, 2) < 0 || !std::freopen("/dev/null", "w", stdout) ||
          ::chdir((root_ + "/" + folder).c_str()) != 0)
        ::_exit(99);
      ::execl(exe.c_str(), exe.c_str(), nullptr);
      ::_exit(98);
    }
    return p;
  }

  int started_ = 0;
};

TEST_F(ProgramTest, SignalsAtAnyMomentOfStartUpEndItInOrder) {
  const int delaysMs[] = {0, 0, 1, 2, 5, 10, 20, 50, 100, 300};
  for (int signal : {SIGTERM, SIGINT}) {
    for (int delay : delaysMs) {
      Program p = Start();
      ASSERT_TRUE(p.CatchingTerm(delay));
      ::kill(p.pid, signal);
      EXPECT_EQ(p.Wait(), 0) << "signal " << signal << " " << delay << " ms in: " << p.Stderr();
    }
  }
}

TEST_F(ProgramTest, SecondCopyOnTheSameConfigurationIsRefused) {
  Program first = Start();
  // Its claim names it once made.
  for (int waited = 0; ReadFile(Res("conf/.instance_lock")) != std::to_string(first.pid) + "\n"; ++waited) {
    ASSERT_LT(waited, 10000);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  Program second = Start();
  EXPECT_EQ(second.Wait(), 1);
  EXPECT_NE(second.Stderr().find("another copy of the program (process " + std::to_string(first.pid) +
                                 ") already runs on the configuration in \"" + root_ + "/guiRes/rirurRes/conf\""),
            std::string::npos)
      << second.Stderr();
  ::kill(first.pid, SIGTERM);
  EXPECT_EQ(first.Wait(), 0);
}

// Each broken set-up ends the program with code 1 and one line naming the
// stage, the file and the reason.
TEST_F(ProgramTest, StartUpFailuresSayWhatFailed) {
  const std::string config = Res("conf/1024x768.cfg");
  const std::string whole = ReadFile(config);
  const std::string font = Res("font/iso8859-1-8x16.bin");
  const std::string cursor = Res("cursor/arrow.cur");
  struct Case {
    const char* what;
    std::string breakIt;
    std::string folder;
    bool dummyDriver;
    std::string expected;
  } cases[] = {
      {"missing font", "mv '" + font + "' '" + font + ".away'", "bin", true,
       "InitGUI failed with code 5 (fonts): font file \"" + font + "\" is missing\n"},
      {"truncated configuration", "truncate -s " + std::to_string(whole.find("[truetypefonts]") + 40) + " '" + config + "'",
       "bin", true, "InitGUI failed with code 5 (fonts): the setting [truetypefonts] "},
      {"configuration cut before its engine", "truncate -s 10 '" + config + "'", "bin", true,
       "InitGUI failed with code 3 (configuration): configuration file \"" + config +
           "\" has no [system] gal_engine"},
      {"wrong working directory", "true", "guiRes/rirurRes", true,
       "InitGUI failed with code 3 (configuration): configuration file \"" + root_ +
           "/guiRes/guiRes/rirurRes/conf/1024x768.cfg\" cannot be read: No such file or directory (resources are "
           "found relative to the working directory \"" + root_ + "/guiRes/rirurRes\"; start the program in "
           "build/bin)\n"},
      {"no display", "true", "bin", false,
       "InitGUI failed with code 1 (graphics layer): no display to open the host window on (DISPLAY=\"\")"},
      {"no system font", "sed -i '0,/^font_number=4$/s//font_number=-5/' '" + config + "'", "bin", true,
       "InitGUI failed with code 5 (fonts): configuration file \"" + config +
           "\" has [systemfont] font_number -5; at least 1 font is needed\n"},
      {"no window", "sed -i 's/^win_number=[0-9]*$/win_number=0/' '" + config + "'", "bin", true,
       "InitGUI failed with code 10 (layouts): configuration file \"" + config + "\" has [menuinfo] win_number 0; 1 to "},
      {"window metric past any screen", "sed -i 's/^minwidth=40$/minwidth=2147483647/' '" + config + "'", "bin", true,
       "InitGUI failed with code 16 (system threads): configuration file \"" + config +
           "\" has [mainwinmetrics] minwidth=2147483647, which is no size a window part can have\n"},
      {"control wider than any screen",
       "sed -i 's/^win_startguide_w=480$/win_startguide_w=2147483647/' '" + config + "'", "bin", true,
       "InitGUI failed with code 10 (layouts): configuration file \"" + config +
           "\" has [startguide] win_startguide_w=2147483647, which is no place or size a control can have\n"},
      {"missing cursor", "mv '" + cursor + "' '" + cursor + ".away'", "bin", true,
       "InitGUI failed with code 12 (cursors): cursor file \"" + cursor +
           "\" ([cursorinfo] cursor0) is missing or not a 32 x 32 cursor\n"},
  };
  for (Case& c : cases) {
    ASSERT_EQ(std::system(c.breakIt.c_str()), 0) << c.what;
    Program p = Start(c.folder, c.dummyDriver);
    EXPECT_EQ(p.Wait(), 1) << c.what;
    std::string said = p.Stderr();
    EXPECT_NE(said.find("recorder_gui: " + c.expected), std::string::npos) << c.what << ":\n" << said;
    // Put things back for the next case.
    WriteFile(config, whole);
    for (const std::string& moved : {font, cursor})
      (void)std::system(("test -e '" + moved + "' || mv '" + moved + ".away' '" + moved + "'").c_str());
  }
}

// The build's resource step (cmake/CopyResources.cmake) on a scratch pair of
// source and build folders: settings the program saved survive builds.
class ResourceCopy : public ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    ASSERT_EQ(std::system(("mkdir -p '" + root_ + "/src/conf' '" + root_ + "/build'").c_str()), 0);
    WriteFile(Src("conf/main.cfg"), "[mouse]\nmou_scale=2\n");
    WriteFile(Src("conf/aux.cfg"), "[menuinfo]\nwin_number=1\n");
  }

  std::string Src(const std::string& f) const { return root_ + "/src/" + f; }
  std::string Dst(const std::string& f) const { return root_ + "/build/res/" + f; }
  std::string Stamp() const { return root_ + "/build/stamp"; }

  // Runs the step as the build does; what it printed.
  std::string Build(bool reset = false) {
    std::string command = std::string(GUI_CMAKE_COMMAND) + " -DSRC='" + root_ + "/src' -DDST='" + root_ +
                          "/build/res' -DSTATE='" + root_ + "/build/state' -DSTAMP='" + Stamp() + "'" +
                          (reset ? " -DRESET=1" : "") + " -P '" GUI_SOURCE_DIR "/cmake/CopyResources.cmake' 2>&1";
    std::string output;
    if (std::FILE* run = ::popen(command.c_str(), "r")) {
      char chunk[512];
      while (size_t got = std::fread(chunk, 1, sizeof chunk, run)) output.append(chunk, got);
      EXPECT_EQ(::pclose(run), 0) << output;
    }
    return output;
  }
};

TEST_F(ResourceCopy, BuildsKeepWhatTheProgramSavedAndSayWhenSourcesChangedToo) {
  ASSERT_TRUE(InitFixStr());
  Build();
  EXPECT_EQ(ReadFile(Dst("conf/main.cfg")), ReadFile(Src("conf/main.cfg")));
  EXPECT_TRUE(Exists(Dst("conf/aux.cfg")));

  // The program saves a setting; later builds keep it.
  ASSERT_EQ(SetValueToEtcFile(Dst("conf/main.cfg").c_str(), "mouse", "mou_scale", "4"), ETC_OK);
  const std::string saved = ReadFile(Dst("conf/main.cfg"));
  EXPECT_EQ(Build(), "");
  EXPECT_EQ(ReadFile(Dst("conf/main.cfg")), saved);

  // A source the program never touched is copied when it changes.
  WriteFile(Src("conf/aux.cfg"), "[menuinfo]\nwin_number=2\n");
  Build();
  EXPECT_EQ(ReadFile(Dst("conf/aux.cfg")), ReadFile(Src("conf/aux.cfg")));

  // Both changed: the program's copy stays, and every build says so.
  WriteFile(Src("conf/main.cfg"), "[mouse]\nmou_scale=3\n");
  for (int build = 0; build < 2; ++build) {
    std::string said = Build();
    EXPECT_NE(said.find("Kept " + Dst("conf/main.cfg")), std::string::npos) << said;
    EXPECT_EQ(ReadFile(Dst("conf/main.cfg")), saved);
    EXPECT_FALSE(Exists(Stamp())) << "the next build looks again";
  }

  // A missing copy comes back; starting over takes every source.
  std::remove(Dst("conf/aux.cfg").c_str());
  Build();
  EXPECT_EQ(ReadFile(Dst("conf/aux.cfg")), ReadFile(Src("conf/aux.cfg")));
  EXPECT_EQ(Build(true), "");
  EXPECT_EQ(ReadFile(Dst("conf/main.cfg")), "[mouse]\nmou_scale=3\n");
  EXPECT_TRUE(Exists(Stamp()));
  EXPECT_EQ(Build(), "");
  TermFixStr();
}

}  // namespace
