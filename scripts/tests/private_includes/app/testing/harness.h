#include "core/driver/host_thread.h"
#include "app/core/program_internal.h"
