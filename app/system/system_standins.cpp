// Stand-ins for what the system pages call before it exists elsewhere.
#include "app/system/logs/log_pages.h"

namespace logs {

// The S.M.A.R.T. attribute list of the disk pages fills this list; until
// then it stays empty.
void fillLogSmartList(WindowHandle, const DiskSmartInfo*) {}

}  // namespace logs
