/* Dialog templates built from a layout record: its rectangle, placed on an
 * output, and its caption. */
#ifndef APP_DIALOG_TEMPLATE_H
#define APP_DIALOG_TEMPLATE_H

#include <cstdint>

#include "gui/dialog.h"
#include "gui/layout.h"

namespace app {

enum class Placement {
  kAsRecorded,      // the record's x and y
  kCentred,         // centred on the output
  kFromBottomRight  // the record's x and y are distances from the right and bottom edges
};

// A template of the given styles sized by the record, placed as asked on the
// output, with the record's caption. Without a record the rectangle is empty
// and the caption "".
DlgTemplate templateFromRecord(const CtrlResInfo* record, uint32_t style, uint32_t exStyle, Placement placement,
                               int output);

}  // namespace app

#endif
