// Stand-ins for the event sources not built yet: each getter answers a
// zeroed record, and free zones draw nothing and ignore the mouse.
#include "app/alarmnet/events/event_sources.h"
#include "app/alarmnet/zones/zone_editor.h"

namespace {

ChannelConfig gVideoLoss{};
ChannelConfig gTamper{};

}  // namespace

extern "C" {

ChannelConfig* getVideoLossParam(void) { return &gVideoLoss; }
ChannelConfig* getTamperParam(void) { return &gTamper; }

}  // extern "C"

namespace zones {
namespace {

class InertZoneEditor final : public ZoneEditor {
 public:
  void load(const uint32_t*) override {}
  void store(uint32_t*, int) override {}
  bool onMouse(int, int, int) override { return false; }
  bool onTool(int) override { return false; }
  void paint(HDC) override {}
};

}  // namespace

std::unique_ptr<ZoneEditor> makeZoneEditor(const ZoneEditorSetup&) { return std::make_unique<InertZoneEditor>(); }

}  // namespace zones
