#include "core/driver/host_thread.h"
#include "core/support.h"
#include <vector>
#include "generated_table.h"
