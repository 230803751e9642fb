// Every registered control class, in a style the input picks, on a main
// window: sent a random sequence of its own messages and of the input
// messages with random and edge arguments, then destroyed. A parameter that
// carries a pointer gets null or a real buffer (text, output buffer or
// zeroed record); its size partner gets any value, 2^31 and up included.
//
// Input: byte 0 picks the class, bytes 1-4 the style, then up to 40 bytes of
// caption ended by a zero; then steps of [message pick][argument kind byte]
// [8 bytes wParam][8 bytes lParam], a text following a step that takes one.
// CONTROL_FUZZ_TRACE=1 prints each message as it is sent.
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "fuzz_setup.h"
#include "gui/button.h"
#include "gui/combine.h"
#include "gui/combobox.h"
#include "gui/control_tip.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/listbox.h"
#include "gui/listview.h"
#include "gui/menubutton.h"
#include "gui/monthcal.h"
#include "gui/newtoolbar.h"
#include "gui/progressbar.h"
#include "gui/propsheet.h"
#include "gui/scrolled.h"
#include "gui/scrollwnd.h"
#include "gui/segrate.h"
#include "gui/startup.h"
#include "gui/static.h"
#include "gui/timespin.h"
#include "gui/toolbar.h"
#include "gui/trackbar.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

// What a message parameter carries.
enum Kind : uint8_t {
  I,  // a number
  T,  // a text to read, or null
  B,  // a buffer to write, its size in the other parameter, or null
  R,  // a zeroed record to read or fill, or null
  S,  // a text, or a record whose first field points at one (by style), or null
  N,  // a pointer the fuzzer cannot make (procedure, bitmap, window): null
};

struct Msg {
  int id;
  Kind w, l;
};

// The single-line edit's own messages beyond the public ones.
constexpr int kSlSetRange = 0xF0CD, kSlGetSelected = 0xF0B0, kSlSelectTo = 0xF0B1, kSlGetAnchor = 0xF0B3;
constexpr int kSlGetLimit = 0xF0C3;
constexpr int kSlSetTip = 0xF0DE, kSlGetTip = 0xF0DF;

// Messages every class is sent: the window messages controls answer, and
// the input messages MSG_LBUTTONDOWN..MSG_MOUSEWHEELUP (the mouse),
// MSG_KEYDOWN, MSG_CHAR and MSG_SYSCHAR (keys) and MSG_COMMAND.
const std::vector<Msg> kCommon = {
    {MSG_SETTEXT, I, T},      {MSG_GETTEXT, I, B},       {MSG_GETTEXTLENGTH, I, I}, {MSG_ENABLE, I, I},
    {MSG_TIPQUERY, I, I},     {MSG_TIPTEXT, R, I},       {MSG_GETDLGCODE, I, I},    {MSG_FONTCHANGED, I, I},
    {MSG_SETFOCUS, N, I},     {MSG_KILLFOCUS, N, I},     {MSG_PAINT, I, I},         {MSG_SIZECHANGED, R, R},
    {MSG_FIRSTMOUSE + 0, I, I}, {MSG_FIRSTMOUSE + 1, I, I}, {MSG_FIRSTMOUSE + 2, I, I}, {MSG_MOUSEMOVE, I, I},
    {MSG_FIRSTMOUSE + 4, I, I}, {MSG_FIRSTMOUSE + 5, I, I}, {MSG_FIRSTMOUSE + 6, I, I}, {MSG_FIRSTMOUSE + 7, I, I},
    {MSG_FIRSTMOUSE + 8, I, I}, {MSG_KEYDOWN, I, I},       {MSG_CHAR, I, I},          {MSG_KEYDOWN + 4, I, I},  // 22
    {MSG_COMMAND, I, I},
};

const std::vector<Msg> kStatic = {{STM_SETIMAGE, N, I}, {STM_GETIMAGE, I, I}};
const std::vector<Msg> kButton = {{BM_GETSTATE, I, I}, {BM_SETSTATE, I, I}, {BM_SETSTYLE, I, I},
                                  {BM_CLICK, I, I},    {BM_GETIMAGE, R, I}, {BM_SETIMAGE, N, N}};
const std::vector<Msg> kEdit = {{EM_GETCARETPOS, R, R}, {EM_SETCARETPOS, I, I},     {EM_LIMITTEXT, I, I},
                                {EM_SETPASSWORDCHAR, I, I}, {EM_SETREADONLY, I, I}, {EM_GETPASSWORDCHAR, I, I}};
const std::vector<Msg> kSledit = {{EM_GETCARETPOS, R, R},  {EM_SETCARETPOS, I, I},  {EM_LIMITTEXT, I, I},
                                  {EM_SETPASSWORDCHAR, I, I}, {EM_SETREADONLY, I, I}, {EM_GETPASSWORDCHAR, I, I},
                                  {kSlGetSelected, I, B},  {kSlSelectTo, I, I},     {kSlGetAnchor, R, R},
                                  {kSlGetLimit, I, I},     {kSlSetRange, I, I},     {kSlSetTip, I, T},
                                  {kSlGetTip, I, B}};
const std::vector<Msg> kProgress = {
    {PBM_SETRANGE, I, I}, {PBM_SETSTEP, I, I}, {PBM_SETPOS, I, I}, {PBM_DELTAPOS, I, I}, {PBM_STEPIT, I, I}};
const std::vector<Msg> kListBox = {
    {LB_ADDSTRING, I, S},      {LB_INSERTSTRING, I, S},   {LB_DELETESTRING, I, I}, {LB_RESETCONTENT, I, I},
    {LB_SETSEL, I, I},         {LB_SETCURSEL, I, I},      {LB_GETSEL, I, I},       {LB_GETCURSEL, I, I},
    {LB_GETTEXT, I, B},        {LB_GETTEXTLEN, I, I},     {LB_GETCOUNT, I, I},     {LB_GETTOPINDEX, I, I},
    {LB_FINDSTRING, I, T},     {LB_GETSELCOUNT, I, I},    {LB_GETSELITEMS, I, B},  {LB_SETTOPINDEX, I, I},
    {LB_GETITEMRECT, I, R},    {LB_GETITEMADDDATA, I, R}, {LB_SETITEMADDDATA, I, R}, {LB_SETCARETINDEX, I, I},
    {LB_GETCARETINDEX, I, I},  {LB_SETITEMHEIGHT, I, I},  {LB_GETITEMHEIGHT, I, I}, {LB_FINDSTRINGEXACT, I, T},
    {LB_SETTEXT, I, S},        {LB_GETCHECKMARK, I, I},   {LB_SETCHECKMARK, I, I}, {LB_GETITEMDATA, I, I},
    {LB_SETITEMDATA, I, I},    {LB_SETSTRCMPFUNC, I, N},  {LB_ADDDISABLED, I, S},  {LB_ADDALL, I, S},
    {LB_ADDSTYLE2, I, S},      {LB_GETSELVALUE, I, I},    {LB_SELECTVALUE, I, I},  {LB_ADDSTYLE3, I, S},
    {LB_ADDSTYLE4, I, S},      {LB_RESETALL, I, I}};
const std::vector<Msg> kToolBar = {{TOOLBAR_ADDITEM, I, R}};
const std::vector<Msg> kNewToolBar = {{NTBM_ADDITEM, I, R}, {NTBM_GETITEM, I, R}, {NTBM_SETITEM, I, R},
                                      {NTBM_ENABLEITEM, I, I}, {NTBM_SETBITMAP, N, N}};
const std::vector<Msg> kMenuButton = {{MBM_ADDITEM, I, R},     {MBM_DELITEM, I, I},     {MBM_RESETCTRL, I, I},
                                      {MBM_SETITEMDATA, I, R}, {MBM_GETITEMDATA, I, R}, {MBM_GETCURITEM, I, I},
                                      {MBM_SETCURITEM, I, I},  {MBM_SETSTRCMPFUNC, I, N}};
const std::vector<Msg> kTrackBar = {
    {TBM_SETRANGE, I, I},    {TBM_GETMIN, I, I},      {TBM_SETPOS, I, I},      {TBM_GETPOS, I, I},
    {TBM_SETLINESIZE, I, I}, {TBM_GETLINESIZE, I, I}, {TBM_SETPAGESIZE, I, I}, {TBM_GETPAGESIZE, I, I},
    {TBM_SETTIP, T, T},      {TBM_SETTIME, T, I},     {TBM_GETTIP, B, B},      {TBM_SETZOOM, I, I},
    {TBM_GETZOOM, I, I},     {TBM_SETMIN, I, I},      {TBM_SETMAX, I, I},      {TBM_GETMAX, I, I},
    {TBM_GETTIME, B, B},     {TBM_SETZOOMTEXT, T, T}};
const std::vector<Msg> kSegRate = {
    {SRM_SETCOUNT, I, I}, {SRM_SETRANGE, I, I}, {SRM_SETVALUE, I, I}, {SRM_SETCOLOR, I, I}, {SRM_GETVALUE, I, I}};
// CB_SPIN shares its number with CB_ADDALL, whose text it stands for here.
const std::vector<Msg> kComboBox = {
    {CB_GETCHILDREN, R, R},     {CB_SETSPINFORMAT, I, T},  {CB_SETSPINRANGE, I, I},   {CB_GETSPINRANGE, R, R},
    {CB_SETSPINVALUE, I, I},    {CB_GETSPINVALUE, I, I},   {CB_SETSPINPACE, I, I},    {CB_GETSPINPACE, R, R},
    {CB_FASTSPIN, I, I},       {CB_CLEARSPIN, I, I},      {CB_GETEDITSEL, R, R},
    {CB_LIMITTEXT, I, I},       {CB_SETEDITSEL, I, I},     {CB_ADDSTRING, I, S},      {CB_DELETESTRING, I, I},
    {CB_DIR, I, T},             {CB_GETCOUNT, I, I},       {CB_GETCURSEL, I, I},      {CB_GETLBTEXT, I, B},
    {CB_GETLBTEXTLEN, I, I},    {CB_INSERTSTRING, I, S},   {CB_RESETCONTENT, I, I},   {CB_FINDSTRING, I, T},
    {CB_SELECTSTRING, I, T},    {CB_SETCURSEL, I, I},      {CB_GETITEMDATA, I, I},    {CB_SETITEMDATA, I, I},
    {CB_GETDROPPEDCONTROLRECT, I, R}, {CB_SETITEMHEIGHT, I, I}, {CB_GETITEMHEIGHT, I, I}, {CB_GETDROPPEDSTATE, I, I},
    {CB_FINDSTRINGEXACT, I, T}, {CB_ADDALL, I, S},         {CB_ADDSTYLE2, I, S},      {CB_ADDSTYLE3, I, S},
    {CB_ADDSTYLE4, I, S},       {CB_SETSTRCMPFUNC, I, N},  {CB_GETSELVALUE, I, I},    {CB_SELECTVALUE, I, I},
    {CB_DELETEALL, I, I},       {CB_DELETECURRENT, I, I},  {CB_ADDDISABLED, I, S},    {CB_GETYEAR, I, I},
    {CB_GETMONTH, I, I},        {CB_GETDAY, I, I},         {CB_SETYEAR, I, I},        {CB_SETMONTH, I, I},
    {CB_SETDAY, I, I},          {CB_SETDATEKIND, I, I},    {CB_SETYEARRANGE, I, I},   {CB_SETTODAY, I, I},
    {CB_SETFIELDCOUNT, I, I},   {CB_GETFIELD, I, I},       {CB_SETFIELD, I, I},       {CB_SETSEPARATORS, I, I},
    {CB_SETFIELDRANGE1, I, I},  {CB_SETFIELDRANGE2, I, I}, {CB_SETFIELDRANGE3, I, I}, {CB_SETFIELDRANGE4, I, I}};
const std::vector<Msg> kCombine = {
    {CMB_GETCHILD, I, R},      {CMB_ADDSTRING, I, T},     {CMB_SETVALUE, I, I},      {CMB_SETCAPTION, I, T},
    {CMB_GETVALUE, I, I},      {CMB_GETCAPTION, I, B},    {CMB_GETSELVALUE, I, I},   {CMB_DELETEALL, I, I},
    {CMB_DELETESTRING, I, I},  {CMB_DELETECURRENT, I, I}, {CMB_SETVALUETEXT, I, T},  {CMB_GETTEXT, I, B},
    {CMB_SETHILITE, I, I},     {CMB_GETHILITE, I, I}};
const std::vector<Msg> kPropSheet = {
    {PSM_GETACTIVEPAGE, I, I}, {PSM_SETACTIVEINDEX, I, I}, {PSM_GETPAGE, I, I},    {PSM_GETACTIVEINDEX, I, I},
    {PSM_GETPAGEINDEX, N, I},  {PSM_GETPAGECOUNT, I, I},   {PSM_GETTITLELENGTH, I, I}, {PSM_GETTITLE, I, B},
    {PSM_SETTITLE, I, T},      {PSM_ENABLEPAGE, I, I},     {PSM_ADDPAGE, N, N},    {PSM_REMOVEPAGE, I, I},
    {PSM_SHEETCMD, I, I}};
const std::vector<Msg> kScrollView = {
    {SVM_ADDITEM, R, R},          {SVM_DELITEM, I, N},          {SVM_SETITEMDRAW, I, N},
    {SVM_SETCONTWIDTH, I, I},     {SVM_SETCONTHEIGHT, I, I},    {SVM_RESETCONTENT, I, I},
    {SVM_SETITEMOPS, I, N},       {SVM_GETMARGINS, I, R},       {SVM_SETMARGINS, I, R},
    {SVM_GETLEFTMARGIN, I, I},    {SVM_GETTOPMARGIN, I, I},     {SVM_GETRIGHTMARGIN, I, I},
    {SVM_GETBOTTOMMARGIN, I, I},  {SVM_GETVISIBLEWIDTH, I, I},  {SVM_GETVISIBLEHEIGHT, I, I},
    {SVM_GETCONTWIDTH, I, I},     {SVM_GETCONTHEIGHT, I, I},    {SVM_SETCONTRANGE, I, I},
    {SVM_GETCONTENTX, I, I},      {SVM_GETCONTENTY, I, I},      {SVM_SETCONTPOS, I, I},
    {SVM_GETCURSEL, I, I},        {SVM_SELECTITEM, I, I},       {SVM_SHOWITEM, I, N},
    {SVM_CHOOSEITEM, I, N},       {SVM_SETCURSEL, I, I},        {SVM_SETITEMINIT, I, N},
    {SVM_SETITEMDESTROY, I, N},   {SVM_SETITEMCMP, I, N},       {SVM_MAKEPOSVISIBLE, I, I},
    {SVM_GETHSCROLLVAL, I, I},    {SVM_GETVSCROLLVAL, I, I},    {SVM_GETHSCROLLPAGEVAL, I, I},
    {SVM_GETVSCROLLPAGEVAL, I, I}, {SVM_SETSCROLLVAL, I, I},    {SVM_SETSCROLLPAGEVAL, I, I},
    {SVM_SORTITEMS, I, N},        {SVM_GETITEMCOUNT, I, I},     {SVM_GETITEMADDDATA, I, N},
    {SVM_SETITEMADDDATA, I, I},   {SVM_REFRESHITEM, I, N},      {SVM_SETITEMHEIGHT, I, I}};
const std::vector<Msg> kScrollWnd = {
    {SVM_ADDCTRLS, I, N},        {SVM_GETCTRL, I, I},          {SVM_SETCONTAINERPROC, I, N},
    {SVM_GETFOCUSCHILD, I, I},   {SVM_SETCONTWIDTH, I, I},     {SVM_SETCONTHEIGHT, I, I},
    {SVM_GETMARGINS, I, R},      {SVM_SETMARGINS, I, R},       {SVM_GETVISIBLEWIDTH, I, I},
    {SVM_GETVISIBLEHEIGHT, I, I}, {SVM_SETCONTRANGE, I, I},    {SVM_SETCONTPOS, I, I},
    {SVM_MAKEPOSVISIBLE, I, I},  {SVM_SETSCROLLVAL, I, I},     {SVM_SETSCROLLPAGEVAL, I, I}};
const std::vector<Msg> kTimeSpin = {{TSM_LINESTEP, I, I}, {TSM_PAGESTEP, I, I}, {TSM_WRITEBACK, I, I}};
const std::vector<Msg> kMonthCal = {
    {MCM_SETDATEKIND, I, I},   {MCM_GETDAY, I, I},          {MCM_GETMONTH, I, I},       {MCM_GETYEAR, I, I},
    {MCM_GETWEEKDAY, I, I},    {MCM_GETMONTHDAYS, I, I},    {MCM_SETDAY, I, I},         {MCM_SETMONTH, I, I},
    {MCM_SETYEAR, I, I},       {MCM_SETTODAY, I, I},        {MCM_GETFIRSTWEEKDAY, I, I}, {MCM_GETCURDATE, I, R},
    {MCM_GETTODAY, I, R},      {MCM_GETMINWIDTH, I, I},     {MCM_GETMINHEIGHT, I, I},   {MCM_SETCURDATE, I, R},
    {MCM_SETCOLOR, I, R},      {MCM_GETCOLOR, I, R},        {MCM_SETDAYCOLOR, I, I},    {MCM_CLEARDAYCOLORS, I, I},
    {MCM_GETDAYSOFMONTH, I, I}, {MCM_SETYEARRANGE, I, I},   {MCM_GETYEARRANGE, R, R},   {MCM_GETFOCUSPART, I, I},
    {MCM_SETFOCUSPART, I, I}};
const std::vector<Msg> kListView = {
    {LVM_ADDITEM, N, R},         {LVM_FILLSUBITEM, N, R},      {LVM_ADDCOLUMN, I, R},     {LVM_DELITEM, I, N},
    {LVM_DELCOLUMN, I, I},       {LVM_COLSORT, I, I},          {LVM_SETSUBITEMCOLOR, N, R}, {LVM_FINDITEM, N, R},
    {LVM_GETSUBITEMTEXT, N, R},  {LVM_GETITEMCOUNT, I, I},     {LVM_GETCOLUMNCOUNT, I, I}, {LVM_GETSELECTEDITEM, I, R},
    {LVM_DELALLITEM, I, I},      {LVM_MODIFYHEAD, I, R},       {LVM_SELECTITEM, I, N},    {LVM_SHOWITEM, I, N},
    {LVM_GETSUBITEMLEN, N, R},   {LVM_SETCOLUMN, I, R},        {LVM_SETSUBITEMTEXT, N, R}, {LVM_SETSUBITEM, N, R},
    {LVM_GETCOLUMN, I, R},       {LVM_GETCOLUMNWIDTH, I, I},   {LVM_GETITEM, N, R},       {LVM_GETCHECKED, I, N},
    {LVM_SETCHECKED, I, N},      {LVM_SETUNCHECKED, I, N},     {LVM_SETCARET, I, I},      {LVM_GETCARET, R, R},
    {LVM_GETITEMBYINDEX, I, I},  {LVM_DISABLEITEM, I, N},      {LVM_ENABLEITEM, I, N},    {LVM_SORTITEMS, I, N},
    {LVM_SETITEMHEIGHT, N, I},   {LVM_SETHEADHEIGHT, I, I},    {LVM_GETITEMADDDATA, I, N}, {LVM_SETITEMADDDATA, N, I},
    {LVM_CHOOSEITEM, I, N},      {LVM_STOPREDRAW, I, I},       {LVM_STARTREDRAW, I, I},   {LVM_GETCHECKEDBYKEY, I, I},
    {LVM_SETCHECKEDBYKEY, I, I}, {LVM_SETUNCHECKEDBYKEY, I, I}, {LVM_SETSTRCMPFUNC, I, N}, {LVM_GETRELATEDITEM, I, N},
    {LVM_FOLDITEM, I, N},        {LVM_SETCUSTOMDRAW, I, N},    {LVM_GETITEMKEY, I, N},    {LVM_SETHEADCHECK, I, I},
    {LVM_SETCHECKALLLOCKA, I, I}, {LVM_VSCROLL, I, I},         {LVM_TOGGLECHECKALL, I, I}, {LVM_SETCHECKALLLOCKB, I, I}};
const std::vector<Msg> kNone = {};

struct ClassPlan {
  const char* name;
  const std::vector<Msg>* own;
};

const ClassPlan kClasses[] = {
    {"static", &kStatic},         {"button", &kButton},       {"edit", &kEdit},
    {"sledit", &kSledit},         {"progressbar", &kProgress}, {"listbox", &kListBox},
    {"toolbar", &kToolBar},       {"newtoolbar", &kNewToolBar}, {"menubutton", &kMenuButton},
    {"trackbar", &kTrackBar},     {"segrate", &kSegRate},     {"combobox", &kComboBox},
    {"ipedit", &kSledit},         {"combine", &kCombine},     {"propsheet", &kPropSheet},
    {"scrollview", &kScrollView}, {"container", &kScrollWnd}, {"scrollwnd", &kScrollWnd},
    {"spintime", &kTimeSpin},     {"monthcalendar", &kMonthCal}, {"ListView", &kListView},
};

// Numbers every parameter may take besides the input's own.
const int64_t kEdges[] = {0,
                          -1,
                          1,
                          std::numeric_limits<int32_t>::min(),
                          std::numeric_limits<int32_t>::max(),
                          int64_t{1} << 31,
                          std::numeric_limits<int64_t>::max(),
                          std::numeric_limits<int64_t>::min(),
                          0xFFFFFFFFll,
                          0x7FFF7FFF,
                          0x80008000ll};

constexpr size_t kBufferSize = 1 << 16, kRecordSize = 4096;

// The memory pointer parameters point at, renewed for every message.
struct Scratch {
  std::vector<char> text = std::vector<char>(kBufferSize);
  std::vector<char> buffer = std::vector<char>(kBufferSize);
  alignas(16) char record[kRecordSize];
};

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool More() const { return pos_ < size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  uint64_t Word() {
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v = (v << 8) | Byte();
    return v;
  }
  // Up to `max` bytes of text (no terminator), as the input gives them.
  size_t Text(char* out, size_t max) {
    size_t n = 0;
    while (n < max && More()) {
      const char c = static_cast<char>(Byte());
      if (c == 0) break;
      out[n++] = c;
    }
    return n;
  }

 private:
  const uint8_t* data_;
  size_t size_, pos_ = 0;
};

// A number from the kind byte's low bits: an edge, a small value, a packed
// point or the raw input word.
int64_t Number(uint8_t pick, uint64_t raw) {
  switch (pick & 3) {
    case 0: return kEdges[raw % (sizeof kEdges / sizeof kEdges[0])];
    case 1: return static_cast<int64_t>(raw % 64) - 8;
    case 2: return static_cast<int64_t>(raw & 0x01FF01FF);
    default: return static_cast<int64_t>(raw);
  }
}

uintptr_t Pointer(Kind kind, bool null, Scratch& s) {
  if (null || kind == N) return 0;
  switch (kind) {
    case T: return reinterpret_cast<uintptr_t>(s.text.data());
    case B: return reinterpret_cast<uintptr_t>(s.buffer.data());
    case S: {
      // Read as text it is the address's own bytes, ended by its zero top.
      const char* text = s.text.data();
      std::memcpy(s.record, &text, sizeof text);
      return reinterpret_cast<uintptr_t>(s.record);
    }
    default: return reinterpret_cast<uintptr_t>(s.record);
  }
}

// One parameter: numbers as they come; pointers as above. A buffer's size
// partner (a number beside a B) is any number when the buffer is null and
// at most the buffer's size otherwise, as a careful caller gives it.
void Arguments(const Msg& m, uint8_t kinds, uint64_t rawW, uint64_t rawL, Scratch& s, WParam* w, LParam* l) {
  const bool nullW = kinds & 0x10, nullL = kinds & 0x20;
  *w = m.w == I ? static_cast<WParam>(Number(kinds, rawW)) : Pointer(m.w, nullW, s);
  *l = m.l == I ? static_cast<LParam>(Number(kinds >> 2, rawL)) : Pointer(m.l, nullL, s);
  if (m.l == B && !nullL && m.w == I && (kinds & 0x40)) *w = static_cast<WParam>(rawW % (kBufferSize + 1));
  if (m.w == B && !nullW && m.l == I && (kinds & 0x40)) *l = static_cast<LParam>(rawL % (kBufferSize + 1));
}

WindowHandle g_main = 0;
// CONTROL_FUZZ_TRACE=1 prints every message before it is sent.
const bool g_trace = std::getenv("CONTROL_FUZZ_TRACE") != nullptr;

LResult MainProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

// A number outside an edit's range opens a modal box when it is painted;
// it is closed as a user would, so the run goes on.
void CloseMessageBoxes() {
  std::thread([] {
    for (;;) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      if (GetMsgBoxState()) SendNotifyMessage(GetActiveWindow(), MSG_CLOSE, 0, 0);
    }
  }).detach();
}

bool Ready() {
  static const bool ready = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (int code = InitGUI(0, nullptr))
      RequireFuzzSetUp(false, ("InitGUI failed with code " + std::to_string(code) + " (" + GetStartupFailureStage() +
                               ")").c_str(), GetStartupFailureReason());
    CloseMessageBoxes();
    MainWinCreate create{};
    create.dwStyle = WS_VISIBLE;
    create.spCaption = "fuzz";
    create.MainWindowProc = MainProc;
    create.lx = 0;
    create.ty = 0;
    create.rx = 400;
    create.by = 300;
    g_main = CreateMainWindow(&create);
    // The toolkit's threads must end before the statics they wait on go.
    std::atexit([] {
      if (g_main != GUI_INVALID_HANDLE) {
        DestroyMainWindow(g_main);
        MainWindowThreadCleanup(g_main);
      }
      // The desktop's statics may be gone by now: end without them.
      std::fflush(nullptr);
      _exit(0);
    });
    RequireFuzzSetUp(g_main != GUI_INVALID_HANDLE, "the main window cannot be created");
    return true;
  }();
  return ready;
}

void Drain() {
  Message msg;
  for (int guard = 0; guard < 200 && PeekMessage(&msg, g_main, 0, 0, TRUE); ++guard) DispatchMessage(&msg);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!Ready() || size < 5) return 0;
  Reader in(data, size);
  const ClassPlan& plan = kClasses[in.Byte() % (sizeof kClasses / sizeof kClasses[0])];
  uint32_t style = 0;
  for (int i = 0; i < 4; ++i) style = (style << 8) | in.Byte();
  // Control styles live in the low half; of the window bits keep the
  // border and scroll bars, never hidden or disabled by accident.
  style = (style & 0x0000FFFFu) | (style & (WS_BORDER | WS_VSCROLL | WS_HSCROLL)) | WS_VISIBLE;
  static Scratch scratch;
  const size_t captionLength = in.Text(scratch.text.data(), 40);
  scratch.text[captionLength] = 0;
  WindowHandle ctl = CreateWindowEx(plan.name, scratch.text.data(), style, 0, 100, 10, 10, 200, 120, g_main, 0);
  if (ctl == GUI_INVALID_HANDLE) return 0;
  const std::vector<Msg>& own = *plan.own;
  for (int step = 0; step < 64 && in.More(); ++step) {
    const uint8_t pick = in.Byte();
    const Msg& m = (pick & 1) && !own.empty() ? own[(pick >> 1) % own.size()] : kCommon[(pick >> 1) % kCommon.size()];
    const uint8_t kinds = in.Byte();
    const uint64_t rawW = in.Word(), rawL = in.Word();
    if (m.w == T || m.l == T || m.l == S) {
      const size_t n = in.Text(scratch.text.data(), 300);
      scratch.text[n] = 0;
    }
    std::memset(scratch.record, 0, sizeof scratch.record);
    WParam w;
    LParam l;
    Arguments(m, kinds, rawW, rawL, scratch, &w, &l);
    if (g_trace) std::fprintf(stderr, "%s %#x %#lx %#lx\n", plan.name, m.id, w, l);
    SendMessage(ctl, m.id, w, l);
    if (step % 8 == 7) Drain();
  }
  DestroyWindow(ctl);
  Drain();
  return 0;
}
