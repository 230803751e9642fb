#include "gdi/paint/brush.h"
#include "app/testing/harness.h"
