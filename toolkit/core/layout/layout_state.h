// The loaded layout of both displays. Window names and bitmaps are fixed
// once loaded; the window and control records come in generations: a
// language reload builds a new generation and publishes it, and the earlier
// ones stay alive, unchanged, until TerminateLayout, so records handed out
// to other threads never change under them or go away.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/layout/window_bitmap.h"
#include "gui/layout.h"

namespace layout {

// One display's control records, window after window. Owns the captions.
class ControlSet {
 public:
  ControlSet() = default;
  ControlSet(const ControlSet&) = delete;
  ControlSet& operator=(const ControlSet&) = delete;
  ~ControlSet();

  // Zero-filled records; counts[i] < 0 leaves window i out of this set.
  void Reset(const std::vector<int>& counts);
  // A copy with captions of its own.
  void CopyFrom(const ControlSet& other);

  bool Has(size_t window) const { return window < first_.size() && first_[window] >= 0; }
  CtrlResInfo* WindowRecords(size_t window) { return records_.data() + first_[window]; }
  const CtrlResInfo* WindowRecords(size_t window) const { return records_.data() + first_[window]; }
  int Count(size_t window) const { return counts_[window]; }
  const CtrlResInfo* First() const { return records_.empty() ? nullptr : records_.data(); }

 private:
  void FreeCaptions();

  std::vector<CtrlResInfo> records_;
  std::vector<int> first_;
  std::vector<int> counts_;
};

struct Generation {
  std::vector<WinResInfo> windows;
  ControlSet main;
  ControlSet aux;
};

// Bitmaps of a set of windows, window after window.
struct BitmapSet {
  PictureTable bitmaps;
  std::vector<int> first;  // per window; -1 when the window is not in the set
  std::vector<int> count;
};

struct LayoutState {
  std::vector<std::string> windowNames;
  std::vector<bool> auxWindow;
  BitmapSet mainBitmaps;
  BitmapSet auxBitmaps;
  PictureTable menuBitmaps;
  PictureTable auxMenuBitmaps;
  bool auxMenuShared = true;
  bool loadDone = false;
  bool stringsWanted = false;

  std::vector<std::unique_ptr<Generation>> generations;
  std::atomic<const Generation*> current{nullptr};

  void Publish(std::unique_ptr<Generation> generation);
  const Generation* Current() const { return current.load(std::memory_order_acquire); }
  // Index of a window by name, or -1.
  int FindWindow(std::string_view name, bool ignoreCase) const;
  void Clear();
};

LayoutState& State();

// One of the fifteen windows that also exist on the auxiliary display.
bool IsAuxWindowName(std::string_view name);

// Language index of SystemInfo's language word.
int CurrentLanguageIndex();

// Screen size of an output (GetScreenExtentEx).
Size ScreenExtent(int outputId);

// Recreates the system fonts for the language in SystemInfo and refreshes the
// width caches and the screen DC font; 0 on success.
int ReloadLanguageFonts();

}  // namespace layout
