#include "core/layout/window_bitmap.h"

#include <cstdio>

#include "gdi/load_failure.h"
#include "gdi/startup_report.h"
#include "gui/image.h"

void LoadWindowBitmap(const char* file, Bitmap* bitmap, const char* key) {
  if (!bitmap) return;
  *bitmap = Bitmap{};
  if (!file) return;
  if (const int rc = LoadBitmapFromFile(HDC_SCREEN, bitmap, file); rc != 0) {
    *bitmap = Bitmap{};
    WarnOfFallbackOnce(file, "bitmap file \"%s\" (%s) %s; it stays undrawn instead", ShownPath(file).c_str(), key,
                       gui::image::LoadFailure(file, rc).c_str());
  }
}

PictureTable& PictureTable::operator=(PictureTable&& other) noexcept {
  if (this == &other) return *this;
  Unload();
  entries_ = std::move(other.entries_);
  files_ = std::move(other.files_);
  read_ = std::move(other.read_);
  other.entries_.clear();
  other.files_.clear();
  return *this;
}

void PictureTable::Reset(size_t count) {
  Unload();
  entries_.assign(count, WinBmpInfo{});
  files_.assign(count, std::string());
  read_ = std::make_unique<std::once_flag[]>(count);
}

void PictureTable::Name(size_t index, const char* name, std::string file) {
  if (index >= entries_.size()) return;
  std::snprintf(entries_[index].name, sizeof entries_[index].name, "%s", name ? name : "");
  files_[index] = std::move(file);
}

const Bitmap& PictureTable::Picture(size_t index) const {
  // Only the reader that comes first writes the entry; the others wait for
  // it inside call_once and see what it wrote.
  auto& entry = const_cast<WinBmpInfo&>(entries_[index]);
  std::call_once(read_[index], [&] {
    if (!files_[index].empty()) LoadWindowBitmap(files_[index].c_str(), &entry.bitmap, entry.name);
  });
  return entry.bitmap;
}

void PictureTable::Unload() {
  for (WinBmpInfo& entry : entries_) {
    if (entry.bitmap.bmBits) UnloadBitmap(&entry.bitmap);
    entry.bitmap = Bitmap{};
  }
  entries_.clear();
  files_.clear();
  read_.reset();
}
