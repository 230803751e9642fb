#include "gui/widget.h"
