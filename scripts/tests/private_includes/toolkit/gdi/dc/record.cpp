#include "gdi/dc/record.h"
#include "gdi/paint/brush.h"
