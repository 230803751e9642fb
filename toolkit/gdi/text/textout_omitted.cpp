// Text shortened with "..." to fit a width, at a point or in a rectangle.
#include <new>
#include <string>
#include <vector>

#include "gdi/text/textout.h"

namespace {

constexpr char kDots[] = "...";
constexpr int kDotsLen = 3;

enum class Fit { kWhole, kShortened, kDotsOnly, kNothing, kNoMemory };

int ExtentOf(HDC hdc, const char* text, int len) {
  Size size{};
  GetTextExtentPoint(hdc, text, len, 0, nullptr, nullptr, nullptr, &size);
  return size.cx;
}

// What to output for the text in maxWidth; the shortened text goes to out.
Fit Shorten(HDC hdc, const char* text, int len, int maxWidth, std::string* out) {
  if (ExtentOf(hdc, text, len) <= maxWidth) return Fit::kWhole;
  DC* dc = textout::DcOf(hdc);
  const int firstLen = GetFirstMCharLen(textout::FontOf(dc), text, len);
  const int w1 = ExtentOf(hdc, text, firstLen > 0 ? firstLen : 1);
  const int w3 = ExtentOf(hdc, kDots, kDotsLen);
  if (maxWidth >= w1 + w3) {
    try {
      std::vector<int> positions(static_cast<size_t>(len) + 1), offsets(static_cast<size_t>(len) + 1);
      int fitChars = 0;
      Size size{};
      GetTextExtentPoint(hdc, text, len, maxWidth - w3, &fitChars, positions.data(),
                         offsets.data(), &size);
      out->assign(text, static_cast<size_t>(positions[static_cast<size_t>(fitChars)]));
      out->append(kDots);
    } catch (const std::bad_alloc&) {
      return Fit::kNoMemory;
    }
    return Fit::kShortened;
  }
  return maxWidth > w3 ? Fit::kDotsOnly : Fit::kNothing;
}

template <typename OutputFn>
int OutputShortened(HDC hdc, const char* text, int len, int maxWidth, OutputFn output) {
  if (!text || !textout::DcOf(hdc) || !textout::FontOf(textout::DcOf(hdc))) return 0;
  len = textout::ByteLength(text, len);
  std::string shortened;
  switch (Shorten(hdc, text, len, maxWidth, &shortened)) {
    case Fit::kWhole:
      return output(text, len);
    case Fit::kShortened:
      return output(shortened.c_str(), static_cast<int>(shortened.size()));
    case Fit::kDotsOnly:
      return output(kDots, kDotsLen);
    default:
      return 0;
  }
}

}  // namespace

extern "C" {

int TextOutOmitted(HDC hdc, int x, int y, const char* text, int len, int maxWidth) {
  return OutputShortened(hdc, text, len, maxWidth, [&](const char* s, int n) {
    return TextOutLen(hdc, x, y, s, n);
  });
}

int DrawTextOmitted(HDC hdc, const char* text, int len, Rect* rect, uint32_t format, int maxWidth) {
  return OutputShortened(hdc, text, len, maxWidth, [&](const char* s, int n) {
    return DrawTextEx2(hdc, s, n, rect, 0, format, nullptr);
  });
}

}  // extern "C"
