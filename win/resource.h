// Identifiers of the Windows program's resources and controls, shared by
// tervan.rc and the code.
#pragma once

#define IDI_TERVAN 128

#define IDD_MAIN 100
#define IDD_SETTINGS 101
#define IDD_HVSD 102
#define IDD_BFFB 103
#define IDD_COM 104
#define IDD_SEND 105
#define IDD_ABOUT 106
#define IDD_FIND 107
#define IDR_MAIN_MENU 110
// The About box's line on where the settings live.
#define IDC_ABOUT_SETTINGS 1301

// The main window.
#define IDC_MESSAGE 1000
#define IDC_STATUS1 1016
#define IDC_STATUS2 1015
#define IDC_STATUS3 1014
#define IDC_SERIAL 1017
#define IDC_HVSD 3
#define IDC_CLOSE 2

// The report above the message area, the grid in the message area's place
// when it shows a table, and the indicators beside the status lines.
#define IDC_NOTICES 1020
#define IDC_FILES 1021
#define IDC_SHOW_FILES 1022
#define IDC_COPY_TEXT 1023
#define IDC_GRID 1024
#define IDC_INDICATORS 1025
// The plan view: three layers' check boxes, "Fi&t", the drawing and the
// selection line, from this one on.
#define IDC_PLAN_FIRST 1050
#define IDC_CONVERT_AGAIN 1026

#define ID_FILE_OPEN 40001
#define ID_FILE_EXIT 40002
#define ID_HELP_ABOUT 40003
#define ID_COPY_ROWS 40004
#define ID_FILE_CONVERT_AGAIN 40005
#define ID_FIND 40006
#define ID_HELP_GUIDE 40007
#define IDR_ACCELERATORS 111
// "Recent files": the entries of the File menu's submenu, newest first.
#define ID_RECENT_FIRST 40100

// The system menu's "&About Tervan..." (the system keeps the low four bits
// of a command value for itself).
#define IDM_ABOUT_TERVAN 16

// The Settings dialog ("Setings").
#define IDC_FILES_NAME 1007
#define IDC_MODEL 1038
#define IDC_MODEL_HINT 1039
#define IDC_2DFILE 1001
#define IDC_3DFILE 1003
#define IDC_DPIFILE 1002
#define IDC_KORFILE 1008
#define IDC_LEVELSFILE 1006
#define IDC_NAMESFILE 1005
#define IDC_POINTSFILE 1004
#define IDC_SCRIPTSFILE 1011
#define IDC_NXYZFILE 1014
#define IDC_NYXZFILE 1015
#define IDC_XYZFILE 1027
#define IDC_TRASFILE 1028
#define IDC_SPACEINNAMES 1016
#define IDC_Z000 1017
#define IDC_X1000 1025
#define IDC_STARTWITHFILEOPEN 1024
#define IDC_SAVESETTINGS 1009
#define IDC_LETTERSIZE 1013
#define IDC_LEVELLAYER 1018
#define IDC_NAMESLAYER 1020
#define IDC_POINTSLAYER 1022
#define IDC_X0 1032
#define IDC_Y0 1033
#define IDC_Z0 1034
#define IDC_COMPUTEXYZ 1040
#define IDC_KNOWNPOINTS 1041
#define IDC_KNOWNPOINTS_BUTTON 1042
#define IDC_ADJUSTEDFILE 1043
#define IDC_LEVELTOLERANCE 1044
#define IDC_CSVFILE 1045
#define IDC_LANDXMLFILE 1046
#define IDC_LAYERPERCODE 1047

// The dialogs of fields (Calculate H, V, SD; Calc BFFB line; COM
// Properties): their lists in the order of the form's fields.
#define IDC_FIELD1 1101

// "Send serial data"; "St&op" is the dialog's cancel button.
#define IDC_SEND_TEXT 1201
#define IDC_SEND_ALL 1202
#define IDC_SEND_ONE 1203
#define IDC_SEND_SKIP 1204
