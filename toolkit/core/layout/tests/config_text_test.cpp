// The layout loader's reading of a text file: lines split at LF only, blank
// lines kept inside sections, names, keys and values as the line grammar
// gives them; and the same walk over a loaded configuration object.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/layout/config_text.h"
#include "gui/config.h"
#include "gui/fixstr.h"

namespace {

using namespace std::string_literals;

// "[name]" then each line as key=value, or "~" for a blank line.
std::string Shown(const layout::ConfigText& text, std::initializer_list<const char*> sections) {
  std::string shown;
  for (const char* name : sections) {
    const layout::TextSection* section = text.Find(name);
    if (!section) {
      shown += "(no " + std::string(name) + ")";
      continue;
    }
    shown += "[" + std::string(section->name) + "]";
    for (const layout::TextLine& line : section->lines)
      shown += line.blank ? "~" : std::string(line.key) + "=" + std::string(line.value) + ";";
  }
  return shown;
}

class ConfigTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/config_text_XXXXXX";
    const char* made = ::mkdtemp(pattern);
    ASSERT_NE(made, nullptr);
    dir_ = made;
  }
  void TearDown() override {
    ::unlink(Path().c_str());
    ::rmdir(dir_.c_str());
  }
  std::string Path() const { return dir_ + "/t.cfg"; }
  std::unique_ptr<layout::ConfigText> Read(const std::string& bytes) {
    std::FILE* out = std::fopen(Path().c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    return layout::ConfigText::Read(Path());
  }
  std::string dir_;
};

TEST_F(ConfigTextTest, LinesAsTheLayoutAndCaptionLoadersSeeThem) {
  const struct {
    std::string file;
    std::string shown;  // of sections s and t
  } cases[] = {
      {"k=before\n[s]\n# note\n  ; note\nk = v \n", "[s]k= v ;(no t)"},
      {"[s]\n\nk=1\n\n", "[s]~k=1;~(no t)"},
      {"[s]\r\nk=v\r\n\r\n[t]\r\nm=w", "[s]k=v;~[t]m=w;"},
      // A lone CR ends what the line grammar reads, not the line.
      {"[s]\na=1\rb=2\n[t]\r\n", "[s]a=1;[t]"},
      {"[s]\nk=a\0b\nflag\n\0x=1\n[t]\n"s, "[s]k=a;flag=;~[t]"},
      {"[s]\n[t]\n[s]\nk=second\n", "[s][t]"},
      {"[ s ]\nk=[v]\n[t\nk=2", "[s]k=[v];[t]k=2;"},
      {"", "(no s)(no t)"},
  };
  for (const auto& c : cases) {
    auto text = Read(c.file);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(Shown(*text, {"s", "t"}), c.shown) << c.file;
  }
  auto text = Read("[a]\nx=1\n[s]\nk=1\n[t]\n[u]\n");
  EXPECT_EQ(text->NamesAfter("s"), (std::vector<std::string>{"t", "u"}));
  EXPECT_TRUE(text->NamesAfter("none").empty());
  EXPECT_EQ(layout::ConfigText::Read(dir_ + "/missing.cfg"), nullptr);
}

// Over a loaded object, as start-up reads its layouts: the same sections and
// lines, blank lines aside, and changes made to the object since seen.
TEST_F(ConfigTextTest, ALoadedObjectReadsAsItsFile) {
  ASSERT_TRUE(InitFixStr());
  const std::string file = "[s]\n\nk = v \nflag\n[t]\nm=w";
  auto read = Read(file);
  EtcFile* etc = LoadEtcFile(Path().c_str());
  ASSERT_NE(etc, nullptr);
  EXPECT_EQ(Shown(*layout::ConfigText::FromEtc(*etc), {"s", "t"}), "[s]k= v ;flag=;[t]m=w;");
  EXPECT_EQ(Shown(*read, {"s", "t"}), "[s]~k= v ;flag=;[t]m=w;");
  ASSERT_EQ(SetValueToEtcSec(FindSectionInEtc(etc, "t", FALSE), "m", "changed"), ETC_OK);
  ASSERT_EQ(RemoveSectionInEtc(etc, "s"), ETC_OK);
  EXPECT_EQ(Shown(*layout::ConfigText::FromEtc(*etc), {"s", "t"}), "(no s)[t]m=changed;");
  UnloadEtcFile(etc);
  TermFixStr();
}

TEST(LayoutNumbers, IntegersReadAsStrtolWithBaseZero) {
  const struct {
    std::string text;
    int value;
  } cases[] = {{"42", 42}, {" 0x1F", 31}, {"010", 8}, {"-7px", -7}, {"", 0}, {"x", 0},
               {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1},
               {std::string(100, ' ') + "12", 12}};
  for (const auto& c : cases) EXPECT_EQ(layout::ParseInt(c.text), c.value) << c.text;
  // A view stops where its line does: what follows is not read.
  const std::string line = "5\n6";
  EXPECT_EQ(layout::ParseInt(std::string_view(line).substr(0, 0)), 0);
  EXPECT_EQ(layout::ParseInt(std::string_view(line).substr(0, 1)), 5);
}

}  // namespace
