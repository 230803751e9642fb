// The user page beside the system menu: a property sheet holding the user
// list for the administrator or the own-password page for anyone else,
// decided once when the page opens.
#include "app/app_registry.h"
#include "app/login_rights.h"
#include "app/system/users/userset.h"
#include "app/system_pages.h"

namespace users {
namespace {

bool isAdminLoggedIn() { return getLoginUserIndex(getCurOutput()) == 0; }

const pageframe::SheetPage kPages[] = {{"manage", managePageProc, [] { return isAdminLoggedIn(); }},
                                       {"change", changePageProc, [] { return !isAdminLoggedIn(); }}};

const pageframe::PageWindow kWindow{kSection, kPages, pageframe::kSystemSlot};

}  // namespace
}  // namespace users

extern "C" int createUserSetWindow(WindowHandle host) {
  return pageframe::openWindow<users::kWindow>(host);
}
