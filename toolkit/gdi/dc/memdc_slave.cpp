// A screen-type DC on the surface of a second video device.
#include "gdi/dc/dc_attr.h"
#include "gdi/dc/memdc.h"
#include "gui/dc.h"

using namespace gui::dc;

extern "C" {

HDC InitSlaveScreen(const char* engineName, const char* mode) {
  DCRecordPtr dc = AllocDCRecord();
  if (!dc) return 0;
  GalSurface* surface = OpenSlaveVideo(engineName, mode);
  if (!surface) return 0;
  InitScreenDC(dc.get(), surface);
  return HandleOfDC(dc.release());
}

// Only a slave screen: never the static screen DC, a window or memory DC.
void TerminateSlaveScreen(HDC hdc) {
  if (hdc == HDC_SCREEN) return;
  DC* dc = DcFromHandle(hdc);
  if (!dc || dc == ScreenDC() || dc->dcType != kScreenDC) return;
  DropDCAlphaFormat(dc);
  EmptyClipRgn(&dc->localClip);
  EmptyClipRgn(&dc->effClip);
  if (dc->surface) CloseSlaveVideo(dc->surface->video);
  delete dc;
}

}  // extern "C"
