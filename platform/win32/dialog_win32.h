// Modal dialogs over the program's templates on Windows (DialogBoxParamA), for the
// user-interface service.
#ifndef CIRVANE_PLATFORM_WIN32_DIALOG_WIN32_H_
#define CIRVANE_PLATFORM_WIN32_DIALOG_WIN32_H_

#include <windows.h>

#include "platform/dialog.h"

namespace platform {

// Runs `dialog` over template `dialog.templateId()` of the executable's resources, owned by the
// dialog this thread is running (none for the first); the result given to EndDialog, or
// kDialogFailed.
int RunWin32Dialog(CDialog& dialog);

// The dialog this thread shows on top, or null: the owner of boxes shown on this thread.
HWND ActiveDialogWindow();

}  // namespace platform

#endif  // CIRVANE_PLATFORM_WIN32_DIALOG_WIN32_H_
