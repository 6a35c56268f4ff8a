// Resource and control ids, shared by setup.rc and the code.
#pragma once

// Message dialog templates: setup and uninstall families, OK/Cancel and OK-only forms.
#define IDD_SETUP_OKCANCEL 101
#define IDD_SETUP_OK 102
#define IDD_PROGRESS 103
#define IDD_OVERWRITE 104
#define IDD_UNINSTALL_OKCANCEL 105
#define IDD_UNINSTALL_OK 106

#define IDB_INSTALL 102
#define IDB_UNINSTALL 103
#define IDI_PROGRAM 105

// Message dialogs.
#define IDC_SEPARATOR 1000
#define IDC_MESSAGE 1001

// Progress dialog.
#define IDC_PROGRESS_BAR 1002
#define IDC_PROGRESS_TEXT 1003
#define IDC_CURRENT_FILE 1004
#define IDC_COPYING 1013

// Overwrite confirmation dialog.
#define IDC_OVERWRITE_ALL 3
#define IDC_EXISTS_LINE 1005
#define IDC_OVERWRITE_QUESTION 1006
#define IDC_CURRENT_LABEL 1007
#define IDC_PROGRAM_ICON 1008
#define IDC_CURRENT_ICON 1009
#define IDC_NEW_ICON 1010
#define IDC_CURRENT_INFO 1011
#define IDC_NEW_INFO 1012

// Version of the program, shown by the about message and the version resource.
#define AOF_VERSION_TEXT "1.00"
#define AOF_VERSION_BINARY 1, 0, 0, 0
