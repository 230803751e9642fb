// The edit's text rules against a plain reference under random typing,
// deletion, selection, set-text, limits, overwrite and double-byte text.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "controls/sledit/sledit_model.h"

namespace {

using sledit::EditModel;
using sledit::EditOutcome;
using sledit::LineText;

// Byte length of the character at p (GB2312 lead bytes take two).
int CharLen(const std::string& s, int p) {
  if (p >= static_cast<int>(s.size())) return 0;
  return static_cast<unsigned char>(s[p]) >= 0xA1 && p + 1 < static_cast<int>(s.size()) ? 2 : 1;
}

int CharLenBefore(const std::string& s, int p) {
  int last = 0;
  for (int i = 0; i < p; i += CharLen(s, i)) last = CharLen(s, i);
  return last;
}

// What the field must hold after each step.
struct Reference {
  std::string text;
  int caret = 0, lo = 0, hi = 0, limit = -1;
  bool overwrite = false, cut = false, keepSeparators = false, password = false;

  EditOutcome Edit(std::string bytes, int n) {
    EditOutcome out;
    if (password)
      for (char& c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80 || (c < 0x20 && c != '\t') || c == 0x7F) c = '*';
    if (lo != hi) {
      text.erase(lo, hi - lo);
      caret = lo;
      out.changed = true;
      if (bytes.empty()) n = 0;
    }
    const int len = static_cast<int>(text.size());
    if (limit >= 0 && !cut && len + n > limit) return Collapse(out, false);
    if (limit >= 0 && n > 0 && !overwrite && len + n > limit) out.limitHit = true, n = limit - len;
    else if (limit >= 0 && n > 0 && overwrite && caret + n > limit) out.limitHit = true, n = limit - caret;
    if (n > 0) {
      if (overwrite)
        text.replace(caret, std::min(n, len - caret), bytes.substr(0, n));
      else
        text.insert(caret, bytes.substr(0, n));
      caret += n;
    } else if (n < 0) {
      const int remove = std::min(-n, caret);
      if (remove == 0 || (keepSeparators && (text[caret - 1] == '-' || text[caret - 1] == ':')))
        return Collapse(out, false);
      text.erase(caret - remove, remove);
      caret -= remove;
    } else if (!out.changed) {
      return out;
    }
    return Collapse(out, true);
  }
  EditOutcome Collapse(EditOutcome out, bool changed) {
    lo = hi = caret;
    out.changed = out.changed || changed;
    return out;
  }
};

std::string RandomChar(std::mt19937& rng) {
  static const char kAscii[] = "abcXYZ019-: .";
  const int pick = static_cast<int>(rng() % 10);
  if (pick < 7) return std::string(1, kAscii[rng() % (sizeof kAscii - 1)]);
  if (pick < 9) return std::string{static_cast<char>(0xB0 + rng() % 0x40), static_cast<char>(0xA1 + rng() % 0x50)};
  return std::string(1, static_cast<char>(1 + rng() % 0x1F));  // a control byte
}

void ExpectSame(const EditModel& m, const Reference& r, int step) {
  ASSERT_EQ(std::string(m.text.Data(), m.text.Length()), r.text) << "step " << step;
  ASSERT_EQ(m.text.Data()[m.text.Length()], '\0') << "step " << step;
  ASSERT_EQ(m.caret, r.caret) << "step " << step;
  ASSERT_EQ(m.SelLow(), r.lo) << "step " << step;
  ASSERT_EQ(m.SelHigh(), r.hi) << "step " << step;
  // The buffer keeps to the block rule: a multiple of 32 with room for the
  // terminator and at most one block to spare.
  const int need = m.text.Length() + 1;
  ASSERT_EQ(m.text.Capacity() % LineText::kBlock, 0) << "step " << step;
  ASSERT_GE(m.text.Capacity(), need) << "step " << step;
  ASSERT_LE(m.text.Capacity() - need, LineText::kBlock) << "step " << step;
}

TEST(EditModelTest, RandomEditingMatchesTheReference) {
  using ::testing::Test;
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 rng(seed);
    EditModel m;
    Reference r;
    m.password = r.password = seed % 5 == 0;
    m.cutAtLimit = r.cut = seed % 3 == 0;
    m.keepSeparators = r.keepSeparators = seed % 4 == 0;
    m.SetText("", false, false);
    for (int step = 0; step < 400; ++step) {
      EditOutcome got{}, want{};
      const int op = static_cast<int>(rng() % 12);
      if (op < 5) {  // typing
        const std::string c = RandomChar(rng);
        got = m.Edit(c.data(), static_cast<int>(c.size()));
        want = r.Edit(c, static_cast<int>(c.size()));
      } else if (op == 5) {  // backspace: the character before the caret
        const int n = m.HasSelection() ? 1 : CharLenBefore(r.text, r.caret);
        got = m.Edit(nullptr, -n);
        want = r.Edit("", -n);
      } else if (op == 6 && r.lo == r.hi && r.caret < static_cast<int>(r.text.size())) {  // delete
        const int n = CharLen(r.text, r.caret);
        m.caret += n, r.caret += n;
        m.Collapse();
        r.lo = r.hi = r.caret;
        got = m.Edit(nullptr, -n);
        want = r.Edit("", -n);
      } else if (op == 7) {  // select between two character boundaries
        std::vector<int> bounds{0};
        for (int p = 0; p < static_cast<int>(r.text.size()); p += CharLen(r.text, p)) bounds.push_back(p + CharLen(r.text, p));
        const int a = bounds[rng() % bounds.size()], b = bounds[rng() % bounds.size()];
        m.selStart = a, m.selEnd = b, m.caret = r.caret = b;
        r.lo = std::min(a, b), r.hi = std::max(a, b);
      } else if (op == 8) {  // caret to a boundary
        int p = 0;
        for (int k = static_cast<int>(rng() % 8); k > 0 && p < static_cast<int>(r.text.size()); --k) p += CharLen(r.text, p);
        m.caret = r.caret = p;
        m.Collapse();
        r.lo = r.hi = p;
      } else if (op == 9) {  // a new limit cuts the text
        const int limit = static_cast<int>(rng() % 50) - 5;
        if (limit >= 0) {
          m.limit = r.limit = limit;
          m.CutToLimit();
          if (static_cast<int>(r.text.size()) > limit) r.text.resize(limit);
          r.caret = std::min(r.caret, limit), r.lo = std::min(r.lo, limit), r.hi = std::min(r.hi, limit);
        }
      } else if (op == 10) {
        m.overwrite = r.overwrite = !r.overwrite;
      } else {  // set-text, the caret at the end or the whole text selected
        std::string t;
        for (int k = static_cast<int>(rng() % 40); k > 0; --k) t += RandomChar(rng);
        const bool toEnd = rng() % 2, all = rng() % 2;
        m.SetText(t.c_str(), all, toEnd);
        if (r.password)
          for (char& c : t)
            if (static_cast<unsigned char>(c) >= 0x80 || (c < 0x20 && c != '\t')) c = '*';
        r.text = r.limit >= 0 && static_cast<int>(t.size()) > r.limit ? t.substr(0, r.limit) : t;
        r.caret = toEnd ? static_cast<int>(r.text.size()) : 0;
        r.lo = all && !toEnd ? 0 : r.caret;
        r.hi = all && !toEnd ? static_cast<int>(r.text.size()) : r.caret;
      }
      ASSERT_EQ(got.changed, want.changed) << "seed " << seed << " step " << step;
      ASSERT_EQ(got.limitHit, want.limitHit) << "seed " << seed << " step " << step;
      ExpectSame(m, r, step);
      if (Test::HasFatalFailure()) return;
    }
  }
}

TEST(EditModelTest, BufferGrowsAndShrinksByWholeBlocks) {
  struct Row {
    int length, capacity;
  } rows[] = {{0, 32}, {30, 32}, {31, 64}, {62, 64}, {63, 96}};
  for (const Row& row : rows) EXPECT_EQ(LineText::CapacityFor(row.length), row.capacity) << row.length;

  EditModel m;
  m.SetText(std::string(31, 'x').c_str(), false, true);
  EXPECT_EQ(m.text.Capacity(), 64);
  m.Edit(nullptr, -1);  // 30 bytes: more than a block spare, back to 32
  EXPECT_EQ(m.text.Capacity(), 32);
  m.Edit("ab", 2);
  EXPECT_EQ(m.text.Capacity(), 64);
}

TEST(EditModelTest, LimitsRefusePlainFieldsAndCutOthers) {
  EditModel plain;
  plain.limit = 3;
  plain.SetText("123", false, true);
  EditOutcome out = plain.Edit("4", 1);
  EXPECT_FALSE(out.changed);
  EXPECT_FALSE(out.limitHit);
  EXPECT_STREQ(plain.text.Data(), "123");

  EditModel ip;
  ip.limit = 3;
  ip.cutAtLimit = true;
  ip.SetText("123", false, true);
  out = ip.Edit("4", 1);
  EXPECT_TRUE(out.limitHit) << "the bell and 1281";
  EXPECT_STREQ(ip.text.Data(), "123");

  // Typing over a selection that the limit then refuses still removed it.
  plain.selStart = 0, plain.selEnd = 1;
  out = plain.Edit("ab", 2);
  EXPECT_TRUE(out.changed);
  EXPECT_STREQ(plain.text.Data(), "23");

  EditModel none;
  none.limit = -1;
  none.SetText(std::string(200, 'y').c_str(), false, true);
  EXPECT_TRUE(none.Edit("z", 1).changed) << "-1 is no limit";
  EXPECT_EQ(none.text.Length(), 201);
}

TEST(EditModelTest, PasswordTextKeepsPrintableBytesOnly) {
  EditModel m;
  m.password = true;
  m.SetText("ab\x01 c\xB0\xA1", false, true);
  EXPECT_STREQ(m.text.Data(), "ab* c**");
}

}  // namespace
