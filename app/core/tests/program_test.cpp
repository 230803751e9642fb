// The recorder program as a user starts it: on a copy of the build's
// resources, with its exit code and what it says on stderr; and the build
// step that copies its resources.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "app/device_backend.h"
#include "app/device_records.h"
#include "app/device_test_seam.h"
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

// A started program; its stdout and stderr go to files.
struct Program {
  pid_t pid = -1;
  std::string errFile;
  std::string outFile;

  // The exit code; a program still running after `limitMs` is killed (-1).
  int Wait(int limitMs = 30000) {
    int status = 0;
    for (int waited = 0; ::waitpid(pid, &status, WNOHANG) == 0; waited += 2) {
      if (waited > limitMs) ::kill(pid, SIGKILL);
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : WTERMSIG(status) == SIGKILL ? -1 : 128 + WTERMSIG(status);
  }
  // Waits until start-up has ended (its "InitGUI End!" line); false when the
  // program ended first or 30 s pass.
  bool Started() const {
    for (int waited = 0; waited < 30000; waited += 2) {
      if (ReadFile(outFile).find("InitGUI End!") != std::string::npos) return true;
      if (::waitpid(pid, nullptr, WNOHANG) != 0) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
  }
  std::string Stderr() const { return ReadFile(errFile); }
  // Waits until it has installed its handlers of every quit signal (its
  // first own instructions, one signal after another: SIGTERM's alone does
  // not mean SIGHUP's is there), then `delayMs` more; false when that never
  // happens.
  bool CatchingQuitSignals(int delayMs) const {
    const unsigned long long all = (1ull << (SIGTERM - 1)) | (1ull << (SIGINT - 1)) | (1ull << (SIGHUP - 1));
    for (int waited = 0; waited < 10000; ++waited) {
      std::ifstream status("/proc/" + std::to_string(pid) + "/status");
      for (std::string line; std::getline(status, line);) {
        if (line.rfind("SigCgt:", 0) == 0 && (std::strtoull(line.c_str() + 7, nullptr, 16) & all) == all) {
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
  // or with no display at all; `unprivileged`, as a user to whom only what
  // the copy lets every user do is allowed, even when the test runs as root.
  Program Start(const std::string& folder = "bin", bool dummyDriver = true, bool unprivileged = false) {
    ++started_;
    Program p{-1, root_ + "/stderr" + std::to_string(started_), root_ + "/stdout" + std::to_string(started_)};
    std::string exe = OwnFolder() + "/recorder_gui";
    p.pid = ::fork();
    if (p.pid == 0) {
      ::unsetenv("DISPLAY");
      dummyDriver ? ::setenv("SDL_VIDEODRIVER", "dummy", 1) : ::unsetenv("SDL_VIDEODRIVER");
      int err = ::open(p.errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (err < 0 || ::dup2(err, 2) < 0 || !std::freopen(p.outFile.c_str(), "w", stdout) ||
          ::chdir((root_ + "/" + folder).c_str()) != 0)
        ::_exit(99);
      if (unprivileged && ::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(97);
      ::execl(exe.c_str(), exe.c_str(), nullptr);
      ::_exit(98);
    }
    return p;
  }

  static constexpr uid_t kNobody = 65534;
  int started_ = 0;
};

TEST_F(ProgramTest, SignalsAtAnyMomentOfStartUpEndItInOrder) {
  const int delaysMs[] = {0, 0, 1, 2, 5, 10, 20, 50, 100, 300};
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    for (int delay : delaysMs) {
      Program p = Start();
      ASSERT_TRUE(p.CatchingQuitSignals(delay));
      ::kill(p.pid, signal);
      EXPECT_EQ(p.Wait(), 0) << "signal " << signal << " " << delay << " ms in: " << p.Stderr();
    }
  }
}

TEST_F(ProgramTest, SecondCopyOnTheSameConfigurationIsRefused) {
  // A longer text left by an earlier holder is replaced whole.
  {
    std::ofstream stale(Res("conf/.instance_lock"), std::ios::trunc);
    stale << "4194303\nleft by an earlier run\n";
  }
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

// The parameter file of the copy, saved with the device's language set to
// `languageId`, as a run that switched to it leaves it.
void SaveDeviceLanguage(const std::string& path, int languageId) {
  device_seam::setSettingsFile(path);
  DeviceConfig config{};
  getDeviceConfig(nullptr, &config);
  config.language = languageId;
  EXPECT_EQ(setDeviceConfig(nullptr, &config, 1), 0);
  EXPECT_EQ(saveDeviceParams(), 0);
  device_seam::setSettingsFile("");
  device_seam::resetAll();
}

// Each damaged start-up input ends in one line on stderr: a refusal (code 1)
// naming the stage, the file and the reason, or a warning naming the file,
// the key and what is used instead, after which the program runs and ends
// within a second of SIGTERM. Never a crash, a hang or a second line.
TEST_F(ProgramTest, DamagedStartUpInputsSayWhatFailedInOneLine) {
  const std::string config = Res("conf/1024x768.cfg");
  const std::string whole = ReadFile(config);
  const std::string font = Res("font/iso8859-1-8x16.bin");
  const std::string gbFont = Res("font/gb2312-16x16.bin");
  const std::string cursor = Res("cursor/arrow.cur");
  const std::string skin = Res("bmp/checkmark.bmp");
  const std::string skinWhole = ReadFile(skin);
  const std::string captionSkin = Res("bmp/caption.bmp");
  const std::string captionSkinWhole = ReadFile(captionSkin);
  const std::string sysBitmap = Res("bmp/sys_capbtns.bmp");
  const std::string sysBitmapWhole = ReadFile(sysBitmap);
  const std::string icon = Res("icon/error.ico");
  const std::string iconWhole = ReadFile(icon);
  const std::string pinyin = Res("ime/pinyin.tab");
  const std::string pinyinWhole = ReadFile(pinyin);
  const std::string phrasesWhole = ReadFile(pinyin + ".phr");
  const std::string german = Res("string/gui_value6.cfg");
  const std::string germanWhole = ReadFile(german);
  const std::string params = Res("conf/device_params.dat");
  const std::string conf = Res("conf");
  const std::string lock = Res("conf/.instance_lock");
  constexpr int kGerman = 33;  // language index 6
  auto set = [&config](const std::string& key, const std::string& value) {
    return "sed -i 's|^" + key + "=.*$|" + key + "=" + value + "|' '" + config + "'";
  };
  const std::string refused = "recorder_gui: InitGUI failed with code ";
  const std::string warning = "recorder_gui: warning: ";
  const std::string inConfig = "configuration file \"" + config + "\" has ";
  auto noCaptions = [&](const std::string& why) {
    return warning + "language file \"" + german + "\" " + why +
           "; the captions in use stay instead (English at start-up)\n";
  };
  struct Case {
    const char* what;
    std::string breakIt;
    int exitCode;
    std::string line;  // the whole line, or its start when it ends in no newline
    int languageId = 0;
    std::string folder = "bin";
    bool dummyDriver = true;
    bool unprivileged = false;
  } cases[] = {
      {"missing font", "mv '" + font + "' '" + font + ".away'", 1,
       refused + "5 (fonts): font file \"" + font + "\" is missing\n"},
      {"truncated configuration", "truncate -s " + std::to_string(whole.find("[truetypefonts]") + 40) + " '" + config + "'",
       1, refused + "5 (fonts): the setting [truetypefonts] "},
      {"configuration cut before its engine", "truncate -s 10 '" + config + "'", 1,
       refused + "3 (configuration): configuration file \"" + config + "\" has no [system] gal_engine"},
      {"wrong working directory", "true", 1,
       refused + "3 (configuration): configuration file \"" + root_ +
           "/guiRes/guiRes/rirurRes/conf/1024x768.cfg\" cannot be read: No such file or directory (resources are "
           "found relative to the working directory \"" + root_ + "/guiRes/rirurRes\"; start the program in "
           "build/bin)\n",
       0, "guiRes/rirurRes"},
      {"no display", "true", 1,
       refused + "1 (graphics layer): no display to open the host window on (DISPLAY=\"\")", 0, "bin", false},
      {"no system font", "sed -i '0,/^font_number=4$/s//font_number=-5/' '" + config + "'", 1,
       refused + "5 (fonts): " + inConfig + "[systemfont] font_number -5; at least 1 font is needed\n"},
      {"system font name cut short", set("font0", "rbf-fixed-rrncnn-8"), 1,
       refused + "5 (fonts): " + inConfig + "an unusable [systemfont] font0 \"rbf-fixed-rrncnn-8\"\n"},
      {"no window", set("win_number", "0"), 1, refused + "10 (layouts): " + inConfig + "[menuinfo] win_number 0; 1 to "},
      {"control wider than any screen", set("win_startguide_w", "2147483647"), 1,
       refused + "10 (layouts): " + inConfig +
           "[startguide] win_startguide_w=2147483647, which is no place or size a control can have\n"},
      {"window metric past any screen", set("minwidth", "2147483647"), 1,
       refused + "16 (window element metrics): " + inConfig +
           "[mainwinmetrics] minwidth=2147483647, which is no size a window part can have\n"},
      {"missing cursor", "mv '" + cursor + "' '" + cursor + ".away'", 1,
       refused + "12 (cursors): cursor file \"" + cursor + "\" ([cursorinfo] cursor0) is missing or not a 32 x 32 cursor\n"},
      {"skin folder longer than a path", set("bitmappath", std::string(5000, 'x')), 1,
       refused + "14 (control classes): " + inConfig + "a [bitmapinfo] bitmappath longer than a path can be\n"},
      {"skin cut short", "truncate -s 100 '" + skin + "'", 1,
       refused + "14 (control classes): bitmap file \"" + skin + "\" ([bitmapinfo] checkmark) is damaged or cut short\n"},
      {"unknown graphics engine", set("gal_engine", "nosuch"), 0,
       warning + inConfig + "[system] gal_engine=nosuch; the \"windib\" engine is used instead\n"},
      {"screen mode of no form", "sed -i '0,/^defaultmode=.*$/s//defaultmode=garbage/' '" + config + "'", 0,
       warning + inConfig + "[system] defaultmode=garbage, which is no <width>x<height>-<bits>bpp mode; the "
                             "device's own mode is used instead\n"},
      {"screen mode of no depth", "sed -i '0,/^defaultmode=.*$/s//defaultmode=1024x768-7bpp/' '" + config + "'", 0,
       warning + inConfig + "[system] defaultmode=1024x768-7bpp, which is no <width>x<height>-<bits>bpp mode; "
                             "the device's own mode is used instead\n"},
      {"host screen mode of no form", "sed -i '/^\\[windib\\]/,/^$/s/^defaultmode=.*$/defaultmode=garbage/' '" + config + "'",
       0,
       warning + inConfig + "[windib] defaultmode=garbage, which is no <width>x<height>-<bits>bpp mode; the "
                             "device's own mode is used instead\n"},
      {"unknown input engine", set("ial_engine", "nosuch"), 0,
       warning + inConfig + "[system] ial_engine=nosuch; the \"Win\" engine is used instead\n"},
      {"more extra font sizes than slots", set("extra_number", "2147483647"), 1,
       refused + "5 (fonts): " + inConfig + "[extrafontsize] extra_number 2147483647, which with [systemfont] "
                 "font_number 4 asks for more than the 10 font slots, so 9 fonts are read, and font4 \"\" is "
                 "unusable\n"},
      {"raw bitmap fonts below none", "sed -i '0,/^font_number=8$/s//font_number=-1/' '" + config + "'", 1,
       refused + "5 (fonts): " + inConfig + "[rawbitmapfonts] font_number -1; 0 or more fonts are needed\n"},
      {"menu of no height", set("win_height", "0"), 1,
       refused + "10 (layouts): " + inConfig + "a [menuinfo] win_width x win_height of 800 x 0, which is no size a "
                                               "menu can have\n"},
      {"control of a negative width", set("win_startguide_w", "-1"), 1,
       refused + "10 (layouts): " + inConfig +
           "[startguide] win_startguide_w=-1, which is no place or size a control can have\n"},
      {"skin no stage needs, cut short", "truncate -s 60 '" + captionSkin + "'", 0,
       warning + "bitmap file \"" + captionSkin +
           "\" ([bitmapinfo] caption) is damaged or cut short; it stays undrawn instead\n"},
      {"missing system bitmap", "rm '" + sysBitmap + "'", 0,
       warning + "bitmap file \"" + sysBitmap + "\" ([bitmapinfo] bitmap0) is missing; it stays undrawn instead\n"},
      {"system bitmap cut short", "truncate -s 50 '" + sysBitmap + "'", 0,
       warning + "bitmap file \"" + sysBitmap +
           "\" ([bitmapinfo] bitmap0) is damaged or cut short; it stays undrawn instead\n"},
      {"background of no colour", set("win_bkcolor", "garbage"), 0,
       warning + inConfig + "[menuinfo] win_bkcolor=garbage, which is no colour number; 0x000000 is used instead\n"},
      {"input-method tables below none", set("imenumber", "-1"), 0,
       warning + inConfig + "[imeinfo] imenumber=-1, which is no count of tables; no table is used instead\n"},
      {"double-click time below none", set("dblclicktime", "-1"), 0,
       warning + inConfig + "[mouse] dblclicktime=-1, which is no time of 1 to 999 ms; 300 ms is used instead\n"},
      {"icons below none", set("iconnumber", "-1"), 0,
       warning + inConfig + "[iconinfo] iconnumber=-1; no icons are loaded instead\n"},
      {"missing icon", "rm '" + icon + "'", 0,
       warning + "icon file \"" + icon + "\" ([iconinfo] icon1) is missing; the icon is left out instead\n"},
      {"random icon", "head -c 1000 /dev/urandom > '" + icon + "'", 0,
       warning + "icon file \"" + icon + "\" ([iconinfo] icon1) is damaged or no icon; the icon is left out instead\n"},
      {"more system bitmaps than there are", set("bitmapnumber", "2147483647"), 0,
       warning + inConfig + "[bitmapinfo] bitmapnumber=2147483647; all 8 system bitmaps are loaded instead\n"},
      {"missing language file", "rm '" + german + "'", 0,
       noCaptions("is missing"), kGerman},
      {"language file a FIFO", "rm '" + german + "' && mkfifo '" + german + "'", 0,
       noCaptions("is not a regular file"), kGerman},
      {"language file a link to /dev/zero", "rm '" + german + "' && ln -s /dev/zero '" + german + "'", 0,
       noCaptions("is not a regular file"), kGerman},
      {"language file of 1 GiB", "truncate -s 1G '" + german + "'", 0,
       noCaptions("is larger than any such file (1073741824 bytes)"), kGerman},
      {"language file a FIFO, another language in use", "rm '" + german + "' && mkfifo '" + german + "'", 0,
       warning + "language file \"" + german + "\" is not a regular file; its language is named \"Default String\" "
                 "instead\n"},
      {"configuration a FIFO", "rm '" + config + "' && mkfifo '" + config + "'", 1,
       refused + "3 (configuration): configuration file \"" + config + "\" is not a regular file\n"},
      {"configuration a link to /dev/zero", "rm '" + config + "' && ln -s /dev/zero '" + config + "'", 1,
       refused + "3 (configuration): configuration file \"" + config + "\" is not a regular file\n"},
      {"configuration a directory", "rm '" + config + "' && mkdir '" + config + "'", 1,
       refused + "3 (configuration): configuration file \"" + config + "\" is a directory, not a file\n"},
      {"configuration of 1 GiB", "truncate -s 1G '" + config + "'", 1,
       refused + "3 (configuration): configuration file \"" + config + "\" is larger than any such file "
                 "(1073741824 bytes)\n"},
      {"font a FIFO", "mv '" + gbFont + "' '" + gbFont + ".away' && mkfifo '" + gbFont + "'", 1,
       refused + "5 (fonts): font file \"" + gbFont + "\" is not a regular file\n"},
      {"font a link to /dev/zero", "mv '" + gbFont + "' '" + gbFont + ".away' && ln -s /dev/zero '" + gbFont + "'", 1,
       refused + "5 (fonts): font file \"" + gbFont + "\" is not a regular file\n"},
      {"a link at the lock's name", "ln -s '" + params + "' '" + lock + "'", 1,
       "recorder_gui: cannot take the one-copy lock \"" + lock +
           "\": a symbolic link stands at its name, and it is never followed\n"},
      {"a FIFO at the lock's name", "mkfifo '" + lock + "'", 1,
       "recorder_gui: cannot take the one-copy lock \"" + lock + "\": it is not a regular file\n"},
      {"a read-only configuration folder", "chmod 755 '" + root_ + "' && chmod a-w '" + conf + "'", 1,
       "recorder_gui: cannot take the one-copy lock \"" + lock +
           "\": the configuration folder cannot be written (Permission denied)\n",
       0, "bin", true, true},
      {"a read-only configuration folder holding an earlier run's lock",
       "chmod 755 '" + root_ + "' && touch '" + lock + "' && chmod a-w '" + conf + "'", 0,
       warning + "configuration folder \"" + conf +
           "\" cannot be written (Permission denied); settings applied will not be kept\n",
       0, "bin", true, true},
      {"missing input-method table", "rm '" + pinyin + "'", 0,
       warning + "input-method table \"" + pinyin + "\" ([imeinfo] ime0) is missing; the input method is left out "
                 "instead\n"},
      {"input-method phrases cut short", "truncate -s 100 '" + pinyin + ".phr'", 0,
       warning + "input-method table \"" + pinyin + "\" ([imeinfo] ime0) or a file beside it is damaged or cut "
                 "short; the input method is left out instead\n"},
      {"empty language file", "truncate -s 0 '" + german + "'", 0,
       noCaptions("has no [winsCaptions]"), kGerman},
      {"language file cut in half", "truncate -s " + std::to_string(germanWhole.size() / 2) + " '" + german + "'", 0,
       warning + "language file \"" + german + "\" has no or too few captions for 52 sections, the first "
                 "[outmodeset], as if cut short; their captions in use stay instead (English at start-up)\n",
       kGerman},
      {"random language file", "head -c 3000 /dev/urandom | tr -d '[' > '" + german + "'", 0,
       noCaptions("has no [winsCaptions]"), kGerman},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(std::system(c.breakIt.c_str()), 0);
    if (c.languageId) SaveDeviceLanguage(params, c.languageId);
    Program p = Start(c.folder, c.dummyDriver, c.unprivileged);
    if (c.exitCode == 0) {
      ASSERT_TRUE(p.Started()) << p.Stderr();
      // A warning of a file read by a tool window's thread may follow the
      // start-up's end.
      for (int waited = 0; p.Stderr().find('\n') == std::string::npos; ++waited) {
        ASSERT_LT(waited, 10000) << "nothing said";
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      ::kill(p.pid, SIGTERM);
      // A hang guard, not a clock: under sanitizers and load an orderly end
      // (threads joined, the leak check at exit) can take seconds.
      EXPECT_EQ(p.Wait(), 0) << "SIGTERM ends it";
    } else {
      EXPECT_EQ(p.Wait(), c.exitCode);
    }
    const std::string said = p.Stderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(said.compare(0, c.line.size(), c.line), 0) << said;
    // Put things back for the next case (what stands in a file's place goes
    // first: writing to a FIFO would wait for a reader).
    (void)std::system(("chmod u+w '" + conf + "' && rm -rf '" + config + "' '" + skin + "' '" + german + "' '" + lock +
                       "'").c_str());
    WriteFile(config, whole);
    WriteFile(skin, skinWhole);
    WriteFile(sysBitmap, sysBitmapWhole);
    WriteFile(captionSkin, captionSkinWhole);
    WriteFile(icon, iconWhole);
    WriteFile(pinyin, pinyinWhole);
    WriteFile(pinyin + ".phr", phrasesWhole);
    WriteFile(german, germanWhole);
    std::remove(params.c_str());
    for (const std::string& moved : {font, gbFont, cursor})
      (void)std::system(("! test -e '" + moved + ".away' || { rm -rf '" + moved + "' && mv '" + moved + ".away' '" +
                         moved + "'; }").c_str());
  }
}

// A damaged parameter file costs no crash, no hang and no memory: the
// program says in one line which file it refused and why, sets it aside,
// runs on the defaults and still ends in order on SIGTERM.
TEST_F(ProgramTest, DamagedParameterFilesAreSetAsideAndTheProgramRunsOnItsDefaults) {
  const std::string params = Res("conf/device_params.dat");
  struct Case {
    const char* what;
    std::string damage;
    const char* reason;
    mode_t setAsideType;
  } cases[] = {
      {"a directory", "mkdir '" + params + "'", "a directory, not a file", S_IFDIR},
      {"a FIFO", "mkfifo '" + params + "'", "not a regular file", S_IFIFO},
      {"a link to /dev/zero", "ln -s /dev/zero '" + params + "'", "a symbolic link, not a file", S_IFLNK},
      {"a huge sparse file", "truncate -s 1G '" + params + "'", "larger than any parameter file", S_IFREG},
      {"an empty file", "truncate -s 0 '" + params + "'", "too short", S_IFREG},
      {"a foreign file", "printf '[system]\\ngal_engine=windib\\n' > '" + params + "'", "not a parameter file", S_IFREG},
      {"a damaged file", "printf 'NVRPARAM\\001\\000\\000\\000\\000\\000\\000\\000XXXX' > '" + params + "'",
       "checksum mismatch", S_IFREG},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(std::system(c.damage.c_str()), 0) << c.what;
    Program p = Start();
    std::string said;
    for (int waited = 0; (said = p.Stderr()).find('\n') == std::string::npos; ++waited) {
      ASSERT_LT(waited, 10000) << c.what << ": nothing said";
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::kill(p.pid, SIGTERM);
    EXPECT_EQ(p.Wait(), 0) << c.what << ": " << p.Stderr();
    said = p.Stderr();
    // The program names the file as it reaches it, from its folder bin.
    EXPECT_EQ(said.find("device parameters: ../guiRes/rirurRes/conf/device_params.dat refused (" +
                        std::string(c.reason)),
              0u)
        << c.what << ":\n" << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << c.what << ":\n" << said;
    const size_t aside = said.find("set aside as ");
    ASSERT_NE(aside, std::string::npos) << said;
    const std::string asidePath = root_ + "/bin/" + said.substr(aside + 13, said.find(',', aside) - aside - 13);
    struct stat info {};
    ASSERT_EQ(::lstat(asidePath.c_str(), &info), 0) << asidePath;
    EXPECT_EQ(info.st_mode & S_IFMT, c.setAsideType) << c.what;
    EXPECT_EQ(std::system(("rm -rf '" + asidePath + "' '" + params + "'").c_str()), 0);
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
