#include <cstring>
#include <functional>

#include "app/formatting.h"
#include "gui/desktop.h"
#include "gui/layout.h"
#include "services_test_helpers.h"

namespace services_test {
namespace {

constexpr WindowHandle kOwner = 0x1234;

struct Call {
  const char* name;
  std::function<int()> run;
  int result;          // with every text present (the box answers 6)
  const char* text;    // the box's text; null: no box
  uint32_t style;
  int missingResult;   // with the text's key missing
  bool boxWhenMissing;
};

std::vector<Call> Calls() {
  return {
      {"showMsgBox", [] { return showMsgBox(kOwner, "commons", "savefailed", 16); }, 6, "Saving failed!", 16, 0,
       false},
      {"askMsgBox", [] { return askMsgBox(kOwner, "commons", "shutdownhint"); }, 6, "Shut down the device?", 34,
       -1, false},
      {"askShutdown", [] { return askShutdown(kOwner); }, 6, "Shut down the device?", 34, -1, false},
      {"showMsgBoxNum", [] { return showMsgBoxNum(kOwner, "commons", "savefailed_code", -12); }, 6,
       "Saving failed, error code: -12", 16, 6, true},
      {"showRangeHint", [] { return showRangeHint(kOwner, "commons", "ok", 1, 99); }, 0,
       "OK is out of range (1-99)!", 64, 0, true},
      {"showPortRangeHint", [] { return showPortRangeHint(kOwner, 1, "commons", "ok"); }, 0,
       "OK is out of range (2000-65535)!", 64, 0, true},
      {"showNameHint", [] { return showNameHint(kOwner, "commons", "cancel"); }, 6,
       "Cancel is invalid, please enter it again!", 64, 6, true},
      {"showValidWantedHint", [] { return showValidWantedHint(kOwner, "commons", "yes"); }, 6,
       "Please enter a valid Yes!", 64, 6, true},
      {"showNoPermission", [] { return showNoPermission(kOwner); }, 6, "No permission!", 64, 0, false},
      {"showChanNotAvailable", [] { return showChanNotAvailable(kOwner); }, 0, "No channel available!", 64, 0,
       false},
      {"confirmMsgBox", [] { return confirmMsgBox(kOwner, "mainmenu", "tipinfo"); }, 1, "Select an item", 34, 0,
       false},
  };
}

// The key each call's text comes from, removed for its "missing" run.
const char* TextKey(const std::string& name) {
  if (name == "showMsgBox") return "savefailed";
  if (name == "askMsgBox" || name == "askShutdown") return "shutdownhint";
  if (name == "showMsgBoxNum") return "savefailed_code";
  if (name == "showRangeHint" || name == "showPortRangeHint") return "exceedrange_hint";
  if (name == "showNameHint") return "name_hint";
  if (name == "showValidWantedHint") return "validwanted";
  if (name == "showNoPermission") return "permission";
  if (name == "showChanNotAvailable") return "noavailablechan";
  return "tipinfo";
}

TEST_F(ServicesTest, EveryBoxIsTitledAndTextedFromTheLanguageFile) {
  LoadShippedLayout();
  Boxes().answer = 6;
  for (const Call& call : Calls()) {
    SCOPED_TRACE(call.name);
    EXPECT_EQ(call.run(), call.result);
    const auto boxes = Boxes().Take();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, kOwner);
    EXPECT_EQ(boxes[0].title, "Attention");
    EXPECT_EQ(boxes[0].text, call.text);
    EXPECT_EQ(boxes[0].type, call.style);
  }
}

TEST_F(ServicesTest, MissingTextsOpenNoQuestion) {
  for (const Call& call : Calls()) {
    SCOPED_TRACE(call.name);
    LoadShippedLayout({TextKey(call.name)});
    Boxes().answer = 6;
    EXPECT_EQ(call.run(), call.missingResult);
    const auto boxes = Boxes().Take();
    ASSERT_EQ(boxes.size(), call.boxWhenMissing ? 1u : 0u);
    if (call.boxWhenMissing) {
      EXPECT_EQ(boxes[0].text, "");
    }
  }
  // Without a title the text boxes and questions stay shut.
  LoadShippedLayout({"attention"});
  EXPECT_EQ(showMsgBoxText(kOwner, "x", 64), 0);
  EXPECT_EQ(askQuestionText(kOwner, "x"), -1);
  const ValueKeyRow rows[] = {{"ok", 1}};
  EXPECT_EQ(showMsgBoxValueName(kOwner, "commons", rows, 1, 1, 64), 0);
  EXPECT_TRUE(Boxes().Take().empty());
  EXPECT_EQ(showMsgBox(kOwner, "commons", "ok", 64), 6) << "the box opens untitled";
  EXPECT_EQ(Boxes().Take().at(0).title, "");
}

TEST_F(ServicesTest, RangeHintsReadFromTheFarEndRightToLeft) {
  LoadShippedLayout();
  changeCachedDeviceConfig([](DeviceConfig& config) { config.language = 31; });
  EXPECT_EQ(showRangeHint(kOwner, "commons", "ok", 1, 99), 0);
  EXPECT_EQ(Boxes().Take().at(0).text, "99 is out of range (1-OK)!");
  EXPECT_EQ(showRangeHint(kOwner, "commons", "ok", 10, 5), -1);
  EXPECT_EQ(showPortRangeHint(kOwner, 0, "commons", "nothere"), 0);
  EXPECT_EQ(Boxes().Take().at(0).text, "65535 is out of range (1-)!");
}

TEST_F(ServicesTest, ConfirmKeepsThePowerKeyFlagOnlyAfterYes) {
  LoadShippedLayout();
  for (int answer : {6, 7, 2}) {
    SetPowerKeyDownFlag(0);
    Boxes().answer = answer;
    EXPECT_EQ(confirmMsgBox(kOwner, "commons", "shutdownhint"), answer == 6 ? 1 : 0);
    EXPECT_EQ(GetPowerKeyDownFlag(), answer == 6 ? 1 : 0) << answer;
  }
  SetPowerKeyDownFlag(1);
  EXPECT_EQ(confirmMsgBox(kOwner, "commons", "nothere"), 0);
  EXPECT_EQ(GetPowerKeyDownFlag(), 0);
  SetPowerKeyDownFlag(1);
  showNoPermission(kOwner);
  EXPECT_EQ(GetPowerKeyDownFlag(), 0);
}

TEST_F(ServicesTest, NoChannelAtAllAsksForAnIpCamera) {
  LoadShippedLayout();
  device_seam::mutableAbility()->analogChanNum = 0;
  showChanNotAvailable(kOwner);
  EXPECT_EQ(Boxes().Take().at(0).text, "There is no channel, please add an IP camera first!");
}

// Every box text the services use stands in both layouts and languages.
TEST_F(ServicesTest, BoxTextsExistInEnglishAndChinese) {
  device_seam::mutableAbility()->videoOutputCount = 2;
  LoadShippedLayout();
  const std::pair<const char*, const char*> keys[] = {
      {"commons", "attention"},        {"commons", "permission"},   {"commons", "shutdownhint"},
      {"commons", "savefailed"},       {"commons", "savefailed_code"}, {"commons", "exceedrange_hint"},
      {"commons", "name_hint"},        {"commons", "validwanted"},  {"commons", "chan_not_sup"},
      {"commons", "getsettingshint"},  {"commons", "itemselect"},   {"mainmenu", "noavailablechan"},
      {"mainmenu", "addipc_hint"}};
  for (int language : {1, 2}) {
    UseLanguage(language);
    for (const auto& [section, key] : keys) {
      CtrlResInfo* main = nullptr;
      CtrlResInfo* aux = nullptr;
      ASSERT_TRUE(GetCtrlResInfo(section, key, &main)) << key;
      ASSERT_TRUE(GetCtrlResInfoAux(section, key, &aux)) << key;
      ASSERT_TRUE(main->caption && aux->caption) << key;
      EXPECT_GT(std::strlen(main->caption), 1u) << key;
      EXPECT_STREQ(main->caption, aux->caption) << key;
    }
    const char* code = lookupText("commons", "savefailed_code");
    EXPECT_NE(std::strstr(code, "%d"), nullptr) << language;
  }
}

}  // namespace
}  // namespace services_test
