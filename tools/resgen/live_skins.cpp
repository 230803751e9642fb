// Pictures of the live view and the list views: a neutral dark placeholder
// where the video of a recorder would show, the add-camera button of an
// empty window, and the small icons of list-view cells.
#include "bmp_writer.h"

namespace {

const Rgb kVideo{0x18, 0x1A, 0x1E}, kIconBack{0x20, 0x24, 0x2C}, kIcon{0xE0, 0xE4, 0xEA};
const Rgb kGreen{0x40, 0xC0, 0x60}, kRed{0xD0, 0x40, 0x40};

Image VideoBackground() { return Image(64, 48, kVideo); }

Image AddCamera(Rgb face) {
  Image img(48, 48, kVideo);
  img.FillRect(4, 4, 40, 40, face);
  img.FrameRect(4, 4, 40, 40, kIcon);
  img.FillRect(22, 12, 4, 24, kIcon);
  img.FillRect(12, 22, 24, 4, kIcon);
  return img;
}

// 16 x 16 icons drawn from a few strokes each.
Image Icon(void (*draw)(Image&)) {
  Image img(16, 16, kIconBack);
  draw(img);
  return img;
}

void Play(Image& i) {
  for (int k = 0; k < 6; ++k) i.FillRect(5 + k, 2 + k, 1, 12 - 2 * k, kGreen);
}
void Lock(Image& i) {
  i.FrameRect(5, 2, 6, 6, kIcon);
  i.FillRect(3, 7, 10, 7, kIcon);
}
void Unlock(Image& i) {
  i.FrameRect(8, 1, 6, 6, kIcon);
  i.FillRect(3, 7, 10, 7, kIcon);
}
void Settings(Image& i) {
  i.FrameRect(4, 4, 8, 8, kIcon);
  i.FillRect(7, 1, 2, 14, kIcon);
  i.FillRect(1, 7, 14, 2, kIcon);
}
void Cross(Image& i) {
  for (int k = 2; k < 14; ++k) {
    i.FillRect(k, k, 2, 1, kRed);
    i.FillRect(15 - k, k, 2, 1, kRed);
  }
}
void NotSupported(Image& i) {
  i.FrameRect(2, 2, 12, 12, kRed);
  for (int k = 3; k < 13; ++k) i.Set(k, 15 - k, kRed);
}
void Tick(Image& i) {
  for (int k = 0; k < 4; ++k) i.FillRect(2 + k, 8 + k, 2, 1, kGreen);
  for (int k = 0; k < 8; ++k) i.FillRect(6 + k, 11 - k, 2, 1, kGreen);
}
void File(Image& i) {
  i.FrameRect(3, 1, 10, 14, kIcon);
  for (int y = 4; y < 13; y += 3) i.FillRect(5, y, 6, 1, kIcon);
}
void Folder(Image& i) {
  i.FillRect(1, 3, 6, 2, kIcon);
  i.FillRect(1, 5, 14, 9, kIcon);
}
void FolderBack(Image& i) {
  Folder(i);
  for (int k = 0; k < 3; ++k) i.FillRect(5 + k, 9 - k, 1, 1 + 2 * k, kIconBack);
  i.FillRect(8, 9, 4, 1, kIconBack);
}
void Migrate(Image& i) {
  i.FillRect(2, 7, 9, 2, kIcon);
  for (int k = 0; k < 5; ++k) i.FillRect(10 + k, 3 + k, 1, 10 - 2 * k, kIcon);
}
void Stop(Image& i) { i.FillRect(4, 4, 8, 8, kRed); }

const SkinFamily kLiveSkins{
    {"video_bmp", VideoBackground},
    {"video_small_bmp", VideoBackground},
    {"add_ipc", [] { return AddCamera(Rgb{0x30, 0x50, 0x80}); }},
    {"add_ipc_hover", [] { return AddCamera(Rgb{0x48, 0x78, 0xB8}); }},
    {"listv_play", [] { return Icon(Play); }},
    {"listv_lock", [] { return Icon(Lock); }},
    {"listv_unlock", [] { return Icon(Unlock); }},
    {"listv_set", [] { return Icon(Settings); }},
    {"listv_delete", [] { return Icon(Cross); }},
    {"listv_nonsupport", [] { return Icon(NotSupported); }},
    {"listv_right", [] { return Icon(Tick); }},
    {"listv_file", [] { return Icon(File); }},
    {"listv_folder", [] { return Icon(Folder); }},
    {"listv_folderback", [] { return Icon(FolderBack); }},
    {"listv_migrate", [] { return Icon(Migrate); }},
    {"listv_stop", [] { return Icon(Stop); }},
};

}  // namespace
