#include "core/menu/popup_skin.h"

#include "gui/element.h"

namespace menu {
namespace {
const Bitmap* g_caption = nullptr;  // desktop thread only
}  // namespace

void ReloadCaptionSkin() { g_caption = GetStockBitmap("caption", -1, -1); }
const Bitmap* CaptionSkin() { return g_caption; }
const Bitmap* HighlightSkin() { return GetStockBitmap("rirur_menu", -1, -1); }

}  // namespace menu
