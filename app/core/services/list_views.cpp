// Columns and rows of the pages' list views, and the orders their columns
// sort by; the list is talked to through its messages only.
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/formatting.h"
#include "app/page_colours.h"
#include "gui/dialog.h"
#include "gui/gal.h"
#include "gui/layout.h"
#include "gui/window.h"

namespace {

constexpr size_t kTextStride = 128;

std::string cellText(WindowHandle list, HLVROW row, int column) {
  ListViewSubItemInfo info{};
  info.column = column;
  const LResult length = SendMessage(list, LVM_GETSUBITEMLEN, reinterpret_cast<WParam>(row),
                                     reinterpret_cast<LParam>(&info));
  if (length < 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  info.text = &text[0];
  info.bufferSize = text.size();
  if (SendMessage(list, LVM_GETSUBITEMTEXT, reinterpret_cast<WParam>(row), reinterpret_cast<LParam>(&info)) != 0)
    return std::string();
  text.resize(std::strlen(text.c_str()));
  return text;
}

int compareTexts(const std::string& a, const std::string& b) {
  return std::strncmp(a.c_str(), b.c_str(), a.size() > b.size() ? a.size() : b.size());
}

std::string converted(const std::string& text) {
  char buf[1024];
  if (convertTextCopy(text.c_str(), buf, sizeof buf) != 0) return text;
  return buf;
}

}  // namespace

extern "C" {

int addListViewColumns(WindowHandle owner, int listId, const char* section, const ListColumnDesc* table, int count) {
  if (!table || count <= 0) return 0;
  const uint32_t rtl = isRightToLeftLang() ? 5u : 0u;
  for (int i = 0; i < count; ++i) {
    CtrlResInfo* record = nullptr;
    const bool found = section && GetCtrlResInfo(section, table[i].key, &record) && record;
    char empty[1] = {'\0'};
    ListViewColumnInfo info{};
    info.index = i;
    info.width = found ? record->w : 0;
    info.text = found && record->caption ? const_cast<char*>(record->caption) : empty;
    info.compare = table[i].compare;
    info.flags = table[i].flags | rtl;
    SendDlgItemMessage(owner, listId, LVM_ADDCOLUMN, static_cast<WParam>(i), reinterpret_cast<LParam>(&info));
  }
  return count;
}

HLVROW addListViewItems(WindowHandle list, int index, int count, const char* texts) {
  ListViewItemInfo item{};
  item.index = index;
  item.height = getOutputFontHeight(getCurOutput()) * 3 / 2;
  const LResult added = SendMessage(list, LVM_ADDITEM, 0, reinterpret_cast<LParam>(&item));
  if (added == 0 || added == -1) return nullptr;
  HLVROW row = reinterpret_cast<HLVROW>(added);
  for (int column = 0; texts && column < count; ++column) {
    ListViewSubItemInfo cell{};
    cell.column = column;
    cell.text = const_cast<char*>(texts + static_cast<size_t>(column) * kTextStride);
    cell.textColor = SysPixelIndex[page_colours::kText];
    SendMessage(list, LVM_SETSUBITEM, reinterpret_cast<WParam>(row), reinterpret_cast<LParam>(&cell));
  }
  return row;
}

int compareListText(WindowHandle list, HLVROW a, HLVROW b, ListViewSortInfo* info) {
  const int column = info ? info->column : 0;
  return compareTexts(cellText(list, a, column), cellText(list, b, column));
}

int compareListNumber(WindowHandle list, HLVROW a, HLVROW b, ListViewSortInfo* info) {
  const int column = info ? info->column : 0;
  return std::atoi(cellText(list, a, column).c_str()) - std::atoi(cellText(list, b, column).c_str());
}

int compareListChanName(WindowHandle list, HLVROW a, HLVROW b, ListViewSortInfo* info) {
  const int column = info ? info->column : 0;
  const int first = parseChanName(cellText(list, a, column).c_str());
  const int second = parseChanName(cellText(list, b, column).c_str());
  if (first < 0 || second < 0) return -1;
  return first - second;
}

// Compares what the user reads; answering a constant 0 would leave the
// column unsorted.
int compareListConvText(WindowHandle list, HLVROW a, HLVROW b, ListViewSortInfo* info) {
  const int column = info ? info->column : 0;
  return compareTexts(converted(cellText(list, a, column)), converted(cellText(list, b, column)));
}

}  // extern "C"
