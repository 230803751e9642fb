// The desktop's background: a plain colour with an optional picture from
// the [bgpicture] section, painted where no window covers the screen.
#include <cstring>

#include "core/desktop/clip_info.h"
#include "core/desktop/desktop_proc.h"
#include "core/desktop/desktop_state.h"
#include "core/layout/window_bitmap.h"
#include "gdi/dc_record.h"
#include "gui/app_hooks.h"
#include "gui/gal.h"
#include "gui/image.h"
#include "gui/gui_etc.h"

namespace {

constexpr uint8_t kBackgroundRed = 0x20, kBackgroundGreen = 0x30, kBackgroundBlue = 0x40;
constexpr int kFileChars = 128;
constexpr int kPositionChars = 20;

struct Placement {
  const char* name;
  int xFactor, yFactor;  // origin = factor * (screen - picture) / 2
};

// Halves by arithmetic shift, as the positions are specified.
const Placement kPlacements[] = {
    {"center", 1, 1},   {"upleft", 0, 0},     {"downleft", 0, 2},     {"upright", 2, 0},
    {"downright", 2, 2}, {"upcenter", 1, 0}, {"downcenter", 1, 2}, {"vcenterleft", 0, 1},
    {"vcenterright", 2, 1},
};

int Origin(int factor, int room) { return factor == 0 ? 0 : factor == 2 ? room : (room >> 1); }

const Placement* FindPlacement(const char* word) {
  for (const Placement& p : kPlacements)
    if (std::strcmp(p.name, word) == 0) return &p;
  return nullptr;
}

void FillScreenRect(GalSurface* screen, const Rect& r, GalPixel pixel, int output) {
  GalRect box{r.left, r.top, r.right - r.left, r.bottom - r.top};
  GAL_FillRect(screen, &box, pixel, output);
  GAL_UpdateRect(screen, box.x, box.y, box.w, box.h);
}

}  // namespace

void LoadBackgroundPicture() {
  DesktopState& d = Desk();
  char file[kFileChars + 1] = "";
  char position[kPositionChars + 1] = "center";
  if (GetGuiEtcValue("bgpicture", "position", position, sizeof position) != 0) std::strcpy(position, "center");
  const Placement* place = FindPlacement(position);
  if (!place || GetGuiEtcValue("bgpicture", "file", file, sizeof file) != 0 || !file[0]) return;
  Bitmap picture{};
  LoadWindowBitmap(file, &picture, "[bgpicture] file");
  if (!picture.bmBits || picture.bmWidth == 0) return;
  const Rect& screen = ScreenRect();
  d.picture = picture;
  d.hasPicture = true;
  d.pictureX = Origin(place->xFactor, screen.right - static_cast<int>(picture.bmWidth));
  d.pictureY = Origin(place->yFactor, screen.bottom - static_cast<int>(picture.bmHeight));
}

void FreeBackgroundPicture() {
  DesktopState& d = Desk();
  if (d.hasPicture) UnloadBitmap(&d.picture);
  d.picture = Bitmap{};
  d.hasPicture = false;
}

// Fills the part of the rectangle (the whole screen for null) that the
// desktop region still shows, so that a hidden window leaves no pixels.
void PaintDesktopBackground(const Rect* rect) {
  GalSurface* screen = gui::dc::CurrentScreenSurface();
  if (!screen) screen = GAL_GetVideoSurface();
  if (!screen || !screen->format) return;
  Rect area = rect ? *rect : ScreenRect();
  int output = getCurOutputHook();
  GalPixel pixel = GAL_MapRGB(screen->format, kBackgroundRed, kBackgroundGreen, kBackgroundBlue);
  GlobalClipInfo& clip = DesktopClip();
  std::lock_guard<std::mutex> holdClip(clip.lock);
  std::lock_guard<std::mutex> holdDisplay(gui::dc::GdiLockOfDisplay(output));
  for (const ClipRect* node = clip.region.head; node; node = node->next) {
    Rect part;
    if (IntersectRect(&part, &node->rc, &area)) FillScreenRect(screen, part, pixel, output);
  }
}
