// The small pictures of list-view cells, from the layout's common window.
#include "app/control_services.h"
#include "gui/layout.h"

namespace {

ListViewBitmaps g_icons{};

const char* const kKeys[LISTVIEW_ICON_COUNT] = {
    "listv_bmp_play",   "listv_bmp_lock",       "listv_bmp_unlock", "listv_bmp_set",
    "listv_bmp_delete", "listv_bmp_nonsupport", "listv_bmp_right",  "listv_bmp_file",
    "listv_bmp_folder", "listv_bmp_folderback", "listv_bmp_migrate", "listv_bmp_stop"};

}  // namespace

extern "C" {

// The copies share the layout's pixels, which live until the layout is
// unloaded at shut-down.
int loadListViewBitmaps(void) {
  int loaded = 0;
  for (int i = 0; i < LISTVIEW_ICON_COUNT; ++i) {
    g_icons.icons[i] = Bitmap{};
    loaded += GetWinBitmap("commons", kKeys[i], &g_icons.icons[i]) ? 1 : 0;
  }
  return loaded;
}

const ListViewBitmaps* getListViewBitmaps(void) { return &g_icons; }

}  // extern "C"
