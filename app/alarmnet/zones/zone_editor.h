// The detection-zone editor of the motion and tamper pages, used on
// channels whose area capability is not a cell grid: rectangles in picture
// coordinates drawn, moved and resized with the mouse on the live picture.
// Each page owns one editor for its view; the page forwards its mouse,
// paint and zone-tool messages and loads and stores the zones of its own
// working record.
#ifndef APP_ALARMNET_ZONES_ZONE_EDITOR_H
#define APP_ALARMNET_ZONES_ZONE_EDITOR_H

#include <cstdint>
#include <memory>

#include "app/device_records.h"
#include "gui/common.h"

namespace zones {

struct ZoneEditorSetup {
  WindowHandle page = GUI_INVALID_HANDLE;  // invalidated on change; its Apply enabled
  Rect view{};                             // the live picture on the page
  int output = 0;                          // screen size and font height come from it
  AreaCaps caps{};
  int zoneCount = 0;       // zones edited: at most 4
  int firstToolId = 0;     // the tool of zone 1; zone n's is firstToolId + n - 1
  int clearAllId = 0;      // 0: no clear-all tool
  const char* section = nullptr;  // layout section of the tools' captions, else "zonecaptions"
  const char* addKey = nullptr;   // caption keys; "%d" takes the zone number
  const char* clearKey = nullptr;
  const int* colours = nullptr;   // zoneCount system pixel indexes
};

class ZoneEditor {
 public:
  virtual ~ZoneEditor() = default;
  // The zones stored at the start of `area` (six u16 each) become the
  // editor's rectangles; the tools' captions follow.
  virtual void load(const uint32_t* area) = 0;
  // Writes the rectangles back into `area` for `channel`.
  virtual void store(uint32_t* area, int channel) = 0;
  // Mouse messages of the page (MSG_LBUTTONDOWN, MSG_MOUSEMOVE, MSG_LBUTTONUP
  // and its stand-in); true when the editor took the message.
  virtual bool onMouse(int message, int x, int y) = 0;
  // A zone tool or clear-all; true when `id` is one of the editor's.
  virtual bool onTool(int id) = 0;
  virtual void paint(HDC hdc) = 0;
};

// The editor for a page, never null.
std::unique_ptr<ZoneEditor> makeZoneEditor(const ZoneEditorSetup& setup);

}  // namespace zones

#endif
