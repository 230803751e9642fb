// The recorder program as a user starts it: on a copy of the build's
// resources, with its exit code and what it says on stderr.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

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

// A started program; its stderr goes to a file.
struct Program {
  pid_t pid = -1;
  std::string errFile;

  // The exit code; a program still running after 30 s is killed (-1).
  int Wait() {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        return -1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  std::string Stderr() const { return ReadFile(errFile); }
  // Whether it has installed its SIGTERM handler (its first own instruction).
  bool CatchesTerm() const {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
      if (line.rfind("SigCgt:", 0) == 0) return (std::strtoull(line.c_str() + 7, nullptr, 16) >> (SIGTERM - 1)) & 1;
    return false;
  }
};

// A copy of build/guiRes with a folder bin beside it to start the program in.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/program_test_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
    std::string copy = "cp -r '" + OwnFolder() + "/../guiRes' '" + root_ + "/' && mkdir '" + root_ + "/bin'";
    ASSERT_EQ(std::system(copy.c_str()), 0);
    std::remove((Res("conf/.instance_lock")).c_str());
  }
  void TearDown() override { (void)std::system(("rm -rf '" + root_ + "'").c_str()); }

  std::string Res(const std::string& file) const { return root_ + "/guiRes/rirurRes/" + file; }

  // Starts the program in `folder` of the copy, with the dummy video driver
  // or with no display at all.
  Program Start(const std::string& folder = "bin", bool dummyDriver = true) {
    Program p;
    p.errFile = root_ + "/stderr" + std::to_string(++started_);
    std::string exe = OwnFolder() + "/recorder_gui";
    std::string cwd = root_ + "/" + folder;
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
      std::string entry = *e;
      if (entry.rfind("SDL_VIDEODRIVER=", 0) != 0 && entry.rfind("DISPLAY=", 0) != 0) env.push_back(entry);
    }
    if (dummyDriver) env.push_back("SDL_VIDEODRIVER=dummy");
    p.pid = ::fork();
    if (p.pid == 0) {
      int err = ::open(p.errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      int nothing = ::open("/dev/null", O_WRONLY);
      if (err < 0 || nothing < 0 || ::dup2(err, 2) < 0 || ::dup2(nothing, 1) < 0 || ::chdir(cwd.c_str()) != 0)
        ::_exit(99);
      std::vector<char*> envp;
      for (std::string& entry : env) envp.push_back(entry.data());
      envp.push_back(nullptr);
      char* argv[] = {exe.data(), nullptr};
      ::execve(exe.c_str(), argv, envp.data());
      ::_exit(98);
    }
    return p;
  }

  // Waits until the program handles SIGTERM, then `delay` more.
  static bool WaitUntilCatching(const Program& p, std::chrono::milliseconds delay) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!p.CatchesTerm()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    std::this_thread::sleep_for(delay);
    return true;
  }

  std::string root_;
  int started_ = 0;
};

TEST_F(ProgramTest, SignalsAtAnyMomentOfStartUpEndItInOrder) {
  const int delaysMs[] = {0, 0, 1, 2, 5, 10, 20, 50, 100, 300};
  for (int signal : {SIGTERM, SIGINT}) {
    for (int delay : delaysMs) {
      Program p = Start();
      ASSERT_TRUE(WaitUntilCatching(p, std::chrono::milliseconds(delay)));
      ::kill(p.pid, signal);
      EXPECT_EQ(p.Wait(), 0) << "signal " << signal << " " << delay << " ms in: " << p.Stderr();
    }
  }
}

TEST_F(ProgramTest, SecondCopyOnTheSameConfigurationIsRefused) {
  Program first = Start();
  ASSERT_TRUE(WaitUntilCatching(first, std::chrono::milliseconds(0)));
  Program second = Start();
  EXPECT_EQ(second.Wait(), 1);
  EXPECT_NE(second.Stderr().find("another copy of the program (process " + std::to_string(first.pid) +
                                 ") already runs on the configuration in \"" + root_ + "/guiRes/rirurRes/conf\""),
            std::string::npos)
      << second.Stderr();
  ::kill(first.pid, SIGTERM);
  EXPECT_EQ(first.Wait(), 0);
  Program third = Start();  // the claim ends with its holder
  ASSERT_TRUE(WaitUntilCatching(third, std::chrono::milliseconds(50)));
  ::kill(third.pid, SIGTERM);
  EXPECT_EQ(third.Wait(), 0) << third.Stderr();
}

// Each broken set-up ends the program with code 1 and one line naming the
// stage, the file and the reason.
TEST_F(ProgramTest, StartUpFailuresSayWhatFailed) {
  const std::string config = Res("conf/1024x768.cfg");
  const std::string whole = ReadFile(config);
  const std::string font = Res("font/iso8859-1-8x16.bin");
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
  };
  for (Case& c : cases) {
    ASSERT_EQ(std::system(c.breakIt.c_str()), 0) << c.what;
    Program p = Start(c.folder, c.dummyDriver);
    EXPECT_EQ(p.Wait(), 1) << c.what;
    std::string said = p.Stderr();
    EXPECT_NE(said.find("recorder_gui: " + c.expected), std::string::npos) << c.what << ":\n" << said;
    // Put things back for the next case.
    std::ofstream(config, std::ios::binary | std::ios::trunc) << whole;
    (void)std::system(("test -e '" + font + "' || mv '" + font + ".away' '" + font + "'").c_str());
  }
}

}  // namespace
