#include "gui/widget.h"
#include "gdi/dc/record.h"
