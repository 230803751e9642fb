#include "app/services.h"
