// Image loading and the cursor. Each benchmark also times, in the same run,
// the library alone (or a plain copy) doing the same work and reports:
//   vs_lib    library-alone time / toolkit time; goal >= 0.83 (within 1.2x)
//   vs_copy   32x32 box copy time / cursor move time
// PNG and JPEG of 1024 x 768 are decoded from memory: as a device-independent
// image (the library's work plus the data source) and as a screen bitmap
// (plus the conversion into the screen's pixel format).
#include <benchmark/benchmark.h>
#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "bench/bench_program_folder.h"
#include "bench/bench_timing.h"
#include "core/input/ial.h"
#include "gdi/image/tests/image_files.h"
#include "gui/cursor.h"
#include "gui/dc.h"
#include "gui/gui_etc.h"
#include "gui/image.h"

namespace {

using imagetest::Bytes;

constexpr int kW = 1024, kH = 768;

// Gradients with a little noise: compresses like a photograph of a menu.
imagetest::Truth Picture() {
  imagetest::Truth t = imagetest::RandomTruth(kW, kH, 42);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      uint8_t* p = &t.rgba[(static_cast<size_t>(y) * kW + x) * 4];
      p[0] = static_cast<uint8_t>(x / 4 + (p[0] & 7));
      p[1] = static_cast<uint8_t>(y / 3 + (p[1] & 7));
      p[2] = static_cast<uint8_t>((x + y) / 8 + (p[2] & 7));
    }
  return t;
}

const Bytes& PngFile() {
  static const Bytes file = imagetest::Png({}, Picture(), PNG_COLOR_TYPE_RGB, 8, false, false);
  return file;
}

const Bytes& JpegFile() {
  static const Bytes file = imagetest::Jpeg(Picture(), false);
  return file;
}

GalSurface* Screen() {
  static GalSurface* screen = [] {
    GalSurface* s = GAL_CreateRGBSurface(0, kW, kH, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    InitGDI(s);
    return s;
  }();
  return screen;
}

// Three rounds each, alternating, so both see the same load; the medians
// count.
template <typename Toolkit, typename Baseline>
void Compare(benchmark::State& state, Toolkit toolkit, Baseline baseline, const char* name) {
  benchtime::Timing toolkitNs, baselineNs;
  for (int round = 0; round < 3; ++round) {
    baselineNs.Add(benchtime::NsPerOp(baseline, 2e8));
    toolkitNs.Add(benchtime::NsPerOp(toolkit, 2e8));
  }
  benchtime::ReportSpread(state, {toolkitNs, baselineNs});
  const double t = toolkitNs.Median(), b = baselineNs.Median();
  for (auto _ : state) toolkit();
  state.counters[name] = b / t;
  state.counters["ms"] = t / 1e6;
  if (std::strcmp(name, "vs_lib") == 0) benchtime::ReportGoal(state, "vs_lib", b / t, 0.83);
}

struct PngMemory {
  const Bytes* data;
  size_t at;
};

void PngRead(png_structp png, png_bytep out, png_size_t n) {
  auto* m = static_cast<PngMemory*>(png_get_io_ptr(png));
  std::memcpy(out, m->data->data() + m->at, n);
  m->at += n;
}

// libpng alone: the same rows into a new buffer, as a load must make one.
void PngAlone() {
  std::vector<uint8_t> rows;
  PngMemory m{&PngFile(), 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_read_fn(png, &m, PngRead);
  png_read_info(png, info);
  png_read_update_info(png, info);
  const size_t pitch = png_get_rowbytes(png, info);
  rows.resize(pitch * kH);
  for (int y = 0; y < kH; ++y) png_read_row(png, &rows[pitch * y], nullptr);
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
}

void JpegAlone() {
  std::vector<uint8_t> rows;
  jpeg_decompress_struct d{};
  jpeg_error_mgr err{};
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, JpegFile().data(), static_cast<unsigned long>(JpegFile().size()));
  jpeg_read_header(&d, TRUE);
  d.out_color_space = JCS_RGB;
  jpeg_start_decompress(&d);
  rows.resize(static_cast<size_t>(kW) * 3 * kH);
  while (d.output_scanline < d.output_height) {
    JSAMPROW row = &rows[static_cast<size_t>(d.output_scanline) * kW * 3];
    jpeg_read_scanlines(&d, &row, 1);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
}

void LoadImage(const Bytes& file, const char* ext) {
  MyBitmap image{};
  GalColor palette[256];
  LoadMyBitmapFromMem(&image, palette, file.data(), static_cast<int>(file.size()), ext);
  UnloadMyBitmap(&image);
}

void LoadBitmap(const Bytes& file, const char* ext) {
  Screen();
  Bitmap b{};
  LoadBitmapFromMem(HDC_SCREEN, &b, file.data(), static_cast<int>(file.size()), ext);
  UnloadBitmap(&b);
}

void BM_PngImage(benchmark::State& state) {
  Compare(state, [] { LoadImage(PngFile(), "png"); }, PngAlone, "vs_lib");
}

void BM_PngBitmap(benchmark::State& state) {
  Compare(state, [] { LoadBitmap(PngFile(), "png"); }, PngAlone, "vs_lib");
}

void BM_JpegImage(benchmark::State& state) {
  Compare(state, [] { LoadImage(JpegFile(), "jpg"); }, JpegAlone, "vs_lib");
}

void BM_JpegBitmap(benchmark::State& state) {
  Compare(state, [] { LoadBitmap(JpegFile(), "jpg"); }, JpegAlone, "vs_lib");
}

int g_x = 100, g_y = 100;
void SetXY(int x, int y) { g_x = x, g_y = y; }
void GetXY(int* x, int* y) { *x = g_x, *y = g_y; }

// One move restores the old place, saves the new one and draws there.
void BM_CursorMove(benchmark::State& state) {
  GalSurface* screen = Screen();
  static IalEngine engine{};
  engine.set_mouse_xy = SetXY;
  engine.get_mouse_xy = GetXY;
  UseIalEngineForTest(&engine);
  if (!benchfolder::EnterProgramFolder()) {  // the cursor files are found from there
    state.SkipWithError("cannot move to the program's folder");
    return;
  }
  InitEtcFilePath();
  if (!InitCursors()) {
    state.SkipWithError("no cursor files");
    return;
  }
  SetCursorEx(GetSystemCursor(0), FALSE);
  int step = 0;
  auto move = [&] {
    ++step;
    SetCursorPos(100 + (step & 1) * 40, 100);
  };
  auto copy = [&] {
    uint8_t* from = screen->pixels + 100 * screen->pitch + 100 * 4;
    uint8_t* to = screen->pixels + 300 * screen->pitch + 300 * 4;
    for (int row = 0; row < 32; ++row) std::memcpy(to + row * screen->pitch, from + row * screen->pitch, 32 * 4);
    benchmark::ClobberMemory();
  };
  Compare(state, move, copy, "vs_copy");
  state.counters["ms"] = state.counters["ms"] * 1e3;  // microseconds for this one
  TermCursors();
  UseIalEngineForTest(nullptr);
}

BENCHMARK(BM_PngImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngBitmap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegBitmap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CursorMove);

}  // namespace

BENCHMARK_MAIN();
