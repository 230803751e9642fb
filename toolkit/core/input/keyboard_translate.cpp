// One key into bytes: the handlers of the key-code types of the console's
// key maps, dead keys and composition.
#include "core/input/keyboard_layout.h"
#include "gui/input.h"

namespace {

enum KeyType {
  kLatin = 0,
  kFunction = 1,
  kSpecial = 2,
  kKeypad = 3,
  kDead = 4,
  kCursor = 6,
  kShift = 7,
  kMeta = 8,
  kNumpadCode = 9,
  kLetter = 11,
};

constexpr int kEscape = 0x1B;
constexpr int kEnterValue = 1;
constexpr int kComposeValue = 14;
constexpr uint16_t kUnicodeLimit = 0xF000;

// Diacritics of the dead keys, by value.
constexpr char kDiacritics[] = {'`', '\'', '^', '~', '"', ','};
// Characters of the keypad values with NumLock on.
constexpr char kPadChars[] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9',
                              '+', '-', '*', '/', '\r', ',', '.', '?', '(', ')'};

}  // namespace

int KeyTranslator::MapIndex(uint32_t s) const {
  int index = 0;
  if (tables_->maps[1]) {
    if (s & (KS_LEFTSHIFT | KS_RIGHTSHIFT)) index += 1;
  } else {
    if (s & KS_LEFTSHIFT) index += 16;
    if (s & KS_RIGHTSHIFT) index += 32;
  }
  if (tables_->maps[4]) {
    if (s & (KS_LEFTCTRL | KS_RIGHTCTRL)) index += 4;
  } else {
    if (s & KS_LEFTCTRL) index += 64;
    if (s & KS_RIGHTCTRL) index += 128;
  }
  if (s & KS_LEFTALT) index += 8;
  if (s & KS_RIGHTALT) index += 2;
  return index;
}

uint16_t KeyTranslator::CodeAt(int index, int scanCode) const {
  const uint16_t* map = tables_->maps[index & (kKeyMapSlots - 1)];
  return map ? map[scanCode] : 0;
}

void KeyTranslator::EmitString(int value) {
  if (value < 0 || value >= tables_->funcStringCount) return;
  if (const char* s = tables_->funcStrings[value]) out_ += s;
}

void KeyTranslator::EmitUtf8(uint32_t c) {
  if (c < 0x80) {
    Emit(static_cast<int>(c));
  } else if (c < 0x800) {
    Emit(0xC0 | static_cast<int>(c >> 6));
    Emit(0x80 | static_cast<int>(c & 0x3F));
  } else {
    Emit(0xE0 | static_cast<int>(c >> 12));
    Emit(0x80 | static_cast<int>((c >> 6) & 0x3F));
    Emit(0x80 | static_cast<int>(c & 0x3F));
  }
}

// The pending diacritic and c: the accent table's result, the diacritic
// itself for a space or a repeat, else the diacritic is emitted and c
// stands.
int KeyTranslator::Compose(int c) {
  const int d = diacritic_;
  diacritic_ = 0;
  for (int i = 0; i < tables_->accentCount; ++i)
    if (tables_->accents[i].diacritic == d && tables_->accents[i].base == c) return tables_->accents[i].result;
  if (c == ' ' || c == d) return d;
  Emit(d);
  return c;
}

void KeyTranslator::Latin(int value) {
  if (diacritic_) value = Compose(value);
  if (composeNext_) {
    composeNext_ = false;
    diacritic_ = static_cast<uint8_t>(value);
    return;
  }
  Emit(value);
}

void KeyTranslator::Special(int value) {
  if (value == kEnterValue) {
    if (diacritic_) Emit(diacritic_);
    diacritic_ = 0;
    Emit('\r');
  } else if (value == kComposeValue) {
    composeNext_ = true;
  }
}

// With NumLock off the keypad is an editing pad.
void KeyTranslator::Keypad(int value) {
  if (!(shift_ & KS_NUMLOCK)) {
    switch (value) {
      case 0: return EmitString(21);
      case 1: return EmitString(23);
      case 2: return Cursor(0);
      case 3: return EmitString(25);
      case 4: return Cursor(1);
      case 5: Emit(kEscape); out_ += "[G"; return;
      case 6: return Cursor(2);
      case 7: return EmitString(20);
      case 8: return Cursor(3);
      case 9: return EmitString(24);
      case 15:
      case 16: return EmitString(22);
      default: break;
    }
  }
  if (value >= 0 && value < static_cast<int>(sizeof kPadChars)) Emit(kPadChars[value]);
}

// A second dead key composes with the pending one; the result stays
// pending, as a plain character would compose with it.
void KeyTranslator::Dead(int value) {
  if (value < 0 || value >= static_cast<int>(sizeof kDiacritics)) return;
  const int d = static_cast<unsigned char>(kDiacritics[value]);
  diacritic_ = static_cast<uint8_t>(diacritic_ ? Compose(d) : d);
}

void KeyTranslator::Cursor(int value) {
  if (value < 0 || value > 3) return;
  Emit(kEscape);
  Emit('[');
  Emit("BDCA"[value]);
}

// Only the low byte is ever sent, so the number is kept to it: a long run
// of digits cannot overflow.
void KeyTranslator::NumpadCode(int value) {
  const int base = value < 10 ? 10 : 16;
  const int digit = value < 10 ? value : value - 10;
  numpadCode_ = (numpadCode_ < 0 ? digit : numpadCode_ * base + digit) & 0xFF;
}

std::string KeyTranslator::Press(int scanCode, uint32_t shift) {
  out_.clear();
  shift_ = shift;
  if (scanCode < 0 || scanCode >= kTranslatableCodes) return out_;
  const int index = MapIndex(shift);
  if (!tables_->maps[index & (kKeyMapSlots - 1)]) return out_;
  uint16_t code = CodeAt(index, scanCode);
  if (code < kUnicodeLimit) {
    EmitUtf8(code);
    return out_;
  }
  int type = (code >> 8) - 0xF0;
  if (type == kLetter) {
    type = kLatin;
    if ((shift & KS_CAPSLOCK) && tables_->maps[(index ^ 1) & (kKeyMapSlots - 1)]) code = CodeAt(index ^ 1, scanCode);
  }
  const int value = code & 0xFF;
  switch (type) {
    case kLatin: Latin(value); break;
    case kFunction: EmitString(value); break;
    case kSpecial: Special(value); break;
    case kKeypad: Keypad(value); break;
    case kDead: Dead(value); break;
    case kCursor: Cursor(value); break;
    case kMeta: Emit(value | 0x80); break;
    case kNumpadCode: NumpadCode(value); break;
    default: break;
  }
  return out_;
}

// Only the release of a shift key acts: it ends a number typed on the
// keypad with Alt held.
std::string KeyTranslator::Release(int scanCode, uint32_t shift) {
  out_.clear();
  shift_ = shift;
  if (scanCode < 0 || scanCode >= kTranslatableCodes) return out_;
  const int index = MapIndex(shift);
  if (!tables_->maps[index & (kKeyMapSlots - 1)]) return out_;
  const uint16_t code = CodeAt(index, scanCode);
  if (code < kUnicodeLimit || (code >> 8) - 0xF0 != kShift) return out_;
  if (shift != previousShift_ && numpadCode_ >= 0) {
    Emit(numpadCode_ & 0xFF);
    numpadCode_ = -1;
  }
  return out_;
}
