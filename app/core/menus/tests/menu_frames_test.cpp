// Every page a sub-menu opens lies inside the menu's frame, beside its
// column of items, in both layout files: a page over the column takes the
// clicks meant for the items, and one past the frame is cut off.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/config.h"

namespace {

struct Family {
  const char* menu;   // the menu's layout section
  const char* frame;  // its rectangle's key
  std::vector<const char*> pages;
};

const Family kFamilies[] = {
    {"recordmenu", "recordset_rect", {"scheduleset", "encodeset", "advrecordset", "holidayset"}},
    {"systemmenu",
     "systemset_rect",
     {"displayset", "netset", "alarmset", "rs232set", "previewset", "exceptionset", "userset"}},
    {"maintenancemenu",
     "maintenance_rect",
     {"systeminfo", "logsearch", "logexport", "configuration", "upgrade", "defaultset", "netda", "disk_smartinfo",
      "disk_detect"}},
    {"diskmenu", "diskmenu_rect", {"disk_base", "disk_advance"}},
    {"cameramenu", "cameramenu_rect", {"motionset", "videolossset", "videotamperset"}},
    {"manualmenu", "manual_rect", {"manualrecord", "manualsnapshot", "manualalarm"}},
};

struct Box {
  int x = 0, y = 0, w = 0, h = 0;
};

using Etc = std::unique_ptr<EtcFile, int (*)(EtcFile*)>;

bool Read(EtcFile* etc, const std::string& section, const std::string& key, Box* out) {
  return GetIntValueFromEtc(etc, section.c_str(), (key + "_x").c_str(), &out->x) == ETC_OK &&
         GetIntValueFromEtc(etc, section.c_str(), (key + "_y").c_str(), &out->y) == ETC_OK &&
         GetIntValueFromEtc(etc, section.c_str(), (key + "_w").c_str(), &out->w) == ETC_OK &&
         GetIntValueFromEtc(etc, section.c_str(), (key + "_h").c_str(), &out->h) == ETC_OK;
}

TEST(MenuFrames, EveryPageLiesInsideItsMenusFrameBesideTheColumn) {
  for (const char* file : {"../guiRes/rirurRes/conf/1024x768.cfg", "../guiRes/rirurRes/conf/720x576.cfg"}) {
    const Etc etc(LoadEtcFile(file), UnloadEtcFile);
    ASSERT_NE(etc, nullptr) << file;
    for (const Family& family : kFamilies) {
      Box frame, column;
      ASSERT_TRUE(Read(etc.get(), family.menu, family.frame, &frame)) << file << " " << family.menu;
      ASSERT_TRUE(Read(etc.get(), family.menu, "divline", &column)) << file << " " << family.menu;
      const int columnRight = frame.x + column.x + column.w;
      for (const char* page : family.pages) {
        Box p;
        ASSERT_TRUE(Read(etc.get(), page, std::string("win_") + page, &p)) << file << " " << page;
        SCOPED_TRACE(std::string(file) + " " + family.menu + " " + page);
        EXPECT_GE(p.x, columnRight) << "over the menu column";
        EXPECT_LE(p.x + p.w, frame.x + frame.w) << "past the frame's right";
        EXPECT_GE(p.y, frame.y) << "above the frame";
        EXPECT_LE(p.y + p.h, frame.y + frame.h) << "below the frame";
      }
    }
  }
}

}  // namespace
