// Removal of the shortcuts the previous product generation left in the "Programs" menus.
#ifndef CIRVANE_INTEGRATION_OLD_LINKS_H_
#define CIRVANE_INTEGRATION_OLD_LINKS_H_

#include <string_view>

// Deletes the file or empty directory `path`, clearing its read-only attribute and trying once
// more when the first attempt fails. When it is still there, a message box names it and asks
// the user to delete it by hand. A path that does not exist is no failure.
void RemoveLink(std::string_view path);

// Removes "Pulsegrid III\Plexa III.lnk" and then the folder "Pulsegrid III" from the machine's
// "Common Programs" and the default user's "Programs" folders. A folder that still holds other
// entries stays, and RemoveLink's message names it.
void RemoveOldStartMenuLinks();

#endif  // CIRVANE_INTEGRATION_OLD_LINKS_H_
