#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "config_test_helpers.h"
#include "core/config/etc_store.h"
#include "core/config/etc_text.h"
#include "gui/config.h"
#include "gui/fixstr.h"

namespace {

class EtcObjectTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(InitFixStr()); }
  void TearDown() override {
    if (etc_) UnloadEtcFile(etc_);
    TermFixStr();
  }
  EtcFile* Load(const std::string& text) {
    WriteText(dir_.File("t.cfg"), text);
    etc_ = LoadEtcFile(dir_.File("t.cfg").c_str());
    return etc_;
  }
  std::string Value(const char* section, const char* key, int* rc = nullptr) {
    char buffer[256] = {};
    int result = GetValueFromEtc(etc_, section, key, buffer, sizeof buffer);
    if (rc) *rc = result;
    return result == ETC_OK ? buffer : "<" + std::to_string(result) + ">";
  }

  ScratchDir dir_;
  EtcFile* etc_ = nullptr;
};

TEST_F(EtcObjectTest, KeyAndValueSplitAsTheGrammarSays) {
  ASSERT_NE(Load("[s]\n"
                 "key = value\n"
                 "  indented=1\n"
                 "flag\n"
                 "semi=a;b#c\n"
                 "cut;x=y\n"
                 "hash#x=y\n"
                 "empty=\n"
                 "\tspaced key\t=v \n"),
            nullptr);
  EXPECT_EQ(Value("s", "key"), " value");
  EXPECT_EQ(Value("s", "indented"), "1");
  EXPECT_EQ(Value("s", "flag"), "");
  EXPECT_EQ(Value("s", "semi"), "a;b#c") << "; and # inside a value are text";
  EXPECT_EQ(Value("s", "cut"), "") << "a key ends at ';'";
  EXPECT_EQ(Value("s", "hash"), "");
  EXPECT_EQ(Value("s", "empty"), "");
  EXPECT_EQ(Value("s", "spaced key"), "v ");
}

TEST_F(EtcObjectTest, SectionHeadersAndOrphanLines) {
  ASSERT_NE(Load("orphan=1\n"
                 "[ video ]\n"
                 "a=1\n"
                 "[audio\n"
                 "b=2\n"
                 "[ net ; comment ]\n"
                 "c=3\n"
                 "[last]\n"),
            nullptr);
  EXPECT_EQ(etc_->sectionCount, 4);
  EXPECT_EQ(Value("video", "a"), "1");
  EXPECT_EQ(Value("audio", "b"), "2");
  EXPECT_EQ(Value("net", "c"), "3");
  EtcSection* last = FindSectionInEtc(etc_, "last", FALSE);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->keyCount, 0);
  EXPECT_EQ(FindSectionInEtc(etc_, "Video", FALSE), nullptr) << "names are case-sensitive";
}

TEST_F(EtcObjectTest, CommentsBlankLinesAndLineEndings) {
  ASSERT_NE(Load("# top\r\n[a]\r\n; note\r\n   # indented note\r\nx=1\r\n\r\n\ry=2\rz=3"), nullptr);
  EtcSection* a = FindSectionInEtc(etc_, "a", FALSE);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->keyCount, 3);
  EXPECT_EQ(Value("a", "x"), "1");
  EXPECT_EQ(Value("a", "y"), "2");
  EXPECT_EQ(Value("a", "z"), "3") << "last line without a line end";
}

// A zero byte ends its line's name or value as a line end would; the rest
// of that line is dropped, and the next line is read as usual.
TEST_F(EtcObjectTest, ZeroBytesEndTheirLine) {
  using namespace std::string_literals;
  ASSERT_NE(Load("[a]\nk=ab\0cd\nm\0=x\n\0n=1\n[b\0c]\nz=9"s), nullptr);
  EXPECT_EQ(Value("a", "k"), "ab");
  EXPECT_EQ(Value("a", "m"), "") << "the key ends at the zero byte, before its =";
  EXPECT_EQ(FindSectionInEtc(etc_, "a", FALSE)->keyCount, 2) << "a line starting with a zero byte is blank";
  EXPECT_EQ(Value("b", "z"), "9");
}

// Loaded strings share the file's text: changing, removing and adding
// around them, then saving, must neither free nor overwrite any of them.
TEST_F(EtcObjectTest, LoadedStringsSurviveEveryChange) {
  ASSERT_NE(Load("[a]\nk=1\nflag\nlong=some longer value\n[b]\nx=2\n[c]\ny=3\n"), nullptr);
  EtcFile* other = LoadEtcFile(dir_.File("t.cfg").c_str());
  ASSERT_NE(other, nullptr);
  EtcSection* a = FindSectionInEtc(etc_, "a", FALSE);
  for (int round = 0; round < 3; ++round) {
    ASSERT_EQ(SetValueToEtcSec(a, "k", ("v" + std::to_string(round)).c_str()), ETC_OK);
    ASSERT_EQ(SetValueToEtcSec(a, "flag", "on"), ETC_OK);
  }
  ASSERT_EQ(RemoveSectionInEtc(etc_, "b"), ETC_OK);
  ASSERT_NE(FindSectionInEtc(etc_, "d", TRUE), nullptr);
  ASSERT_EQ(SetValueToEtcSec(FindSectionInEtc(etc_, "d", FALSE), "w", "4"), ETC_OK);
  ASSERT_EQ(RemoveSectionInEtc(other, "a"), ETC_OK);

  const std::string out = dir_.File("out.cfg");
  ASSERT_EQ(SaveEtcToFile(etc_, out.c_str()), ETC_OK);
  EXPECT_EQ(ReadText(out), "[a]\nk=v2\nflag=on\nlong=some longer value\n\n[d]\nw=4\n\n[c]\ny=3\n\n");
  UnloadEtcFile(etc_);
  etc_ = nullptr;
  ASSERT_EQ(SaveEtcToFile(other, out.c_str()), ETC_OK);
  EXPECT_EQ(ReadText(out), "[b]\nx=2\n\n[c]\ny=3\n\n") << "the other object keeps its own text";
  UnloadEtcFile(other);
}

TEST_F(EtcObjectTest, RepeatsTakeTheFirstOccurrence) {
  ASSERT_NE(Load("[a]\nk=1\nk=2\n[a]\nk=3\nm=4\n"), nullptr);
  EXPECT_EQ(Value("a", "k"), "1");
  int rc = 0;
  Value("a", "m", &rc);
  EXPECT_EQ(rc, ETC_NO_KEY) << "the second [a] is never reached";
  Value("b", "k", &rc);
  EXPECT_EQ(rc, ETC_NO_SECTION);
}

TEST_F(EtcObjectTest, ReadsAreCutAndAlwaysTerminated) {
  ASSERT_NE(Load("[a]\nk=abcdef\n"), nullptr);
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(GetValueFromEtc(etc_, "a", "k", buffer, 4), ETC_OK);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(GetValueFromEtc(etc_, "a", "k", buffer, 6), ETC_OK);
  EXPECT_STREQ(buffer, "abcde");
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(GetValueFromEtc(etc_, "a", "k", buffer, 8), ETC_OK);
  EXPECT_STREQ(buffer, "abcdef");
  EXPECT_EQ(buffer[7], '\0') << "the rest of the buffer is zero-filled";
}

TEST_F(EtcObjectTest, IntegersUseBaseZeroAndReportRange) {
  ASSERT_NE(Load("[n]\nhex=0x1F\noct=010\nneg=-42\ntail=12abc\ntext=abc\nhuge=99999999999999999999\n"
                 "wide=0x100000000\n"),
            nullptr);
  int v = -1;
  EXPECT_EQ(GetIntValueFromEtc(etc_, "n", "hex", &v), ETC_OK);
  EXPECT_EQ(v, 31);
  EXPECT_EQ(GetIntValueFromEtc(etc_, "n", "oct", &v), ETC_OK);
  EXPECT_EQ(v, 8);
  EXPECT_EQ(GetIntValueFromEtc(etc_, "n", "neg", &v), ETC_OK);
  EXPECT_EQ(v, -42);
  EXPECT_EQ(GetIntValueFromEtc(etc_, "n", "tail", &v), ETC_OK);
  EXPECT_EQ(v, 12);
  EXPECT_EQ(GetIntValueFromEtc(etc_, "n", "text", &v), ETC_OK);
  EXPECT_EQ(v, 0);
  v = 7;
  EXPECT_EQ(GetIntValueFromEtc(etc_, "n", "huge", &v), ETC_INT_OUT_OF_RANGE);
  EXPECT_EQ(GetIntValueFromEtc(etc_, "n", "wide", &v), ETC_INT_OUT_OF_RANGE);
  EXPECT_EQ(v, 7);
  EXPECT_EQ(GetIntValueFromEtc(etc_, "n", "none", &v), ETC_NO_KEY);
  EXPECT_EQ(GetIntValueFromEtc(etc_, "x", "hex", &v), ETC_NO_SECTION);
}

TEST_F(EtcObjectTest, ReadingWithLenZeroWrites) {
  ASSERT_NE(Load("[a]\nk=1\n"), nullptr);
  char value[] = "fresh";
  EXPECT_EQ(GetValueFromEtc(etc_, "new", "key", value, 0), ETC_OK);
  EXPECT_EQ(Value("new", "key"), "fresh");
  char other[] = "2";
  EXPECT_EQ(GetValueFromEtc(etc_, "a", "k", other, -1), ETC_OK);
  EXPECT_EQ(Value("a", "k"), "2");
  EXPECT_EQ(FindSectionInEtc(etc_, "a", FALSE)->keyCount, 1) << "replaced, not appended";
}

TEST_F(EtcObjectTest, ArraysGrowByTheirSteps) {
  etc_ = LoadEtcFile(nullptr);
  ASSERT_NE(etc_, nullptr);
  EXPECT_EQ(etc_->sectionCapacity, 16);
  EXPECT_EQ(etc_->sectionCount, 0);
  for (int i = 0; i < 17; ++i) ASSERT_NE(FindSectionInEtc(etc_, ("s" + std::to_string(i)).c_str(), TRUE), nullptr);
  EXPECT_EQ(etc_->sectionCapacity, 24);
  EtcSection* s = FindSectionInEtc(etc_, "s3", FALSE);
  EXPECT_EQ(s->keyCapacity, 8);
  for (int i = 0; i < 9; ++i) ASSERT_EQ(SetValueToEtcSec(s, ("k" + std::to_string(i)).c_str(), "v"), ETC_OK);
  EXPECT_EQ(s->keyCapacity, 12);
  char buffer[8];
  EXPECT_EQ(GetValueFromEtcSec(s, "k8", buffer, sizeof buffer), ETC_OK);
  EXPECT_STREQ(buffer, "v");

  // A loaded file gets the capacities the same steps reach.
  std::string text;
  for (int i = 0; i < 17; ++i) text += "[s" + std::to_string(i) + "]\n";
  for (int i = 0; i < 9; ++i) text += "k" + std::to_string(i) + "=v\n";
  UnloadEtcFile(etc_);
  ASSERT_NE(Load(text + "[last]\n"), nullptr);
  EXPECT_EQ(etc_->sectionCapacity, 24);
  EXPECT_EQ(etc_->sectionCount, 18);
  EXPECT_EQ(FindSectionInEtc(etc_, "s16", FALSE)->keyCapacity, 12);
  EXPECT_EQ(FindSectionInEtc(etc_, "s16", FALSE)->keyCount, 9);
  EXPECT_EQ(FindSectionInEtc(etc_, "last", FALSE)->keyCapacity, 8);
}

TEST_F(EtcObjectTest, RemovedSectionLeavesAFreeSlotThatIsReused) {
  ASSERT_NE(Load("[a]\nk=1\n[b]\nk=2\n[c]\nk=3\n"), nullptr);
  EXPECT_EQ(RemoveSectionInEtc(etc_, "b"), ETC_OK);
  EXPECT_EQ(etc_->sectionCount, 3);
  EXPECT_EQ(etc_->sections[1].name, nullptr);
  EXPECT_EQ(etc_->sections[1].keyCount, 0);
  EXPECT_EQ(RemoveSectionInEtc(etc_, "b"), ETC_NO_SECTION);
  EtcSection* reused = FindSectionInEtc(etc_, "d", TRUE);
  EXPECT_EQ(reused, &etc_->sections[1]);
  EXPECT_EQ(reused->keyCapacity, 8);
  EXPECT_EQ(etc_->sectionCount, 3);
  EXPECT_EQ(Value("c", "k"), "3");
}

TEST_F(EtcObjectTest, ReadOnlyObjectsAndSectionsRefuseChanges) {
  ASSERT_NE(Load("[a]\nk=1\n"), nullptr);
  int capacity = etc_->sectionCapacity;
  etc_->sectionCapacity = 0;
  char value[] = "x";
  EXPECT_EQ(GetValueFromEtc(etc_, "a", "k", value, 0), ETC_READ_ONLY);
  EXPECT_EQ(FindSectionInEtc(etc_, "b", TRUE), nullptr);
  EXPECT_EQ(RemoveSectionInEtc(etc_, "a"), ETC_READ_ONLY);
  EXPECT_EQ(Value("a", "k"), "1") << "reads still work";
  etc_->sectionCapacity = capacity;

  EtcSection* a = FindSectionInEtc(etc_, "a", FALSE);
  int keys = a->keyCapacity;
  a->keyCapacity = 0;
  EXPECT_EQ(SetValueToEtcSec(a, "k", "2"), ETC_READ_ONLY);
  a->keyCapacity = keys;
  EXPECT_EQ(Value("a", "k"), "1");
}

TEST_F(EtcObjectTest, NullArgumentsGiveTheirCodes) {
  char buffer[8];
  int v;
  EXPECT_EQ(LoadEtcFile(dir_.File("missing.cfg").c_str()), nullptr);
  EXPECT_EQ(UnloadEtcFile(nullptr), ETC_BAD_ARGUMENT);
  EXPECT_EQ(GetValueFromEtc(nullptr, "a", "k", buffer, 8), ETC_BAD_ARGUMENT);
  EXPECT_EQ(GetIntValueFromEtc(nullptr, "a", "k", &v), ETC_BAD_ARGUMENT);
  EXPECT_EQ(GetValueFromEtcSec(nullptr, "k", buffer, 8), ETC_NULL_OBJECT);
  EXPECT_EQ(GetIntValueFromEtcSec(nullptr, "k", &v), ETC_NULL_OBJECT);
  EXPECT_EQ(SetValueToEtcSec(nullptr, "k", "v"), ETC_NULL_OBJECT);
  EXPECT_EQ(RemoveSectionInEtc(nullptr, "a"), ETC_NULL_OBJECT);
  EXPECT_EQ(SaveEtcToFile(nullptr, dir_.File("x").c_str()), ETC_NULL_OBJECT);
  EXPECT_EQ(FindSectionInEtc(nullptr, "a", TRUE), nullptr);
  ASSERT_NE(Load("[a]\n"), nullptr);
  EXPECT_EQ(GetValueFromEtc(etc_, "a", "k", nullptr, 8), ETC_BAD_ARGUMENT);
  EXPECT_EQ(FindSectionInEtc(etc_, nullptr, TRUE), nullptr);
}

TEST_F(EtcObjectTest, SaveWritesNamedSectionsOnly) {
  ASSERT_NE(Load("# gone\n[a]\nk = v\n\n[b]\nx=1\n[c]\n"), nullptr);
  ASSERT_EQ(RemoveSectionInEtc(etc_, "b"), ETC_OK);
  std::string out = dir_.File("out.cfg");
  ASSERT_EQ(SaveEtcToFile(etc_, out.c_str()), ETC_OK);
  EXPECT_EQ(ReadText(out), "[a]\nk= v\n\n[c]\n\n");
  EXPECT_FALSE(TempFilesIn(dir_.Path()));
  EXPECT_EQ(SaveEtcToFile(etc_, dir_.File("no/such/dir.cfg").c_str()), ETC_FILE_IO_FAILED);

  EtcFile* again = LoadEtcFile(out.c_str());
  ASSERT_NE(again, nullptr);
  char buffer[8];
  EXPECT_EQ(GetValueFromEtc(again, "a", "k", buffer, sizeof buffer), ETC_OK);
  EXPECT_STREQ(buffer, " v");
  UnloadEtcFile(again);
}

TEST_F(EtcObjectTest, ShippedConfigurationLoads) {
  etc_ = LoadEtcFile("../guiRes/rirurRes/conf/1024x768.cfg");
  ASSERT_NE(etc_, nullptr);
  char engine[16];
  EXPECT_EQ(GetValueFromEtc(etc_, "system", "gal_engine", engine, sizeof engine), ETC_OK);
}

}  // namespace

// Sizes that do not fit the int lengths of the string heap are refused
// rather than cut down to a small allocation or a huge buffer.
TEST_F(EtcObjectTest, OversizedFilesAndTextsAreRefused) {
  char byte = 'x';
  EXPECT_EQ(etc::DupText(std::string_view(&byte, (size_t{1} << 32) + 1)), nullptr);

  std::string path = dir_.File("huge.cfg");
  WriteText(path, "[s]\nk=v\n");
  if (::truncate(path.c_str(), off_t{1} << 40) != 0) GTEST_SKIP() << "no sparse files here";
  EXPECT_EQ(LoadEtcFile(path.c_str()), nullptr);
}

// Whatever stands at a configuration file's name, both readers answer at
// once: a FIFO without a writer, a device, a folder or a file larger than any
// configuration is refused with its reason, never waited on or read.
TEST_F(EtcObjectTest, WhatIsNoRegularFileOfAConfigurationsSizeIsRefusedAtOnce) {
  const std::string path = dir_.File("damaged.cfg");
  const struct {
    const char* what;
    std::string damage;
    const char* why;
  } cases[] = {
      {"FIFO", "mkfifo '" + path + "'", "is not a regular file"},
      {"link to /dev/zero", "ln -s /dev/zero '" + path + "'", "is not a regular file"},
      {"folder", "mkdir '" + path + "'", "is a directory, not a file"},
      {"one byte past the bound",
       "printf '[s]\\nk=v\\n' > '" + path + "' && truncate -s " + std::to_string(files::kMaxTextFile + 1) + " '" +
           path + "'",
       "is larger than any such file (16777217 bytes)"},
      {"missing", "true", "is missing"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(std::system(c.damage.c_str()), 0);
    std::string why;
    EXPECT_EQ(etc::LoadEtcFile(path.c_str(), &why), nullptr);
    EXPECT_EQ(why, c.why);
    char value[8] = {};
    EXPECT_EQ(GetValueFromEtcFile(path.c_str(), "s", "k", value, sizeof value), ETC_BAD_ARGUMENT);
    ASSERT_EQ(std::system(("rm -rf '" + path + "'").c_str()), 0);
  }
  // At the bound a file is read.
  WriteText(path, "[s]\nk=v\n");
  ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(files::kMaxTextFile)), 0);
  char value[8] = {};
  EXPECT_EQ(GetValueFromEtcFile(path.c_str(), "s", "k", value, sizeof value), ETC_OK);
  EXPECT_STREQ(value, "v");
}
