#include "app/record/record_input_test.h"
#include "app/pageframe/schedule/day_editor.h"
