#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gui/fixstr.h"

namespace {

TEST(StringShims, StrnchrLooksOnlyAtTheFirstNBytes) {
  const char* text = "abc,def";
  EXPECT_EQ(strnchr(text, 7, ','), text + 3);
  EXPECT_EQ(strnchr(text, 3, ','), nullptr);
  EXPECT_EQ(strnchr(text, 0, 'a'), nullptr);
}

TEST(StringShims, SubstrlenCountsTheRunOfDelimiters) {
  int count = -1;
  EXPECT_EQ(substrlen("a,,b", 4, ',', &count), 1);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(substrlen("abcd", 4, ',', &count), 4);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(substrlen("ab,c", 2, ',', &count), 2) << "delimiter beyond len";
  EXPECT_EQ(substrlen("a,,", 2, ',', &count), 1);
  EXPECT_EQ(count, 1) << "the run stops at len";
}

TEST(StringShims, StrtrimallTrimsBothEnds) {
  char text[] = "  x y \t";
  EXPECT_EQ(strtrimall(text), text);
  EXPECT_STREQ(text, "x y");
  char blanks[] = " \t\n ";
  EXPECT_STREQ(strtrimall(blanks), "");
  EXPECT_EQ(strtrimall(nullptr), nullptr);
}

TEST(StringShims, AfterLastSubstrPointsPastTheLastOccurrence) {
  const char* name = "ok_cap_cap1";
  EXPECT_EQ(AfterLastSubstr(name, "_cap"), name + 10);
  EXPECT_EQ(AfterLastSubstr(name, "_x"), name);
  EXPECT_EQ(AfterLastSubstr(nullptr, "_x"), nullptr);
}

std::vector<size_t> g_writes;

ssize_t RecordWrite(void*, const char*, size_t size) {
  g_writes.push_back(size);
  return static_cast<ssize_t>(size);
}

TEST(StringShims, WriteFileChunkedWritesInPiecesOf1024) {
  cookie_io_functions_t io{};
  io.write = RecordWrite;
  FILE* stream = fopencookie(nullptr, "w", io);
  ASSERT_NE(stream, nullptr);
  setvbuf(stream, nullptr, _IONBF, 0);
  std::string data(2500, 'q');
  g_writes.clear();
  EXPECT_EQ(WriteFileChunked(data.data(), 1, data.size(), stream), 2500u);
  EXPECT_EQ(g_writes, (std::vector<size_t>{1024, 1024, 452}));
  g_writes.clear();
  EXPECT_EQ(WriteFileChunked(data.data(), 100, 25, stream), 25u) << "whole elements";
  fclose(stream);
}

}  // namespace
