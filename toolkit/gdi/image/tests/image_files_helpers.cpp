#include "gdi/image/tests/image_files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>

#include <jpeglib.h>
#include <png.h>

namespace imagetest {
namespace {

void Le(Bytes& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void Pad4(Bytes& row) {
  while (row.size() % 4) row.push_back(0);
}

}  // namespace

Truth Indexed::truth() const {
  Truth t;
  t.w = w, t.h = h;
  for (uint8_t i : index) {
    const GalColor& c = palette[i];
    t.rgba.insert(t.rgba.end(), {c.r, c.g, c.b, 255});
  }
  return t;
}

Indexed RandomIndexed(int w, int h, int colors, unsigned seed, int runLength) {
  std::mt19937 random(seed);
  Indexed image;
  image.w = w, image.h = h;
  for (int i = 0; i < colors; ++i)
    image.palette.push_back(GalColor{static_cast<uint8_t>(random()), static_cast<uint8_t>(random()),
                                     static_cast<uint8_t>(random()), 0});
  uint8_t current = 0;
  for (int i = 0; i < w * h; ++i) {
    if (i % runLength == 0) current = static_cast<uint8_t>(random() % colors);
    image.index.push_back(current);
  }
  return image;
}

Truth RandomTruth(int w, int h, unsigned seed, bool alpha) {
  std::mt19937 random(seed);
  Truth t;
  t.w = w, t.h = h;
  for (int i = 0; i < w * h; ++i)
    for (int c = 0; c < 4; ++c) t.rgba.push_back(c == 3 && !alpha ? 255 : static_cast<uint8_t>(random()));
  return t;
}

Bytes BmpFile(int w, int h, int bits, int compression, const std::vector<GalColor>& palette,
              const Bytes& rows, const std::vector<uint32_t>& masks, bool coreHeader) {
  const uint32_t info = coreHeader ? 12 : 40;
  const uint32_t entry = coreHeader ? 3 : 4;
  const uint32_t offBits = 14 + info + 4 * static_cast<uint32_t>(masks.size()) +
                           entry * static_cast<uint32_t>(palette.size());
  Bytes out;
  Le(out, 0x4D42, 2);
  Le(out, offBits + static_cast<uint32_t>(rows.size()), 4);
  Le(out, 0, 4);
  Le(out, offBits, 4);
  Le(out, info, 4);
  if (coreHeader) {
    Le(out, w, 2), Le(out, h, 2), Le(out, 1, 2), Le(out, bits, 2);
  } else {
    Le(out, w, 4), Le(out, h, 4), Le(out, 1, 2), Le(out, bits, 2), Le(out, compression, 4);
    Le(out, static_cast<uint32_t>(rows.size()), 4);
    for (int i = 0; i < 4; ++i) Le(out, 0, 4);
  }
  for (uint32_t m : masks) Le(out, m, 4);
  for (const GalColor& c : palette) {
    out.insert(out.end(), {c.b, c.g, c.r});
    if (!coreHeader) out.push_back(0);
  }
  out.insert(out.end(), rows.begin(), rows.end());
  return out;
}

Bytes BmpIndexed(const Indexed& image, int bits, int compression, bool coreHeader) {
  Bytes rows;
  for (int y = image.h - 1; y >= 0; --y) {
    const uint8_t* src = &image.index[static_cast<size_t>(y) * image.w];
    Bytes row;
    if (compression == 1 || compression == 2) {
      // Runs of equal indices, then end of row.
      for (int x = 0; x < image.w;) {
        int n = 1;
        while (x + n < image.w && n < 255 && src[x + n] == src[x]) ++n;
        row.push_back(static_cast<uint8_t>(n));
        row.push_back(compression == 1 ? src[x] : static_cast<uint8_t>(src[x] << 4 | src[x]));
        x += n;
      }
      row.insert(row.end(), {0, 0});
      rows.insert(rows.end(), row.begin(), row.end());
      continue;
    }
    for (int x = 0; x < image.w; ++x) {
      const int perByte = 8 / bits;
      if (x % perByte == 0) row.push_back(0);
      row.back() |= static_cast<uint8_t>(src[x] << (8 - bits * (x % perByte + 1)));
    }
    Pad4(row);
    rows.insert(rows.end(), row.begin(), row.end());
  }
  if (compression) rows.insert(rows.end(), {0, 1});
  return BmpFile(image.w, image.h, bits, compression, image.palette, rows, {}, coreHeader);
}

Bytes BmpRgb(const Truth& image, int bits) {
  Bytes rows;
  for (int y = image.h - 1; y >= 0; --y) {
    Bytes row;
    for (int x = 0; x < image.w; ++x) {
      const uint8_t* p = image.at(x, y);
      row.insert(row.end(), {p[2], p[1], p[0]});
      if (bits == 32) row.push_back(p[3]);
    }
    Pad4(row);
    rows.insert(rows.end(), row.begin(), row.end());
  }
  return BmpFile(image.w, image.h, bits, 0, {}, rows);
}

Bytes Bmp16(const Truth& image, bool is565) {
  Bytes rows;
  for (int y = image.h - 1; y >= 0; --y) {
    Bytes row;
    for (int x = 0; x < image.w; ++x) {
      const uint8_t* p = image.at(x, y);
      const uint32_t v = is565 ? (p[0] >> 3) << 11 | (p[1] >> 2) << 5 | p[2] >> 3
                               : (p[0] >> 3) << 10 | (p[1] >> 3) << 5 | p[2] >> 3;
      Le(row, v, 2);
    }
    Pad4(row);
    rows.insert(rows.end(), row.begin(), row.end());
  }
  if (!is565) return BmpFile(image.w, image.h, 16, 0, {}, rows);
  return BmpFile(image.w, image.h, 16, 3, {}, rows, {0xF800, 0x07E0, 0x001F});
}

namespace {

class BitWriter {
 public:
  void Put(int code, int size) {
    for (int i = 0; i < size; ++i) {
      if (bit_ % 8 == 0) bytes_.push_back(0);
      bytes_.back() |= static_cast<uint8_t>(((code >> i) & 1) << (bit_ % 8));
      ++bit_;
    }
  }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
  long bit_ = 0;
};

Bytes Lzw(const std::vector<uint8_t>& pixels, int minSize) {
  const int clear = 1 << minSize, end = clear + 1;
  BitWriter out;
  std::map<std::pair<int, int>, int> table;
  int codeSize = minSize + 1, next = clear + 2;
  out.Put(clear, codeSize);
  int prefix = pixels[0];
  for (size_t i = 1; i < pixels.size(); ++i) {
    const auto key = std::make_pair(prefix, int{pixels[i]});
    auto found = table.find(key);
    if (found != table.end()) {
      prefix = found->second;
      continue;
    }
    out.Put(prefix, codeSize);
    table[key] = next++;
    if (next > (1 << codeSize) && codeSize < 12) ++codeSize;
    if (next == 4096) {
      out.Put(clear, codeSize);
      table.clear();
      codeSize = minSize + 1;
      next = clear + 2;
    }
    prefix = pixels[i];
  }
  out.Put(prefix, codeSize);
  out.Put(end, codeSize);
  return out.bytes();
}

void SubBlocks(Bytes& out, const Bytes& data) {
  for (size_t i = 0; i < data.size(); i += 255) {
    const size_t n = std::min<size_t>(255, data.size() - i);
    out.push_back(static_cast<uint8_t>(n));
    out.insert(out.end(), data.begin() + static_cast<long>(i), data.begin() + static_cast<long>(i + n));
  }
  out.push_back(0);
}

}  // namespace

Bytes Gif(const Indexed& image, bool interlaced, int transparent, bool extraBlocks, bool localTable) {
  int sizeBits = 1;
  while ((1 << sizeBits) < static_cast<int>(image.palette.size())) ++sizeBits;
  Bytes out = {'G', 'I', 'F', '8', '9', 'a'};
  Le(out, image.w, 2), Le(out, image.h, 2);
  auto table = [&] {
    for (int i = 0; i < (1 << sizeBits); ++i) {
      const GalColor c = i < static_cast<int>(image.palette.size()) ? image.palette[i] : GalColor{};
      out.insert(out.end(), {c.r, c.g, c.b});
    }
  };
  // A local table goes with a screen descriptor that announces 2 colours.
  out.push_back(static_cast<uint8_t>(localTable ? 0 : 0x80 | (sizeBits - 1)));
  out.insert(out.end(), {0, 0});
  if (!localTable) table();
  if (extraBlocks) {
    // An application block whose data holds a ',' and a comment.
    out.insert(out.end(), {0x21, 0xFF, 11});
    for (char c : std::string("NETSCAPE2.0")) out.push_back(static_cast<uint8_t>(c));
    out.insert(out.end(), {3, ',', 0, 0, 0});
    out.insert(out.end(), {0x21, 0xFE, 5, 'h', 'e', ',', 'l', 'o', 0});
  }
  if (transparent >= 0) out.insert(out.end(), {0x21, 0xF9, 4, 1, 0, 0, static_cast<uint8_t>(transparent), 0});
  out.push_back(',');
  Le(out, 0, 2), Le(out, 0, 2), Le(out, image.w, 2), Le(out, image.h, 2);
  out.push_back(static_cast<uint8_t>((interlaced ? 0x40 : 0) | (localTable ? 0x80 | (sizeBits - 1) : 0)));
  if (localTable) table();
  std::vector<uint8_t> order;
  if (!interlaced) {
    order = image.index;
  } else {
    static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int y = start[pass]; y < image.h; y += step[pass])
        order.insert(order.end(), image.index.begin() + static_cast<long>(y) * image.w,
                     image.index.begin() + static_cast<long>(y + 1) * image.w);
  }
  const int minSize = std::max(2, sizeBits);
  out.push_back(static_cast<uint8_t>(minSize));
  SubBlocks(out, Lzw(order, minSize));
  out.push_back(';');
  return out;
}

namespace {

void WriteToVector(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

// One sample of a truth pixel at the bit depth (grey from red).
uint32_t Sample(uint8_t v, int depth) {
  if (depth == 16) return v * 257u;
  return v >> (8 - depth);
}

uint8_t Widened(uint8_t v, int depth) {
  if (depth >= 8) return v;
  const uint32_t s = v >> (8 - depth);
  return static_cast<uint8_t>(s * 255 / ((1u << depth) - 1));
}

}  // namespace

Bytes Png(const Indexed& indexed, const Truth& truth, int colorType, int bitDepth, bool interlaced,
          bool trns) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, WriteToVector, NoFlush);
  const int w = colorType == PNG_COLOR_TYPE_PALETTE ? indexed.w : truth.w;
  const int h = colorType == PNG_COLOR_TYPE_PALETTE ? indexed.h : truth.h;
  png_set_IHDR(png, info, w, h, bitDepth, colorType,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> plte;
  std::vector<png_byte> alphas;
  if (colorType == PNG_COLOR_TYPE_PALETTE) {
    for (const GalColor& c : indexed.palette) plte.push_back(png_color{c.r, c.g, c.b});
    png_set_PLTE(png, info, plte.data(), static_cast<int>(plte.size()));
    if (trns) {
      for (size_t i = 0; i < plte.size(); ++i) alphas.push_back(static_cast<png_byte>(i * 37));
      png_set_tRNS(png, info, alphas.data(), static_cast<int>(alphas.size()), nullptr);
    }
  } else if (trns) {
    png_color_16 key{};
    const uint8_t* p = truth.at(0, 0);
    key.gray = static_cast<png_uint_16>(Sample(p[0], bitDepth));
    key.red = static_cast<png_uint_16>(Sample(p[0], bitDepth));
    key.green = static_cast<png_uint_16>(Sample(p[1], bitDepth));
    key.blue = static_cast<png_uint_16>(Sample(p[2], bitDepth));
    png_set_tRNS(png, info, nullptr, 0, &key);
  }
  png_write_info(png, info);
  const int channels = colorType == 0 || colorType == 3 ? 1 : colorType == 4 ? 2 : colorType == 2 ? 3 : 4;
  std::vector<Bytes> rows(static_cast<size_t>(h));
  std::vector<png_bytep> pointers;
  for (int y = 0; y < h; ++y) {
    Bytes& row = rows[static_cast<size_t>(y)];
    std::vector<uint32_t> samples;
    for (int x = 0; x < w; ++x) {
      if (colorType == PNG_COLOR_TYPE_PALETTE) {
        samples.push_back(indexed.index[static_cast<size_t>(y) * w + x]);
        continue;
      }
      const uint8_t* p = truth.at(x, y);
      const uint8_t values[4] = {p[0], colorType & 2 ? p[1] : p[3], p[2], p[3]};
      if (channels == 1) samples.push_back(Sample(p[0], bitDepth));
      if (channels == 2) samples.push_back(Sample(p[0], bitDepth)), samples.push_back(Sample(p[3], bitDepth));
      if (channels >= 3)
        for (int c = 0; c < channels; ++c) samples.push_back(Sample(values[c == 3 ? 3 : c], bitDepth));
    }
    if (bitDepth >= 8) {
      for (uint32_t s : samples) {
        if (bitDepth == 16) row.push_back(static_cast<uint8_t>(s >> 8));
        row.push_back(static_cast<uint8_t>(s));
      }
    } else {
      const int perByte = 8 / bitDepth;
      for (size_t i = 0; i < samples.size(); ++i) {
        if (i % perByte == 0) row.push_back(0);
        row.back() |= static_cast<uint8_t>(samples[i] << (8 - bitDepth * (i % perByte + 1)));
      }
    }
    pointers.push_back(row.data());
  }
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

Truth PngTruth(const Indexed& indexed, const Truth& truth, int colorType, int bitDepth, bool trns) {
  if (colorType == PNG_COLOR_TYPE_PALETTE) {
    Truth t = indexed.truth();
    if (trns)
      for (size_t i = 0; i < indexed.index.size(); ++i) t.rgba[i * 4 + 3] = static_cast<uint8_t>(indexed.index[i] * 37);
    return t;
  }
  Truth t;
  t.w = truth.w, t.h = truth.h;
  const bool grey = !(colorType & 2);
  const uint8_t* first = truth.at(0, 0);
  for (int y = 0; y < truth.h; ++y)
    for (int x = 0; x < truth.w; ++x) {
      const uint8_t* p = truth.at(x, y);
      const uint8_t r = Widened(p[0], bitDepth);
      uint8_t rgb[3] = {r, grey ? r : p[1], grey ? r : p[2]};
      uint8_t a = colorType & 4 ? p[3] : 255;
      if (trns) {
        const bool same = grey ? Sample(p[0], bitDepth) == Sample(first[0], bitDepth)
                               : Sample(p[0], bitDepth) == Sample(first[0], bitDepth) &&
                                     Sample(p[1], bitDepth) == Sample(first[1], bitDepth) &&
                                     Sample(p[2], bitDepth) == Sample(first[2], bitDepth);
        a = same ? 0 : 255;
      }
      t.rgba.insert(t.rgba.end(), {rgb[0], rgb[1], rgb[2], a});
    }
  return t;
}

Bytes Jpeg(const Truth& image, bool grey) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = static_cast<JDIMENSION>(image.w);
  c.image_height = static_cast<JDIMENSION>(image.h);
  c.input_components = grey ? 1 : 3;
  c.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 90, TRUE);
  jpeg_start_compress(&c, TRUE);
  Bytes row;
  while (c.next_scanline < c.image_height) {
    row.clear();
    for (int x = 0; x < image.w; ++x) {
      const uint8_t* p = image.at(x, static_cast<int>(c.next_scanline));
      if (grey)
        row.push_back(p[0]);
      else
        row.insert(row.end(), {p[0], p[1], p[2]});
    }
    JSAMPROW rowPointer = row.data();
    jpeg_write_scanlines(&c, &rowPointer, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  Bytes out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

Bytes JpegDecodedRgb(const Bytes& jpeg, int* w, int* h) {
  jpeg_decompress_struct d{};
  jpeg_error_mgr err{};
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&d, TRUE);
  d.out_color_space = JCS_RGB;
  jpeg_start_decompress(&d);
  *w = static_cast<int>(d.output_width);
  *h = static_cast<int>(d.output_height);
  Bytes out(static_cast<size_t>(*w) * *h * 3);
  while (d.output_scanline < d.output_height) {
    JSAMPROW row = &out[static_cast<size_t>(d.output_scanline) * *w * 3];
    jpeg_read_scanlines(&d, &row, 1);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  return out;
}

}  // namespace imagetest
