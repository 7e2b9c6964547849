// The installer's dialog templates as the host without windows builds them: the same captions,
// sizes, fonts, controls, ids, texts and places as installer.rc, which a test compares.
#ifndef CIRVANE_FRONTEND_DIALOG_TEMPLATES_H_
#define CIRVANE_FRONTEND_DIALOG_TEMPLATES_H_

#include <vector>

#include "platform/dialog_template.h"

// Templates IDD_INSTALL, IDD_QUIT and IDD_OVERWRITE.
const std::vector<platform::SDialogTemplate>& InstallerDialogTemplates();

// The icon ids of the installer's resources.
std::vector<int> InstallerIconIds();

#endif  // CIRVANE_FRONTEND_DIALOG_TEMPLATES_H_
