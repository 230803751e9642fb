#include "gdi/paint/brush.h"
