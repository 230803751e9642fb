#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "config_test_helpers.h"
#include "gui/config.h"
#include "gui/fixstr.h"

namespace {

class EtcFileTest : public ::testing::Test {
 protected:
  std::string Path() const { return dir_.File("t.cfg"); }
  std::string Get(const char* section, const char* key, int* rc = nullptr) {
    char buffer[64] = {};
    int result = GetValueFromEtcFile(Path().c_str(), section, key, buffer, sizeof buffer);
    if (rc) *rc = result;
    return result == ETC_OK ? buffer : "<" + std::to_string(result) + ">";
  }
  int Set(const char* section, const char* key, const char* value) {
    return SetValueToEtcFile(Path().c_str(), section, key, value);
  }
  bool TempLeft() const { return TempFilesIn(dir_.Path()); }

  ScratchDir dir_;
};

const char kSample[] =
    "top=0\n"
    "[first]\n"
    "a=1\n"
    "[mid]\n"
    "# about mid\n"
    "x = 10\n"
    "\n"
    "; more\n"
    "y=20\n"
    "z=30\n"
    "[last]\n"
    "q=9\n";
// The part of kSample above the body of [mid], which rewrites of [mid] keep.
const std::string kUpToMid = "top=0\n[first]\na=1\n[mid]\n";

TEST_F(EtcFileTest, ReaderFindsKeysSectionBySection) {
  WriteText(Path(), kSample);
  EXPECT_EQ(Get("first", "a"), "1");
  EXPECT_EQ(Get("mid", "x"), " 10");
  EXPECT_EQ(Get("mid", "z"), "30");
  EXPECT_EQ(Get("last", "q"), "9");
  EXPECT_EQ(Get(nullptr, "top"), "0") << "a null section reads above the first header";
  EXPECT_EQ(Get(nullptr, "a"), "<-3>");
  EXPECT_EQ(Get("first", "x"), "<-3>") << "the search stops at the next header";
  EXPECT_EQ(Get("nope", "a"), "<-2>");
  EXPECT_EQ(Get("last", "nope"), "<-3>");
  char buffer[4];
  EXPECT_EQ(GetValueFromEtcFile(Path().c_str(), "mid", "x", buffer, 0), ETC_BAD_ARGUMENT);
  EXPECT_EQ(GetValueFromEtcFile(dir_.File("none").c_str(), "mid", "x", buffer, 4), ETC_BAD_ARGUMENT);
  EXPECT_EQ(GetValueFromEtcFile(Path().c_str(), "mid", "x", buffer, 3), ETC_OK);
  EXPECT_STREQ(buffer, " 1") << "cut and terminated";
  int v = 0;
  EXPECT_EQ(GetIntValueFromEtcFile(Path().c_str(), "mid", "y", &v), ETC_OK);
  EXPECT_EQ(v, 20);
}

TEST_F(EtcFileTest, ReaderHandlesCrLfAndLongLines) {
  std::string longValue(3000, 'v');
  WriteText(Path(), "[a]\r\nk=1\r\nlong=" + longValue + "\r\nafter=2\r\n");
  EXPECT_EQ(Get("a", "k"), "1");
  EXPECT_EQ(Get("a", "after"), "2") << "a long line is one line";
  std::string read = Get("a", "long");
  EXPECT_EQ(read, std::string(63, 'v'));
}

TEST_F(EtcFileTest, ReplacingAKeyRewritesItsSectionUpToTheKey) {
  WriteText(Path(), kSample);
  ASSERT_EQ(Set("mid", "y", "21"), ETC_OK);
  EXPECT_EQ(ReadText(Path()), kUpToMid +
            "x= 10\n"
            "y=21\n"
            "z=30\n"
            "[last]\n"
            "q=9\n");
  EXPECT_FALSE(TempLeft());
  ASSERT_EQ(Set("mid", "x", "11"), ETC_OK);
  EXPECT_EQ(ReadText(Path()), kUpToMid + "x=11\ny=21\nz=30\n[last]\nq=9\n");
}

TEST_F(EtcFileTest, MissingKeyGoesBeforeTheNextHeaderWithABlankLine) {
  WriteText(Path(), kSample);
  ASSERT_EQ(Set("mid", "w", "5"), ETC_OK);
  EXPECT_EQ(ReadText(Path()), kUpToMid +
            "x= 10\n"
            "y=20\n"
            "z=30\n"
            "w=5\n"
            "\n"
            "[last]\n"
            "q=9\n");
  ASSERT_EQ(Set("last", "r", "7"), ETC_OK);
  EXPECT_EQ(ReadText(Path()), kUpToMid + "x= 10\ny=20\nz=30\nw=5\n\n[last]\nq=9\nr=7\n\n");
  EXPECT_FALSE(TempLeft());
}

TEST_F(EtcFileTest, MissingSectionIsAppended) {
  WriteText(Path(), "[a]\nk=1\n");
  ASSERT_EQ(Set("b", "m", "2"), ETC_OK);
  EXPECT_EQ(ReadText(Path()), "[a]\nk=1\n\n[b]\nm=2\n");
  EXPECT_EQ(Get("b", "m"), "2");
}

TEST_F(EtcFileTest, HeaderOnTheLastLineWithoutLineEndGetsOne) {
  WriteText(Path(), "[a]\nk=1\n[b]");
  ASSERT_EQ(Set("b", "m", "2"), ETC_OK);
  EXPECT_EQ(ReadText(Path()), "[a]\nk=1\n[b]\nm=2\n\n");
  EXPECT_EQ(Get("b", "m"), "2");
  WriteText(Path(), "[a]\r");
  ASSERT_EQ(Set("a", "k", "1"), ETC_OK);
  EXPECT_EQ(ReadText(Path()), "[a]\r\nk=1\n\n");
  EXPECT_EQ(Get("a", "k"), "1");
}

TEST_F(EtcFileTest, MissingFileIsCreatedWithOneKey) {
  ASSERT_EQ(Set("menuinfo", "language", "2"), ETC_OK);
  EXPECT_EQ(ReadText(Path()), "[menuinfo]\nlanguage=2\n");
  EXPECT_FALSE(TempLeft());
}

TEST_F(EtcFileTest, CrLfLinesOutsideTheRewrittenPartStayByteExact) {
  WriteText(Path(), "[a]\r\nk=1\r\n[b]\r\nm=2\r\n");
  ASSERT_EQ(Set("a", "k", "3"), ETC_OK);
  EXPECT_EQ(ReadText(Path()), "[a]\r\nk=3\n[b]\r\nm=2\r\n");
}

TEST_F(EtcFileTest, EmptyKeysAreDroppedOnTheWayToTheKey) {
  WriteText(Path(), "[a]\n=orphan\n  b = 2 \nk=1\n=after\n");
  ASSERT_EQ(Set("a", "k", "x"), ETC_OK);
  EXPECT_EQ(ReadText(Path()), "[a]\nb= 2 \nk=x\n=after\n");
}

TEST_F(EtcFileTest, RewriteKeepsPermissionsAndFollowsLinks) {
  WriteText(Path(), kSample);
  ASSERT_EQ(::chmod(Path().c_str(), 0640), 0);
  std::string link = dir_.File("link.cfg");
  ASSERT_EQ(::symlink(Path().c_str(), link.c_str()), 0);
  ASSERT_EQ(SetValueToEtcFile(link.c_str(), "first", "a", "2"), ETC_OK);
  struct stat info {};
  ASSERT_EQ(::lstat(link.c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  ASSERT_EQ(::stat(Path().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(Get("first", "a"), "2");
}

TEST_F(EtcFileTest, UnwritableTargetsAreLeftAlone) {
  WriteText(Path(), kSample);
  ASSERT_EQ(::mkdir(dir_.File("sub").c_str(), 0755), 0);
  EXPECT_EQ(SetValueToEtcFile(dir_.File("sub").c_str(), "a", "k", "v"), ETC_FILE_IO_FAILED) << "a directory";
  // Neither waited on nor read without end.
  ASSERT_EQ(::mkfifo(dir_.File("fifo").c_str(), 0600), 0);
  EXPECT_EQ(SetValueToEtcFile(dir_.File("fifo").c_str(), "a", "k", "v"), ETC_FILE_IO_FAILED) << "a FIFO";
  ASSERT_EQ(::symlink("/dev/zero", dir_.File("zero").c_str()), 0);
  EXPECT_EQ(SetValueToEtcFile(dir_.File("zero").c_str(), "a", "k", "v"), ETC_FILE_IO_FAILED) << "a device";
  EXPECT_EQ(SetValueToEtcFile(dir_.File("gone/t.cfg").c_str(), "a", "k", "v"), ETC_TEMP_FILE_FAILED);
  EXPECT_FALSE(TempLeft());
}

struct HostileWrite {
  const char* what;
  const char* section;
  const char* key;
  const char* value;
};

const HostileWrite kHostileWrites[] = {
    {"a value planting a section", "mid", "x", "1\n[system]\ngal_engine=evil"},
    {"a carriage return in a value", "mid", "x", "1\r"},
    {"a line break in a key", "mid", "x\ny", "1"},
    {"'=' in a key", "mid", "a=b", "1"},
    {"a key starting with '['", "mid", "[x", "1"},
    {"a key read as a comment", "mid", "#x", "1"},
    {"a key with a leading blank", "mid", " x", "1"},
    {"a key cut at ';'", "mid", "x;y", "1"},
    {"an empty key", "mid", "", "1"},
    {"']' in a section", "mi]d", "x", "1"},
    {"a line break in a section", "mid\n[x", "x", "1"},
    {"a section with a leading blank", " mid", "x", "1"},
};

// Every writer, in memory and on disk, refuses what would not read back as
// written, and leaves the file and the object as they were.
TEST_F(EtcFileTest, HostileWritesAreRefusedByEveryWriter) {
  ASSERT_TRUE(InitFixStr());
  WriteText(Path(), kSample);
  EtcFile* etc = LoadEtcFile(Path().c_str());
  ASSERT_NE(etc, nullptr);
  const std::string saved = dir_.File("saved.cfg");
  ASSERT_EQ(SaveEtcToFile(etc, saved.c_str()), ETC_OK);
  const std::string savedText = ReadText(saved);
  EtcSection* mid = FindSectionInEtc(etc, "mid", FALSE);
  const int sections = etc->sectionCount, midKeys = mid->keyCount;
  for (const HostileWrite& w : kHostileWrites) {
    char value[64];
    std::snprintf(value, sizeof value, "%s", w.value);
    EXPECT_EQ(Set(w.section, w.key, w.value), ETC_BAD_ARGUMENT) << w.what;
    EXPECT_EQ(GetValueFromEtc(etc, w.section, w.key, value, 0), ETC_BAD_ARGUMENT) << w.what;
    if (std::string(w.section) == "mid")
      EXPECT_EQ(SetValueToEtcSec(mid, w.key, w.value), ETC_BAD_ARGUMENT) << w.what;
    else
      EXPECT_EQ(FindSectionInEtc(etc, w.section, TRUE), nullptr) << w.what;
    EXPECT_EQ(etc->sectionCount, sections) << w.what;
    EXPECT_EQ(mid->keyCount, midKeys) << w.what;
    ASSERT_EQ(SaveEtcToFile(etc, saved.c_str()), ETC_OK);
    EXPECT_EQ(ReadText(saved), savedText) << w.what;
  }
  EXPECT_EQ(ReadText(Path()), kSample);

  // An object filled by hand is checked again before it is written.
  char* good = mid->keys[0];
  mid->keys[0] = FixStrDup("a=b");
  EXPECT_EQ(SaveEtcToFile(etc, saved.c_str()), ETC_BAD_ARGUMENT);
  EXPECT_EQ(ReadText(saved), savedText);
  FreeFixStr(mid->keys[0]);
  mid->keys[0] = good;
  UnloadEtcFile(etc);
  EXPECT_FALSE(TempLeft());
  TermFixStr();
}

// Both writers as a user who may not write the file: a refusal, the file as
// it was, no temporary file. Run as an unprivileged user when we are root.
TEST_F(EtcFileTest, ReadOnlyFileIsRefusedByBothWriters) {
  ASSERT_TRUE(InitFixStr());
  WriteText(Path(), kSample);
  ASSERT_EQ(::chmod(Path().c_str(), 0444), 0);
  ASSERT_EQ(::chmod(dir_.Path().c_str(), 0777), 0);
  EtcFile* etc = LoadEtcFile(Path().c_str());
  ASSERT_NE(etc, nullptr);
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    bool refused = Set("mid", "x", "1") == ETC_FILE_IO_FAILED && SaveEtcToFile(etc, Path().c_str()) == ETC_FILE_IO_FAILED;
    ::_exit(refused ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  EXPECT_EQ(ReadText(Path()), kSample);
  EXPECT_FALSE(TempLeft());
  UnloadEtcFile(etc);
  TermFixStr();
}

// Temporary files a killed writer left go at the next load or write, and
// links planted where a careless writer would put its temporary file are
// never written through.
TEST_F(EtcFileTest, StaleTemporaryFilesGoAndPlantedLinksAreNeverFollowed) {
  const std::string stale = dir_.File(std::string(ETC_TEMP_FILE_NAME) + ".t.cfg.Ab12Cd");
  const std::string otherFiles = dir_.File(std::string(ETC_TEMP_FILE_NAME) + ".u.cfg.Ab12Cd");
  const std::string victim = dir_.File("victim");
  WriteText(victim, "precious");
  for (const char* name : {"", ".t.cfg", ".t.cfg.XXXXXX"})
    ASSERT_EQ(::symlink(victim.c_str(), dir_.File(ETC_TEMP_FILE_NAME + std::string(name)).c_str()), 0);
  WriteText(Path(), kSample);
  WriteText(otherFiles, "a writer of u.cfg may be at work");
  for (int round = 0; round < 2; ++round) {
    WriteText(stale, "half a file from a killed writer");
    if (round == 0) {
      EtcFile* loaded = LoadEtcFile(Path().c_str());
      ASSERT_NE(loaded, nullptr);
      UnloadEtcFile(loaded);
    } else {
      ASSERT_EQ(Set("first", "a", "2"), ETC_OK);
      EXPECT_EQ(Get("first", "a"), "2");
    }
    EXPECT_FALSE(Exists(stale)) << "round " << round;
    EXPECT_TRUE(Exists(otherFiles)) << "only the temporary files of the file at hand go";
  }
  ASSERT_TRUE(InitFixStr());
  EtcFile* etc = LoadEtcFile(Path().c_str());
  ASSERT_EQ(SaveEtcToFile(etc, Path().c_str()), ETC_OK);
  UnloadEtcFile(etc);
  TermFixStr();
  EXPECT_EQ(ReadText(victim), "precious");
}

TEST_F(EtcFileTest, RemoveSectionCutsItUpToTheNextHeader) {
  WriteText(Path(), kSample);
  ASSERT_EQ(RemoveSectionInEtcFile(Path().c_str(), "mid"), ETC_OK);
  EXPECT_EQ(ReadText(Path()), "top=0\n[first]\na=1\n[last]\nq=9\n");
  ASSERT_EQ(RemoveSectionInEtcFile(Path().c_str(), "last"), ETC_OK);
  EXPECT_EQ(ReadText(Path()), "top=0\n[first]\na=1\n");
  EXPECT_EQ(RemoveSectionInEtcFile(Path().c_str(), "mid"), ETC_NO_SECTION);
  EXPECT_EQ(ReadText(Path()), "top=0\n[first]\na=1\n");
  EXPECT_EQ(RemoveSectionInEtcFile(dir_.File("none").c_str(), "a"), ETC_NO_SECTION);
  EXPECT_FALSE(Exists(dir_.File("none")));
  EXPECT_FALSE(TempLeft());
}

}  // namespace
