// Identifiers of the installer's resources, shared by the resource script and the code.
// Plain macros, because the resource compiler reads this file too.
#ifndef CIRVANE_FRONTEND_RESOURCE_H_
#define CIRVANE_FRONTEND_RESOURCE_H_

// Controls that are never addressed.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates.
#define IDD_INSTALL 100
#define IDD_QUIT 101
#define IDD_OVERWRITE 129

// The application icon.
#define IDI_APP 128

// Controls of the main dialog.
#define IDC_LICENCE 1000
#define IDC_INSTALL_DIR 1001
#define IDC_BROWSE 1002
#define IDC_ACCEPT 1003
#define IDC_DECLINE 1004
#define IDC_DIR_LABEL 1005
#define IDC_STATUS 1006
#define IDC_INSTALL_NOW 1007
#define IDC_HEADING 1008

// Controls of the overwrite dialog.
#define IDC_OVERWRITE 1010
#define IDC_UPDATE 1011

#endif  // CIRVANE_FRONTEND_RESOURCE_H_
