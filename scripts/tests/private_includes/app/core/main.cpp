#include "app/services.h"
#include "app/core/program_internal.h"
