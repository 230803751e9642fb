// The toolkit calls the application services make.
#pragma once

#include "gui/cursor.h"
#include "gui/dialog.h"
#include "gui/livevideo.h"
#include "gui/window_attr.h"
