#include "app/page_frame.h"
