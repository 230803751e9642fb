#include "gdi/dc/record.h"
#include "core/desk/tests/desk_fixture.h"
