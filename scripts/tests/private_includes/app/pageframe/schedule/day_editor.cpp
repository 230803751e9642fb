#include "app/pageframe/schedule/day_editor.h"
