#include "app/services.h"
#include "app/core/program_internal.h"
#include "core/driver/host_thread.h"
