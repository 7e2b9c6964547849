// What a user-interface service without windows answers.
#include "platform/ui.h"

namespace platform {

int CUi::RunModalDialog(CDialog&) { return kDialogFailed; }

IconHandle CUi::LoadIconResource(int) { return nullptr; }

}  // namespace platform
