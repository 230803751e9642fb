// Keyboard layouts and the translation of one key into bytes.
#pragma once

#include <cstdint>
#include <string>

#include "core/input/keymap_tables.h"

constexpr int kKeyMapSlots = 256;
constexpr int kTranslatableCodes = kKeyMapCodeCount;  // scan codes 0..128

// What a layout's init hands out.
struct LayoutTables {
  const uint16_t* maps[kKeyMapSlots] = {};  // by modifier combination; null: none
  const AccentEntry* accents = nullptr;
  int accentCount = 0;
  const char* const* funcStrings = nullptr;
  int funcStringCount = 0;
};

struct KeyboardLayout {
  const char* name;
  void (*init)(LayoutTables* tables);
};

// The layout named exactly so, or null.
const KeyboardLayout* FindKeyboardLayout(const char* name);

// The translation state of one reader of key messages.
class KeyTranslator {
 public:
  explicit KeyTranslator(const LayoutTables* tables) : tables_(tables) {}

  // The bytes a key press or release makes (empty: none). shift is the
  // event layer's status word.
  std::string Press(int scanCode, uint32_t shift);
  std::string Release(int scanCode, uint32_t shift);
  // Remembered for the release rule: the state of the previous message.
  void SetPreviousShift(uint32_t shift) { previousShift_ = shift; }

  // The map slot a shift state selects.
  int MapIndex(uint32_t shift) const;

 private:
  const LayoutTables* tables_;
  uint32_t shift_ = 0;
  uint32_t previousShift_ = 0;
  int numpadCode_ = -1;
  uint8_t diacritic_ = 0;
  bool composeNext_ = false;
  std::string out_;

  uint16_t CodeAt(int index, int scanCode) const;
  void Emit(int byte) { out_ += static_cast<char>(byte); }
  void EmitString(int funcValue);
  void EmitUtf8(uint32_t codePoint);
  int Compose(int c);
  void Latin(int value);
  void Special(int value);
  void Keypad(int value);
  void Dead(int value);
  void Cursor(int value);
  void NumpadCode(int value);
};
