#include <gtest/gtest.h>

#include <cstring>

#include "gui/app_hooks.h"
#include "gui/gal.h"
#include "gui/host.h"

namespace {

struct VideoTest : ::testing::Test {
  void TearDown() override {
    GAL_VideoQuit();
    SetAppCallbacks(nullptr);
  }
};

int g_engine = 2;
int engineAnswer() { return g_engine; }
uint8_t g_outputs = 1;
int outputCount(uint8_t* count) {
  *count = g_outputs;
  return 0;
}

void useEngine(int engine) {
  g_engine = engine;
  GuiAppCallbacks cb{};
  cb.gui_get_galengin = engineAnswer;
  SetAppCallbacks(&cb);
}

TEST_F(VideoTest, StartsTheScreenAtTheDefaultMode) {
  ASSERT_EQ(InitGAL(), 0);
  GalSurface* screen = GAL_GetVideoSurface();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->w, 1024);
  EXPECT_EQ(screen->h, 768);
  EXPECT_EQ(screen->pitch, 4096);
  EXPECT_EQ(screen->format->bitsPerPixel, 32);
  EXPECT_EQ(screen->format->rMask, 0xFF0000u);
  EXPECT_NE(screen->pixels, nullptr);
  EXPECT_EQ(screen->video, GAL_GetVideoDevice());
  EXPECT_STREQ(GAL_GetVideoDevice()->name, "windib");
  EXPECT_EQ(screen->clipRect.w, 1024);
  EXPECT_EQ(SysPixelIndex[SYSPIXEL_KEY], 0xFF00FFu);
  EXPECT_EQ(SysPixelIndex[SYSPIXEL_LIGHTGREY], 0xC0C0C0u);
  EXPECT_EQ(SysPixelIndex[SYSPIXEL_WHITE], 0xFFFFFFu);
  EXPECT_EQ(SysPixelIndex[SYSPIXEL_BLACK], 0u);
  int w = 0, h = 0;
  EXPECT_EQ(HostGetWindowSize(0, &w, &h), 1);
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 768);
  // One output by default: the auxiliary geometry is empty and unused.
  EXPECT_EQ(screen->auxPixels, nullptr);
  EXPECT_EQ(HostGetWindowSize(1, &w, &h), 0);
  GAL_FillRect(screen, nullptr, 1, getAuxOutputHook());

  GAL_VideoQuit();
  EXPECT_EQ(GAL_GetVideoSurface(), nullptr);
  EXPECT_EQ(HostGetWindowSize(0, &w, &h), 0);
}

TEST_F(VideoTest, EngineNamesOutsideTheTableFail) {
  char name[11];
  EXPECT_EQ(GAL_GetEngineName(nullptr), -22);
  useEngine(1);
  EXPECT_EQ(GAL_GetEngineName(name), 0);
  EXPECT_STREQ(name, "fbcon");
  EXPECT_EQ(InitGAL(), -13);
  useEngine(7);
  GAL_GetEngineName(name);
  EXPECT_STREQ(name, "dev9000");
  EXPECT_EQ(InitGAL(), -13);
  EXPECT_EQ(GAL_GetVideoDevice(), nullptr);
  EXPECT_EQ(GAL_VideoInit("WINDIB"), 0);  // names compare without case
}

TEST_F(VideoTest, ModeChecksAndModeChanges) {
  EXPECT_EQ(GAL_CheckVideoMode(1024, 768, 32, 0), 0);  // no device yet
  ASSERT_EQ(InitGAL(), 0);
  EXPECT_EQ(GAL_CheckVideoMode(1024, 768, 32, 0), 32);
  EXPECT_EQ(GAL_CheckVideoMode(1024, 768, 7, 0), 0);
  EXPECT_EQ(GAL_CheckVideoMode(0, 768, 16, 0), 0);
  int bpp = 16;
  EXPECT_EQ(GAL_PickVideoMode(640, 480, &bpp, 0), 1);
  EXPECT_EQ(bpp, 16);
  EXPECT_EQ(GAL_ListVideoModes(nullptr, 0), GAL_ANY_MODE);

  // A refused mode keeps the current screen and its frame buffer usable.
  EXPECT_EQ(GAL_CheckVideoMode(-1024, 768, 32, 0), 0);
  EXPECT_EQ(GAL_SetVideoMode(1024, -768, 32, 0), nullptr);
  GalSurface* current = GAL_GetVideoSurface();
  ASSERT_NE(current, nullptr);
  GalVideoDevice* device = GAL_GetVideoDevice();
  EXPECT_EQ(device->SetVideoMode(device, current, -5, 600, 32, 0), nullptr);
  EXPECT_EQ(current->w, 1024);
  ASSERT_NE(current->pixels, nullptr);
  GAL_FillRect(current, nullptr, 0x123456, getMainOutputHook());
  EXPECT_EQ(ReadPixelValue(static_cast<uint8_t*>(current->pixels) + 4 * 1023, 4), 0x123456u);

  GalSurface* screen = GAL_SetVideoMode(800, 600, 0, 0);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->format->bitsPerPixel, 32);
  EXPECT_EQ(screen->w, 800);
  EXPECT_EQ(screen->pitch, 3200);
  int w = 0, h = 0;
  HostGetWindowSize(0, &w, &h);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
}

TEST_F(VideoTest, PaletteChangesRebuildBlitMaps) {
  GalSurface* src = GAL_CreateRGBSurface(0, 4, 4, 8, 0, 0, 0, 0);
  GalSurface* dst = GAL_CreateRGBSurface(0, 4, 4, 8, 0, 0, 0, 0);
  GalColor red{255, 0, 0, 0};
  EXPECT_EQ(GAL_SetColors(dst, &red, 0, 1), 0);  // no device: nothing set
  ASSERT_EQ(InitGAL(), 0);
  src->pixels[0] = 9;
  ASSERT_EQ(GAL_BlitSurface(src, nullptr, dst, nullptr), 0);  // equal palettes: plain copy
  EXPECT_EQ(dst->pixels[0], 9);
  EXPECT_EQ(src->map->identity, 1);

  uint32_t version = dst->formatVersion;
  EXPECT_EQ(GAL_SetColors(dst, &red, 0, 1), 1);
  EXPECT_EQ(dst->formatVersion, version + 1);
  EXPECT_EQ(dst->format->palette->colors[0].r, 255);
  // The map is rebuilt against the new palette: black now goes through a
  // table to the first black entry.
  EXPECT_EQ(GAL_BlitSurface(src, nullptr, dst, nullptr), 0);
  EXPECT_EQ(src->map->identity, 0);
  EXPECT_EQ(dst->pixels[0], 1);

  GalColor many[10];
  std::memset(many, 7, sizeof many);
  EXPECT_EQ(GAL_SetPalette(dst, GAL_LOGPAL, many, 250, 10), 0);
  EXPECT_EQ(dst->format->palette->colors[255].g, 7);
  EXPECT_EQ(dst->format->palette->colors[249].g, 0);
  GAL_FreeSurface(src);
  GAL_FreeSurface(dst);
}

TEST_F(VideoTest, ScreenSurfaceIsNotFreedByCallers) {
  ASSERT_EQ(InitGAL(), 0);
  GalSurface* screen = GAL_GetVideoSurface();
  GAL_FreeSurface(screen);
  EXPECT_EQ(GAL_GetVideoSurface(), screen);
  EXPECT_EQ(screen->refcount, 1);
}

TEST_F(VideoTest, AuxiliaryOutputGetsItsOwnFrameBuffer) {
  g_outputs = 2;
  GuiAppCallbacks cb{};
  cb.getVideoOutputCount = outputCount;
  SetAppCallbacks(&cb);
  ASSERT_EQ(InitGAL(), 0);
  GalSurface* screen = GAL_GetVideoSurface();
  Size aux{};
  getOutputScreenSizeHook(getAuxOutputHook(), &aux);
  ASSERT_NE(screen->auxPixels, nullptr);
  EXPECT_NE(screen->auxPixels, screen->pixels);
  EXPECT_EQ(screen->auxW, aux.cx);
  EXPECT_EQ(screen->auxH, aux.cy);
  // The auxiliary display starts in the transparent colour.
  EXPECT_EQ(ReadPixelValue(screen->auxPixels + (aux.cy - 1) * screen->auxPitch, 4), 0xFF00FFu);
  EXPECT_EQ(ReadPixelValue(screen->pixels, 4), 0u);
  int w = 0, h = 0;
  EXPECT_EQ(HostGetWindowSize(1, &w, &h), 1);
  EXPECT_EQ(w, aux.cx);
  GalRect r{0, 0, 2, 1};
  GAL_FillRect(screen, &r, 0x00FF00, getAuxOutputHook());
  GAL_UpdateRects(screen, 1, &r);
  EXPECT_EQ(HostReadWindowPixel(1, 1, 0), 0x00FF00);
  g_outputs = 1;
}

// The slave opens beside the current device, with a frame buffer of its
// own; drawing on one leaves the other alone.
TEST_F(VideoTest, SlaveVideoOpensBesideTheCurrentDevice) {
  ASSERT_EQ(InitGAL(), 0);
  GalVideoDevice* current = GAL_GetVideoDevice();
  GalSurface* screen = GAL_GetVideoSurface();
  GalSurface* slave = OpenSlaveVideo("windib", "800x600-16bpp");
  ASSERT_NE(slave, nullptr);
  EXPECT_EQ(slave->w, 800);
  EXPECT_EQ(slave->h, 600);
  EXPECT_EQ(slave->format->bitsPerPixel, 16);
  EXPECT_EQ(slave->flags & GAL_HWSURFACE, GAL_HWSURFACE);
  EXPECT_EQ(GAL_GetVideoDevice(), current) << "the current device stays";
  EXPECT_NE(slave->video, current);
  EXPECT_NE(slave->pixels, screen->pixels);

  GalRect box{0, 0, 800, 600};
  GAL_FillRect(slave, &box, 0xF800, getMainOutputHook());
  GAL_UpdateRect(slave, 0, 0, 0, 0);
  EXPECT_EQ(ReadPixelValue(slave->pixels + 599 * slave->pitch + 2 * 799, 2), 0xF800u);
  GalRect corner{0, 0, 1, 1};
  GAL_FillRect(screen, &corner, 0x123456, getMainOutputHook());
  EXPECT_EQ(ReadPixelValue(slave->pixels, 2), 0xF800u);
  EXPECT_EQ(ReadPixelValue(screen->pixels, 4), 0x123456u);

  CloseSlaveVideo(slave->video);
  EXPECT_EQ(GAL_GetVideoSurface(), screen);
  EXPECT_EQ(OpenSlaveVideo("windib", nullptr), nullptr);
  EXPECT_EQ(OpenSlaveVideo("fbcon", "800x600-16bpp"), nullptr) << "no such engine";
  GAL_VideoQuit();
  GalSurface* alone = OpenSlaveVideo("windib", "320x240-32");
  ASSERT_NE(alone, nullptr) << "and without a current device";
  EXPECT_EQ(alone->format->bitsPerPixel, 32);
  CloseSlaveVideo(alone->video);
}

}  // namespace
