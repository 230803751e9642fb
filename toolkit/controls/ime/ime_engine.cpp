#include "controls/ime/ime_engine.h"
#include "gui/keyboard.h"
#include "gui/message.h"

#include <algorithm>
#include <cstring>

namespace ime {

const PunctRow kPunctTable[kPunctRows] = {
    {',', 0, {0xA3, 0xAC}},  {'.', 0, {0xA1, 0xA3}}, {':', 0, {0xA3, 0xBA}},  {'-', 0, {0xA3, 0xAD}},
    {'/', 0, {0xA1, 0xA2}},  {'+', 0, {0xA3, 0xAB}}, {'`', 0, {0xA1, 0xA4}},  {'~', 0, {0xA1, 0xAB}},
    {'!', 0, {0xA3, 0xA1}},  {'@', 0, {0xA1, 0xE6}}, {'#', 0, {0xA3, 0xA3}},  {'$', 0, {0xA3, 0xA4}},
    {'%', 0, {0xA3, 0xA5}},  {'^', 1, {0xA1, 0xAD, 0xA1, 0xAD}},              {'&', 0, {0xA1, 0xEC}},
    {'*', 0, {0xA1, 0xC1}},  {'_', 1, {0xA1, 0xAA, 0xA1, 0xAA}},              {'(', 2, {0xA3, 0xA8, 0xA3, 0xA9}},
    {')', 2, {0xA1, 0xB2, 0xA1, 0xB3}},       {'{', 2, {0xA1, 0xB6, 0xA1, 0xB7}},
    {'}', 2, {0xA1, 0xB4, 0xA1, 0xB5}},       {'[', 2, {0xA1, 0xBC, 0xA1, 0xBD}},
    {']', 2, {0xA1, 0xBE, 0xA1, 0xBF}},       {'\\', 0, {0xA1, 0xC2}},
    {'|', 0, {0xA1, 0xF9}},  {';', 0, {0xA3, 0xBB}}, {'\'', 2, {0xA1, 0xAE, 0xA1, 0xAF}},
    {'"', 2, {0xA1, 0xB0, 0xA1, 0xB1}},       {'<', 2, {0xA1, 0xB8, 0xA1, 0xB9}},
    {'>', 2, {0xA1, 0xBA, 0xA1, 0xBB}},       {'?', 0, {0xA3, 0xBF}},  {'=', 0, {0x3D, 0x20}},
};

namespace {

constexpr int kScanFirstFunction = 60;
constexpr LParam kCtrlBits = 0x30;
constexpr LParam kPassedKeyFlags = 512;
constexpr int kPrevCandidate = 19, kNextCandidate = 20, kPageUpKey = 21, kPageDownKey = 22;

int PunctRowOf(int k) {
  for (int i = 0; i < kPunctRows; ++i)
    if (kPunctTable[i].key == k) return i;
  return -1;
}

bool IsPagingOrSpace(int k) { return k == PANEL_KEY_SYMBOLS || (k >= 19 && k <= 22) || k == ' '; }

// The full-width form of an ASCII character 33..127.
void FullWidth(int c, uint8_t out[2]) {
  static const struct {
    char c;
    uint8_t a, b;
  } kExceptions[] = {{'"', 0xA1, 0xB1}, {'$', 0xA1, 0xE7}, {'\'', 0xA1, 0xAF}, {'[', 0xA1, 0xB2},
                     {']', 0xA1, 0xB3}, {'_', 0xA1, 0xF5}, {'`', 0xA1, 0xAE},  {'~', 0xA1, 0xAB}};
  out[0] = 0xA3;
  out[1] = static_cast<uint8_t>(c + 0x80);
  if (c == 127) out[0] = out[1] = ' ';
  for (const auto& e : kExceptions)
    if (e.c == c) out[0] = e.a, out[1] = e.b;
}

}  // namespace

int Engine::SymbolRow(uint32_t first, int i) { return static_cast<int>(std::min<uint32_t>(first + i, kPunctRows - 1)); }

bool Engine::Load(const ImeConfig& config) {
  if (!tables_.Load(config)) return false;
  assocEnabled_ = true;  // set when slot 0 is built
  chinese_ = true;
  shown_ = true;
  SelectTable(tables_.Current());
  ClearInput();
  return true;
}

void Engine::Release() {
  if (chinese_) {
    chinese_ = false;
    ClearInput();
  }
  tables_.Release();
}

void Engine::ClearInput() {
  keyCount_ = 0;
  std::memset(keys_, 0, sizeof keys_);
  page_.Clear();
  assocMode_ = false;
  highlight_ = 0;
  symbolOffset_ = kSymbolOffsetStart;
  if (symbol_) page_.count = 5;
}

void Engine::SelectTable(int slot) {
  tables_.SetCurrent(slot);
  assocEnabled_ = slot != 0;
}

void Engine::PostKey(int msg, int scan, LParam flags) { host_->PostToReceiver(receiver_, msg, scan, flags); }

void Engine::SendText(const char* text, size_t len) {
  for (size_t i = 0; i < len; i += 2) {
    WParam w = static_cast<uint8_t>(text[i]);
    if (i + 1 < len) w |= static_cast<WParam>(static_cast<uint8_t>(text[i + 1])) << 8;
    host_->PostToReceiver(receiver_, MSG_CHAR, w, 0);
  }
}

void Engine::SendPunct(int row) {
  const PunctRow& r = kPunctTable[row];
  const char* bytes = reinterpret_cast<const char*>(r.bytes);
  if (r.kind == 1) {
    SendText(bytes, 4);
  } else if (r.kind == 2) {
    SendText(bytes + (punctSecond_[row] ? 2 : 0), 2);
    punctSecond_[row] = !punctSecond_[row];
  } else {
    SendText(bytes, 2);
  }
}

void Engine::PassThrough(int k) {
  int scan = k == 8 || k == 127 ? KEY_BACKSPACE : k == 9 ? KEY_TAB : k == 27 ? KEY_ESC : 0;
  if (!scan) {
    host_->PostToReceiver(receiver_, MSG_CHAR, static_cast<uint8_t>(k), 0);
    return;
  }
  PostKey(MSG_KEYDOWN, scan, kPassedKeyFlags);
  PostKey(MSG_KEYUP, scan, kPassedKeyFlags);
}

bool Engine::KeyDown(int scan, LParam flags) {
  leftCtrl_ = scan == KEY_LEFTCTRL;
  if (!shown_) return false;
  if (flags & kCtrlBits) {
    if (scan == KEY_SPACE || scan == KEY_DOT || scan == KEY_LEFTSHIFT) {
      symbol_ = false;
      if (scan == KEY_SPACE) SetStatus(kItemFullWidth, !fullWidth_);
      if (scan == KEY_DOT) SetStatus(kItemPunct, !punct_);
      if (scan == KEY_LEFTSHIFT) SetStatus(kItemTable, -1);
      return true;
    }
  }
  if (scan == PANEL_KEY_SYMBOLS) {
    symbol_ = true;
    symbolOffset_ = kSymbolOffsetStart;
  } else if (scan == KEY_CAPSLOCK) {
    symbol_ = false;
  }
  if (receiver_ && TakesKeys() && (scan == KEY_TAB || scan == KEY_ENTER || scan >= kScanFirstFunction))
    PostKey(MSG_KEYDOWN, scan, flags);
  return false;
}

bool Engine::KeyUp(int scan, LParam flags) {
  if (!shown_) return false;
  bool repaint = false;
  if (scan == KEY_LEFTCTRL && leftCtrl_) {
    SetStatus(kItemChinese, !chinese_);
    repaint = true;
  }
  if (receiver_ && TakesKeys() && (scan == KEY_TAB || scan == KEY_ENTER || scan >= kScanFirstFunction))
    PostKey(MSG_KEYUP, scan, flags);
  return repaint;
}

void Engine::ChooseSymbol(int index) {
  int row = SymbolRow(page_.first, index);
  if (punct_)
    SendPunct(row);
  else
    PassThrough(kPunctTable[row].key);
  host_->CloseAfterSymbol();
}

bool Engine::Char(int k) {
  k &= 0xFF;
  const Table* table = Cur();
  if (!table) return false;
  int row = PunctRowOf(k);
  if (chinese_ && punct_ && row >= 0) {
    SendPunct(row);
    if (symbol_ && !IsPagingOrSpace(k)) return true;
    ClearInput();
    return true;
  }
  if (chinese_ && fullWidth_ && k >= 33 && k < 128) {
    uint8_t pair[2];
    FullWidth(k, pair);
    SendText(reinterpret_cast<const char*>(pair), 2);
    return true;
  }
  if (symbol_ && !IsPagingOrSpace(k)) {
    if (k >= '1' && k <= '5') {
      ChooseSymbol(k - '1');
    } else {
      PassThrough(k);
      if (!chinese_) host_->CloseAfterSymbol();
    }
    return true;
  }
  if (EditOrPage(k)) return true;
  OtherChar(k);
  return true;
}

// Editing and paging keys; false for any other character.
bool Engine::EditOrPage(int k) {
  switch (k) {
    case 8:
    case 127:
      Backspace(k);
      return true;
    case kPrevCandidate:
      if (highlight_ > 0)
        --highlight_;
      else
        PageUp(k);
      return true;
    case kNextCandidate:
      if (highlight_ < page_.count - 1)
        ++highlight_;
      else
        PageDown(k);
      return true;
    case kPageUpKey:
      PageUp(k);
      return true;
    case kPageDownKey:
      PageDown(k);
      return true;
    case 27:
      if (keyCount_)
        ClearInput();
      else
        PassThrough(k);
      return true;
    case ' ':
      if (symbol_)
        ChooseSymbol(highlight_);
      else if (page_.noMatch)
        ;
      else if (page_.count == 0)
        PassThrough(k);
      else
        OutputCandidate(highlight_);
      return true;
    default:
      return false;
  }
}

void Engine::Backspace(int k) {
  page_.noMatch = false;
  if (keyCount_ == 0) {
    PassThrough(k);
    return;
  }
  keys_[--keyCount_] = 0;
  if (keyCount_ == 0) {
    ClearInput();
    return;
  }
  if (keyCount_ >= page_.matched) return;
  SearchAndFill(*Cur(), keys_, keyCount_, &page_);
  highlight_ = 0;
}

// Fills the page at page_.first the way the current mode fills it.
void Engine::Refill() {
  if (assocMode_)
    FillAssociationPage(*Cur(), page_.first, &page_);
  else
    FillPage(*Cur(), page_.first, &page_);
}

void Engine::PageUp(int k) {
  if (!page_.more) {
    PassThrough(k);
    return;
  }
  highlight_ = 0;
  if (symbol_) {
    // The symbol list pages by its own offset (row 0 at offset 32): nothing
    // refills the page here, so the next-page start would stay on page two.
    if (symbolOffset_ < kSymbolOffsetStart) symbolOffset_ += page_.count;
    page_.first = static_cast<uint32_t>(std::max(0, kSymbolOffsetStart - symbolOffset_));
    return;
  }
  const uint32_t perPage = Cur()->header.perPage;
  page_.first = page_.first > page_.rangeStart && page_.first - page_.rangeStart >= perPage ? page_.first - perPage
                                                                                           : page_.rangeStart;
  Refill();
}

void Engine::PageDown(int k) {
  if (!page_.more) {
    PassThrough(k);
    return;
  }
  highlight_ = 0;
  if (symbol_) {
    if (symbolOffset_ > 0) symbolOffset_ -= page_.count;
    page_.first = static_cast<uint32_t>(std::max(0, kSymbolOffsetStart - symbolOffset_));
    return;
  }
  page_.first = page_.nextStart;
  Refill();
}

void Engine::OtherChar(int k) {
  const Table& t = *Cur();
  if (page_.noMatch && chinese_ && k >= '1' && k <= '5') return;
  const uint8_t v = k < kKeyMapSize ? t.header.keyMap[k] : 0;
  const char* select = static_cast<const char*>(std::memchr(t.header.selectKeys, k, kSelectKeyBytes));
  const int s = select && k ? static_cast<int>(select - t.header.selectKeys) : -1;
  const bool candidateThere = s >= 0 && s < page_.count && page_.slots[s][0];
  // 130 restarts the symbol list below rather than being passed on.
  if (v == 0 && !candidateThere && k != PANEL_KEY_SYMBOLS) {
    assocMode_ = false;
    ClearInput();
    PassThrough(k);
    return;
  }
  if (candidateThere) {
    OutputCandidate(s);
    return;
  }
  assocMode_ = false;
  if (k == PANEL_KEY_SYMBOLS) {
    FillFromStart(t, &page_);
    return;
  }
  TypeKey(v);
  if (keyCount_ >= static_cast<int>(t.header.autoSelectKeys) && page_.count == 1 && !page_.noMatch &&
      t.header.autoSelect)
    OutputCandidate(0);
}

void Engine::TypeKey(uint8_t v) {
  if (keyCount_ >= kMaxKeys) return;
  keys_[keyCount_++] = v;
  if (keyCount_ > page_.matched + 1) return;
  // A new page starts highlighted at its first candidate, so space never
  // takes an empty slot of a shorter page.
  if (SearchAndFill(*Cur(), keys_, keyCount_, &page_)) highlight_ = 0;
}

void Engine::OutputCandidate(int i) {
  if (i < 0 || i >= page_.count) return;
  char text[kSlotBytes];
  std::memcpy(text, page_.slots[i], sizeof text);
  const size_t len = std::strlen(text);
  SendText(text, len);
  if (keyCount_ > page_.matched) {
    // Keys the match did not use are typed again.
    uint8_t extra[kMaxKeys];
    const int extraCount = keyCount_ - page_.matched;
    std::memcpy(extra, keys_ + page_.matched, extraCount);
    ClearInput();
    for (int j = 0; j < extraCount; ++j) TypeKey(extra[j]);
    if (page_.count == 0) ClearInput();
    return;
  }
  ClearInput();
  if (!assocEnabled_ || len < 2 || static_cast<uint8_t>(text[len - 2]) < 0xA1) return;
  if (StartAssociation(*Cur(), static_cast<uint8_t>(text[len - 2]), static_cast<uint8_t>(text[len - 1]), &page_))
    assocMode_ = true;
  else
    ClearInput();
}

void Engine::SetStatus(int item, LParam value) {
  const bool on = value != 0;
  switch (item) {
    case kItemChinese:
      if (on == chinese_) return;
      if (!tables_.CurrentTable() && tables_.Current() != 1) return;
      chinese_ = on;
      SelectTable(tables_.Current());
      ClearInput();
      return;
    case kItemFullWidth:
      if (on == fullWidth_) return;
      fullWidth_ = on;
      ClearInput();
      return;
    case kItemPunct:
      if (on == punct_) return;
      punct_ = on;
      ClearInput();
      return;
    case kItemTable: {
      const int count = tables_.Count();
      if (count == 0) return;
      int slot = value < 0 ? (tables_.Current() + 1) % count : static_cast<int>(std::min<LParam>(value, count - 1));
      if (slot == tables_.Current() || !tables_.Slot(slot)) return;
      SelectTable(slot);
      ClearInput();
      return;
    }
    case kItemShown:
      shown_ = on;
      if (!on) symbol_ = false;
      return;
    case kItemSymbol:
      symbol_ = on;
      return;
    default:
      return;
  }
}

LResult Engine::Status(int item) const {
  switch (item) {
    case kItemChinese:
      return chinese_;
    case kItemFullWidth:
      return fullWidth_;
    case kItemPunct:
      return punct_;
    case kItemTable:
      return tables_.Current();
    case kItemShown:
      return shown_;
    case kItemSymbol:
      return symbol_;
    default:
      return 0;
  }
}

}  // namespace ime
