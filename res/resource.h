#pragma once

// Resource ids of the program; the resource compiler reads this file too.
#include "CommandIds.h"

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MAIN 102
#define IDR_MAINFRAME 128
#define IDD_SETTINGS 129

// The system menu item that shows the About box; its low four bits stay free, as the system
// uses them in WM_SYSCOMMAND.
#define IDM_ABOUTBOX 0x0010

#define IDC_DISPLAY 1000
#define IDC_SETTINGS 1001
#define IDC_INCLUDE_SIZE 1002
#define IDC_INCLUDE_TIME 1003
#define IDC_OUTPUT_FILE 1004
#define IDC_BROWSE 1005
#define IDC_ABOUT 1006
#define IDC_LIST_VIEW 1011
#define IDC_TREE_VIEW 1012
