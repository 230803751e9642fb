#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/registry/control_registry.h"
#include "core/element/system_res.h"
#include "core/window/window_record.h"
#include "gui/control_class.h"
#include "gui/element.h"

namespace {

LResult ProcA(WindowHandle, int, WParam, LParam) { return 1; }
LResult ProcB(WindowHandle, int, WParam, LParam) { return 2; }

WndClassInfo Info(const char* name) {
  WndClassInfo info{};
  info.className = name;
  info.style = 0x11;
  info.exStyle = 0x22;
  info.cursor = 7;
  info.backgroundColor = 0x00FF00;
  info.windowProc = ProcA;
  info.additionalData = 99;
  return info;
}

int Add(const char* name) {
  WndClassInfo info = Info(name);
  return AddNewControlClass(&info);
}

class ControlRegistryTest : public ::testing::Test {
 protected:
  // An empty registry: names of built-in classes stay free for the cases.
  void SetUp() override { ASSERT_TRUE(controls::RegisterControlClasses({})); }
  void TearDown() override { TerminateControlClass(); }
};

TEST_F(ControlRegistryTest, NamesAreCaseInsensitiveAndStoredUpperCased) {
  ASSERT_EQ(Add("button"), 0);
  EXPECT_EQ(Add("Button"), CONTROL_CLASS_INVALID);
  EXPECT_EQ(Add("BUTTON"), CONTROL_CLASS_INVALID);
  ControlClass* cls = FindControlClass("BUTTON");
  ASSERT_NE(cls, nullptr);
  EXPECT_EQ(FindControlClass("bUtToN"), cls);
  EXPECT_STREQ(cls->name, "BUTTON");
  EXPECT_EQ(cls->style, 0x11u);
  EXPECT_EQ(cls->exStyle, 0x22u);
  EXPECT_EQ(cls->cursor, 7u);
  EXPECT_EQ(cls->backgroundColor, 0x00FF00u);
  EXPECT_EQ(cls->windowProc, &ProcA);
  EXPECT_EQ(cls->additionalData, 99u);
  EXPECT_EQ(cls->usageCount, 0);
  EXPECT_EQ(FindControlClass("buttons"), nullptr);
}

TEST_F(ControlRegistryTest, NamesHaveAtMostFifteenCharactersAndStartWithALetter) {
  EXPECT_EQ(Add("abcdefghijklmno"), 0) << "15 characters";
  EXPECT_EQ(Add("abcdefghijklmnop"), CONTROL_CLASS_NAME_TOO_LONG) << "16 characters";
  EXPECT_EQ(Add("9lives"), CONTROL_CLASS_INVALID);
  EXPECT_EQ(Add("_under"), CONTROL_CLASS_INVALID);
  EXPECT_EQ(Add(""), CONTROL_CLASS_INVALID);
  EXPECT_EQ(Add("1234567890123456"), CONTROL_CLASS_INVALID) << "the first letter is checked first";
  EXPECT_EQ(Add(nullptr), CONTROL_CLASS_INVALID);
  EXPECT_EQ(AddNewControlClass(nullptr), CONTROL_CLASS_INVALID);
  EXPECT_EQ(FindControlClass("9lives"), nullptr);
  EXPECT_EQ(FindControlClass(""), nullptr);
  EXPECT_EQ(FindControlClass(nullptr), nullptr);
  // A lookup reads only the first 15 characters.
  EXPECT_NE(FindControlClass("ABCDEFGHIJKLMNOXYZ"), nullptr);
}

TEST_F(ControlRegistryTest, ClassesOfOneLetterShareAListInRegistrationOrder) {
  const std::vector<std::string> names = {"static", "sledit", "segrate", "scrollview", "scrollwnd", "spintime"};
  for (const auto& name : names) ASSERT_EQ(Add(name.c_str()), 0) << name;
  ControlClass* walk = FindControlClass("static");
  for (const auto& name : names) {
    ASSERT_NE(walk, nullptr);
    EXPECT_EQ(walk, FindControlClass(name.c_str())) << name;
    walk = walk->next;
  }
  EXPECT_EQ(walk, nullptr);

  ASSERT_EQ(DeleteControlClass("SEGRATE"), 0);
  EXPECT_EQ(FindControlClass("sledit")->next, FindControlClass("scrollview")) << "the list closes the gap";
  EXPECT_EQ(FindControlClass("segrate"), nullptr);
}

TEST_F(ControlRegistryTest, DeleteRefusesUnknownNamesAndClassesInUse) {
  ASSERT_EQ(Add("edit"), 0);
  EXPECT_EQ(DeleteControlClass("nothing"), CONTROL_CLASS_INVALID);
  EXPECT_EQ(DeleteControlClass("1edit"), CONTROL_CLASS_INVALID);
  EXPECT_EQ(DeleteControlClass(nullptr), CONTROL_CLASS_INVALID);
  ControlClass* cls = FindControlClass("edit");
  ++cls->usageCount;  // what the desktop does when a control is created
  EXPECT_EQ(DeleteControlClass("edit"), CONTROL_CLASS_INVALID);
  --cls->usageCount;
  EXPECT_EQ(DeleteControlClass("Edit"), 0);
  EXPECT_EQ(FindControlClass("edit"), nullptr);
  EXPECT_EQ(Add("edit"), 0) << "the name is free again";
}

TEST_F(ControlRegistryTest, InfoOperationCopiesOnlyTheMaskedFields) {
  ASSERT_EQ(Add("listbox"), 0);
  WndClassInfo read{};
  read.className = "LISTBOX";
  read.opMask = CLASS_INFO_STYLE | CLASS_INFO_PROCEDURE;
  read.cursor = 1234;
  read.backgroundColor = 5;
  read.additionalData = 6;
  ASSERT_EQ(ControlClassInfoOp(CLASS_INFO_READ, &read), 0);
  EXPECT_EQ(read.style, 0x11u);
  EXPECT_EQ(read.exStyle, 0x22u);
  EXPECT_EQ(read.windowProc, &ProcA);
  EXPECT_EQ(read.cursor, 1234u);
  EXPECT_EQ(read.backgroundColor, 5u);
  EXPECT_EQ(read.additionalData, 6u);

  WndClassInfo write{};
  write.className = "listbox";
  write.opMask = CLASS_INFO_BACKGROUND | CLASS_INFO_ADDITIONAL_DATA | CLASS_INFO_CURSOR;
  write.backgroundColor = 0xABCDEF;
  write.additionalData = 42;
  write.cursor = 3;
  write.windowProc = ProcB;
  ASSERT_EQ(ControlClassInfoOp(CLASS_INFO_WRITE, &write), 0);
  ControlClass* cls = FindControlClass("listbox");
  EXPECT_EQ(cls->backgroundColor, 0xABCDEFu);
  EXPECT_EQ(cls->additionalData, 42u);
  EXPECT_EQ(cls->cursor, 3u);
  EXPECT_EQ(cls->windowProc, &ProcA) << "not in the mask";
  EXPECT_EQ(cls->style, 0x11u);

  write.className = "combobox";
  EXPECT_EQ(ControlClassInfoOp(CLASS_INFO_READ, &write), CONTROL_CLASS_INVALID);
  EXPECT_EQ(ControlClassInfoOp(CLASS_INFO_READ, nullptr), CONTROL_CLASS_INVALID);
}

TEST_F(ControlRegistryTest, InitEmptiesTheRegistryRegistersTheBuiltInsAndTerminateFreesIt) {
  uint32_t pixels[33 * 11] = {};
  Bitmap mark{};  // the list box registers only with its check-mark skin
  mark.bmBitsPerPixel = 32, mark.bmBytesPerPixel = 4, mark.bmWidth = 33, mark.bmHeight = 11, mark.bmPitch = 33 * 4;
  mark.bmBits = reinterpret_cast<uint8_t*>(pixels);
  PutStockBitmapForTest("checkmark", false, mark);
  ASSERT_EQ(Add("gadget"), 0);
  // The menu button registers only with its arrow skin.
  EXPECT_FALSE(InitControlClass());
  EXPECT_EQ(FindControlClass("menubutton"), nullptr);
  EXPECT_EQ(FindControlClass("propsheet"), nullptr) << "registration stops at the first failure";
  std::vector<uint32_t> arrowPixels(16 * 32);
  Bitmap arrow{};
  arrow.bmBitsPerPixel = 32, arrow.bmBytesPerPixel = 4, arrow.bmWidth = 16, arrow.bmHeight = 32, arrow.bmPitch = 64;
  arrow.bmBits = reinterpret_cast<uint8_t*>(arrowPixels.data());
  PutStockBitmapForTest("downarrow", false, arrow);
  const bool started = InitControlClass();
  PutStockBitmapForTest("downarrow", false, Bitmap{});
  PutStockBitmapForTest("checkmark", false, Bitmap{});
  ASSERT_TRUE(started);
  EXPECT_EQ(FindControlClass("gadget"), nullptr);
  for (const char* name : {"static", "button", "sledit", "progressbar", "listbox", "menubutton", "segrate", "combobox",
                           "ipedit", "combine", "propsheet"}) {
    ControlClass* cls = FindControlClass(name);
    ASSERT_NE(cls, nullptr) << name;
    EXPECT_EQ(cls->usageCount, 0);
    EXPECT_EQ(cls->style | cls->exStyle | cls->cursor | cls->additionalData, 0u) << name;
  }
  EXPECT_EQ(FindControlClass("static")->backgroundColor, WinElementColors[WEC_BKC_CONTROL_NORMAL]);
  EXPECT_EQ(FindControlClass("propsheet")->backgroundColor, WinElementColors[WEC_BKC_CONTROL_SELECTED]);
  EXPECT_EQ(FindControlClass("listbox")->backgroundColor, szExtraColors[47]);
  EXPECT_EQ(FindControlClass("combine")->backgroundColor, WinElementColors[WEC_BKC_CONTROL_DISABLED]);
  EXPECT_EQ(Add("Button"), CONTROL_CLASS_INVALID) << "taken by the built-in class";
  TerminateControlClass();
  EXPECT_EQ(FindControlClass("static"), nullptr);
}

int g_calls = 0;
BOOL RegisterContainer() {
  ++g_calls;
  return Add("container") == 0;
}
BOOL RegisterScrollWndAfterContainer() {
  ++g_calls;
  if (FindControlClass("container") == nullptr) return FALSE;
  return Add("scrollwnd") == 0;
}
BOOL Fail() {
  ++g_calls;
  return FALSE;
}

TEST_F(ControlRegistryTest, RegistrationStopsAtTheFirstFailure) {
  g_calls = 0;
  EXPECT_TRUE(controls::RegisterControlClasses({RegisterContainer, RegisterScrollWndAfterContainer}));
  EXPECT_NE(FindControlClass("scrollwnd"), nullptr);

  g_calls = 0;
  EXPECT_FALSE(controls::RegisterControlClasses({RegisterContainer, Fail, RegisterScrollWndAfterContainer}));
  EXPECT_EQ(g_calls, 2);
  EXPECT_NE(FindControlClass("container"), nullptr);
  EXPECT_EQ(FindControlClass("scrollwnd"), nullptr) << "later classes stay unregistered";

  EXPECT_FALSE(controls::RegisterControlClasses({RegisterContainer, RegisterContainer})) << "a duplicate fails";
}

TEST(ControlRecords, OnlyControlsAreControlsAndOnlyWindowsTakeExStyles) {
  ControlRecord control;
  control.windowType = kWindowControl;
  MainWinRecord main;
  WindowRecord other;
  other.windowType = 5;
  EXPECT_EQ(GetControlPtr(HandleOf(&control)), &control);
  EXPECT_EQ(GetControlPtr(HandleOf(&main)), nullptr);
  EXPECT_EQ(GetControlPtr(0), nullptr);
  EXPECT_EQ(GetControlPtr(GUI_INVALID_HANDLE), nullptr);

  EXPECT_TRUE(SetWindowExStyle(HandleOf(&control), 0x40));
  EXPECT_TRUE(SetWindowExStyle(HandleOf(&main), 0x80));
  EXPECT_FALSE(SetWindowExStyle(HandleOf(&other), 0x80));
  EXPECT_FALSE(SetWindowExStyle(0, 0x80));
  EXPECT_EQ(control.exStyle, 0x40u);
  EXPECT_EQ(main.exStyle, 0x80u);
  EXPECT_EQ(other.exStyle, 0u);
}

}  // namespace
