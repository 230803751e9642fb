// The input engine: what each key and character does to the typed keys,
// the candidate page and the modes, and what the key receiver gets. It
// knows no windows: what it sends goes through an EngineHost, so the rules
// run the same under the window and under tests.
#pragma once

#include <cstdint>

#include "controls/ime/ime_search.h"
#include "controls/ime/ime_tableset.h"
#include "gui/common.h"

namespace ime {

enum StatusItem { kItemChinese = 1, kItemFullWidth = 2, kItemPunct = 3, kItemTable = 4, kItemShown = 5, kItemSymbol = 6 };

constexpr int kPunctRows = 32;
constexpr int kSymbolOffsetStart = 32;

struct PunctRow {
  char key;
  int kind;  // 0 one character, 1 two characters, 2 a pair used alternately
  uint8_t bytes[4];
};
extern const PunctRow kPunctTable[kPunctRows];

class EngineHost {
 public:
  virtual ~EngineHost() = default;
  // Posts a message to the key receiver.
  virtual void PostToReceiver(WindowHandle receiver, int msg, WParam wParam, LParam lParam) = 0;
  // A symbol was chosen: close the window and tell the soft keyboard and
  // the receiver.
  virtual void CloseAfterSymbol() = 0;
};

class Engine {
 public:
  explicit Engine(EngineHost* host) : host_(host) {}

  // Loads the table set; Chinese input on, the shown flag set.
  bool Load(const ImeConfig& config);
  void Release();

  // Each answers true when the window should repaint.
  bool KeyDown(int scan, LParam flags);
  bool KeyUp(int scan, LParam flags);
  bool Char(int k);

  void SetStatus(int item, LParam value);
  LResult Status(int item) const;
  void ClearInput();

  void SetReceiver(WindowHandle hwnd) { receiver_ = hwnd; }
  WindowHandle Receiver() const { return receiver_; }

  // Chosen symbol row (page first + index), as the mouse chooses it.
  void ChooseSymbol(int index);
  // Outputs candidate i of the page.
  void OutputCandidate(int i);

  // Read by the drawing.
  const TableSet& Tables() const { return tables_; }
  const CandidatePage& Page() const { return page_; }
  const uint8_t* Keys() const { return keys_; }
  int KeyCount() const { return keyCount_; }
  int Highlight() const { return highlight_; }
  bool Chinese() const { return chinese_; }
  bool Punct() const { return punct_; }
  bool Symbol() const { return symbol_; }
  bool Shown() const { return shown_; }
  bool AssocMode() const { return assocMode_; }
  int SymbolOffset() const { return symbolOffset_; }
  // Drawing the English state turns Chinese punctuation off.
  void DropPunct() { punct_ = false; }
  // The symbol row shown in position i of the page, clamped to the table.
  static int SymbolRow(uint32_t first, int i);

 private:
  const Table* Cur() const { return tables_.CurrentTable(); }
  bool TakesKeys() const { return chinese_ || fullWidth_ || punct_; }
  void PostKey(int msg, int scan, LParam flags);
  void SendText(const char* text, size_t len);
  void SendPunct(int row);
  void PassThrough(int k);
  bool EditOrPage(int k);
  void Backspace(int k);
  void PageUp(int k);
  void PageDown(int k);
  void Refill();
  void OtherChar(int k);
  void TypeKey(uint8_t v);
  void SelectTable(int slot);

  EngineHost* host_;
  TableSet tables_;
  bool chinese_ = false, fullWidth_ = false, punct_ = true, symbol_ = false, shown_ = false;
  bool assocEnabled_ = false, assocMode_ = false, leftCtrl_ = false;
  uint8_t keys_[kMaxKeys] = {};
  int keyCount_ = 0;
  int highlight_ = 0;
  int symbolOffset_ = kSymbolOffsetStart;
  bool punctSecond_[kPunctRows] = {};
  CandidatePage page_;
  WindowHandle receiver_ = 0;
};

}  // namespace ime
