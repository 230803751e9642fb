#include "core/desk/desk.h"
#include "gdi/record_for_core.h"

#include "gdi/dc/record.h"
