#include "app/record/edit.h"
#include "app/pageframe/schedule/day_editor.h"
