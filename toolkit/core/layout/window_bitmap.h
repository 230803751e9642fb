// The bitmaps the layout files name, loaded for the screen DC.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "gui/bitmap.h"
#include "gui/layout.h"

// Loads a window bitmap for the screen DC; a failure leaves it all zero and
// is warned of once, naming the file and `key`, the entry that names it.
void LoadWindowBitmap(const char* file, Bitmap* bitmap, const char* key);

// Named pictures whose files are read when each is first asked for, once,
// whichever thread asks: the layouts name hundreds, the first screen shows a
// few. A file that does not read leaves its picture all zero.
class PictureTable {
 public:
  PictureTable() = default;
  PictureTable(const PictureTable&) = delete;
  PictureTable& operator=(const PictureTable&) = delete;
  PictureTable(PictureTable&& other) noexcept { *this = std::move(other); }
  // The pictures this table read go before it takes the other's.
  PictureTable& operator=(PictureTable&& other) noexcept;
  ~PictureTable() { Unload(); }

  // `count` unnamed entries with no file.
  void Reset(size_t count);
  void Name(size_t index, const char* name, std::string file);
  size_t size() const { return entries_.size(); }
  const WinBmpInfo* data() const { return entries_.data(); }
  // The entry's picture, read first if it has not been.
  const Bitmap& Picture(size_t index) const;
  // Frees the pictures read and forgets every entry.
  void Unload();

 private:
  std::vector<WinBmpInfo> entries_;
  std::vector<std::string> files_;
  std::unique_ptr<std::once_flag[]> read_;
};
