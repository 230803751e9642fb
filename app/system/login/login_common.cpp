// The layout, template and background both login dialogs use.
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/liveview_dialogs.h"
#include "app/page_colours.h"
#include "app/system/login/login.h"
#include "gui/bitmap.h"
#include "gui/dc.h"
#include "gui/nonclient.h"
#include "gui/window.h"

namespace login {
namespace {

struct TopStrip {
  Bitmap picture{};
  bool loaded = false;
};
TopStrip g_strip;

bool mainLayout() { return getCurOutput() == getMainOutput(); }

}  // namespace

const CtrlResInfo* record(const char* section, const char* key) {
  CtrlResInfo* r = nullptr;
  const BOOL found = mainLayout() ? GetCtrlResInfo(section, key, &r) : GetCtrlResInfoAux(section, key, &r);
  return found ? r : nullptr;
}

DlgTemplate centredTemplate(const char* section, const char* rectKey) {
  DlgTemplate tmpl{};
  tmpl.dwStyle = WS_VISIBLE | WS_CAPTION | WS_BORDER;
  tmpl.dwExStyle = WS_EX_NOCLOSEBOX;
  tmpl.caption = "";
  const CtrlResInfo* r = record(section, rectKey);
  if (!r) return tmpl;
  const int output = getCurOutput();
  tmpl.caption = r->caption ? r->caption : "";
  tmpl.w = r->w;
  tmpl.h = r->h;
  // In 64 bits: a hostile record size must not wrap the centring.
  tmpl.x = static_cast<int32_t>((static_cast<int64_t>(getScreenWidth(output)) - r->w) / 2);
  tmpl.y = static_cast<int32_t>((static_cast<int64_t>(getScreenHeight(output)) - r->h) / 2);
  return tmpl;
}

WindowHandle createControl(WindowHandle dlg, const char* section, const char* cls, const char* key, uint32_t style,
                           uint32_t exStyle, int id, bool labelled) {
  const CtrlResInfo* r = record(section, key);
  if (!r) return 0;
  const char* caption = r->caption ? r->caption : "";
  if (labelled) return createLabeledCtrl(cls, caption, style, exStyle, id, r->x, r->y, r->w, r->h, dlg, 0);
  return CreateWindowEx(cls, caption, style, exStyle, id, r->x, r->y, r->w, r->h, dlg, 0);
}

void loadTopStrip() {
  g_strip.loaded = (mainLayout() ? GetWinBitmap("mainmenu", "mainmenu_topmiddle_bmp", &g_strip.picture)
                                 : GetWinBitmapAux("mainmenu", "mainmenu_topmiddle_bmp", &g_strip.picture)) != 0;
}

void paintBackground(WindowHandle dlg, WParam hdc, LParam rect) {
  liveview_dialogs::eraseWith(dlg, hdc, rect, [](HDC dc, const Rect& c) {
    const int w = c.right - c.left, h = c.bottom - c.top;
    fillColour(dc, page_colours::kPageBackground, 0, 0, w, h);
    if (g_strip.loaded) FillBoxWithBitmap(dc, 0, 0, w, static_cast<int>(g_strip.picture.bmHeight), &g_strip.picture);
    if (const CtrlResInfo* band = record("mainmenu", "tipinfo"))
      fillColour(dc, page_colours::kTipBand, 0, h - band->h, w, band->h);
  });
}

}  // namespace login
