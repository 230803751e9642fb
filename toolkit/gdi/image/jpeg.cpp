// JPEG files through libjpeg: the data source feeds the library from a
// GUI_RWops, and library errors come back as failed calls instead of ending
// the process.
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

#include <jpeglib.h>
#include <jerror.h>

#include "gdi/image/image_internal.h"

namespace gui::image {
namespace {

constexpr int kBufferSize = 4096;

struct SourceManager {
  jpeg_source_mgr pub;
  GUI_RWops* source;
  JOCTET buffer[kBufferSize];
  bool startOfFile;
};

struct ErrorManager {
  jpeg_error_mgr pub;
  jmp_buf jump;
};

struct JpegState {
  jpeg_decompress_struct info;
  ErrorManager error;
  JSAMPLE colormap[3][256];
};

void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::longjmp(err->jump, 1);
}

// Corrupt-data warnings are expected from hostile files; nothing is printed.
void OutputMessage(j_common_ptr) {}

void InitSource(j_decompress_ptr cinfo) {
  reinterpret_cast<SourceManager*>(cinfo->src)->startOfFile = true;
}

boolean FillInput(j_decompress_ptr cinfo) {
  auto* src = reinterpret_cast<SourceManager*>(cinfo->src);
  int n = GUI_RWread(src->source, src->buffer, 1, kBufferSize);
  if (n <= 0) {
    if (src->startOfFile) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    WARNMS(cinfo, JWRN_JPEG_EOF);
    src->buffer[0] = 0xFF;
    src->buffer[1] = JPEG_EOI;
    n = 2;
  }
  src->pub.next_input_byte = src->buffer;
  src->pub.bytes_in_buffer = static_cast<size_t>(n);
  src->startOfFile = false;
  return TRUE;
}

void SkipInput(j_decompress_ptr cinfo, long count) {
  auto* src = reinterpret_cast<SourceManager*>(cinfo->src);
  if (count <= 0) return;
  while (count > static_cast<long>(src->pub.bytes_in_buffer)) {
    count -= static_cast<long>(src->pub.bytes_in_buffer);
    FillInput(cinfo);
  }
  src->pub.next_input_byte += count;
  src->pub.bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

void InstallSource(j_decompress_ptr cinfo, GUI_RWops* source) {
  auto* src = static_cast<SourceManager*>((*cinfo->mem->alloc_small)(
      reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(SourceManager)));
  src->pub.init_source = InitSource;
  src->pub.fill_input_buffer = FillInput;
  src->pub.skip_input_data = SkipInput;
  src->pub.resync_to_restart = jpeg_resync_to_restart;
  src->pub.term_source = TermSource;
  src->pub.bytes_in_buffer = 0;
  src->pub.next_input_byte = nullptr;
  src->source = source;
  cinfo->src = &src->pub;
}

bool HasIdentifier(const uint8_t* head, const char* id) { return std::memcmp(head + 6, id, 4) == 0; }

// Everything that may raise a library error runs here, under the jump.
bool StartDecoding(JpegState* s, GUI_RWops* source, MyBitmap* image, GalColor* palette) {
  jpeg_decompress_struct* info = &s->info;
  if (setjmp(s->error.jump)) return false;
  jpeg_create_decompress(info);
  InstallSource(info, source);
  jpeg_read_header(info, TRUE);
  info->out_color_space = JCS_RGB;
  info->quantize_colors = FALSE;
  if (image->depth <= 8 && palette) {
    const int colors = 1 << image->depth;
    for (int i = 0; i < colors; ++i) {
      s->colormap[0][i] = palette[i].r;
      s->colormap[1][i] = palette[i].g;
      s->colormap[2][i] = palette[i].b;
    }
    info->quantize_colors = TRUE;
    info->actual_number_of_colors = colors;
    info->colormap = static_cast<JSAMPARRAY>((*info->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE, 3 * sizeof(JSAMPROW)));
    for (int c = 0; c < 3; ++c) info->colormap[c] = s->colormap[c];
  }
  jpeg_calc_output_dimensions(info);
  const int components = info->output_components;
  if (components != 1 && components != 3 && components != 4) return false;
  if (!DescribeImage(image, info->output_width, info->output_height, components * 8)) return false;
  image->flags |= MYBMP_TYPE_RGB | MYBMP_FLOW_DOWN;
  if (components == 3) image->flags |= MYBMP_RGBSIZE_3;
  if (components == 4) image->flags |= MYBMP_RGBSIZE_4;
  image->frames = 1;
  jpeg_start_decompress(info);
  return true;
}

int ReadRows(JpegState* s, MyBitmap* image, GuiImageLineCallback cb, void* ctx) {
  jpeg_decompress_struct* info = &s->info;
  if (setjmp(s->error.jump)) return ERR_BMP_OTHER;
  while (info->output_scanline < info->output_height) {
    const JDIMENSION n = info->output_scanline;
    JSAMPROW row = RowOf(image, n);
    if (jpeg_read_scanlines(info, &row, 1) != 1) return ERR_BMP_OTHER;
    if (cb) cb(ctx, image, static_cast<int>(n));
  }
  return 0;
}

void Finish(JpegState* s) {
  if (setjmp(s->error.jump)) return;
  if (s->info.global_state != 0 && s->info.output_scanline >= s->info.output_height &&
      s->info.output_height > 0)
    jpeg_finish_decompress(&s->info);
}

}  // namespace

BOOL JpegCheck(GUI_RWops* source) {
  uint8_t head[10];
  if (GUI_RWread(source, head, 1, 4) != 4 || head[0] != 0xFF || head[1] != 0xD8) return FALSE;
  if (head[2] == 0xFF && head[3] == 0xDB) return TRUE;
  if (GUI_RWread(source, head + 4, 1, 6) != 6) return FALSE;
  return HasIdentifier(head, "JFIF") || HasIdentifier(head, "Exif");
}

void* JpegInit(GUI_RWops* source, MyBitmap* image, GalColor* palette) {
  uint8_t head[10];
  if (GUI_RWread(source, head, 1, 10) != 10 || head[0] != 0xFF || head[1] != 0xD8) return nullptr;
  const bool marker = head[2] == 0xFF && (head[3] == 0xFE || head[3] == 0xDB);
  if (!marker && !HasIdentifier(head, "ZLVR") && !HasIdentifier(head, "JFIF") &&
      !HasIdentifier(head, "Exif"))
    return nullptr;
  GUI_RWseek(source, -10, GUI_RW_SEEK_CUR);
  auto* s = new (std::nothrow) JpegState{};
  if (!s) return nullptr;
  s->info.err = jpeg_std_error(&s->error.pub);
  s->error.pub.error_exit = ErrorExit;
  s->error.pub.output_message = OutputMessage;
  if (!StartDecoding(s, source, image, palette)) {
    jpeg_destroy_decompress(&s->info);
    delete s;
    return nullptr;
  }
  return s;
}

int JpegLoad(GUI_RWops*, void* state, MyBitmap* image, GuiImageLineCallback cb, void* ctx) {
  return ReadRows(static_cast<JpegState*>(state), image, cb, ctx);
}

void JpegCleanup(void* state) {
  auto* s = static_cast<JpegState*>(state);
  Finish(s);
  jpeg_destroy_decompress(&s->info);
  delete s;
}

}  // namespace gui::image
