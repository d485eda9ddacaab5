// Ids of the resource script's templates, strings, icon and controls. The script includes
// this file and the dialog's logic names its controls by these ids, so the two cannot drift.
// Only #define lines: the resource compiler reads it too.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_DIDUZOZOZ_DIALOG 102
#define IDD_LABELSHEET 103
#define IDR_MAINFRAME 128

// The about item of the system menu; system commands below 0xF000 are the program's own.
#define IDM_ABOUTBOX 0x0010

// The context menu's items, commands of the main dialog beside its controls' ids.
#define IDM_SAVE 0x8001
#define IDM_COPY 0x8002
#define IDM_PRINT 0x8003
#define IDM_LABELSHEET 0x9010

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#ifndef IDOK
#define IDOK 1
#endif
#ifndef IDCANCEL
#define IDCANCEL 2
#endif

// Code type radio buttons, 1001 + the Symbology value.
#define IDC_NW7 1002
#define IDC_CODE39 1003
#define IDC_JAN 1004
#define IDC_ITF 1005
#define IDC_CODE128 1006
#define IDC_POSTAL 1007

// Check-digit boxes and calculation pattern combos.
#define IDC_CD_NW7 1008
#define IDC_PAT_NW7 1009
#define IDC_CD_CODE39 1011
#define IDC_CD_JAN 1012
#define IDC_CD_ITF 1013
#define IDC_CD_CODE128 1014
#define IDC_CD_POSTAL 1015
#define IDC_PAT_CODE39 1016
#define IDC_PAT_JAN 1017
#define IDC_PAT_ITF 1018
#define IDC_PAT_CODE128 1019
#define IDC_PAT_POSTAL 1020

#define IDC_TEXT_BELOW 1021
#define IDC_NW7_START 1022
#define IDC_REFNO 1023
#define IDC_TEXT_ABOVE 1024
#define IDC_NW7_STOP 1026
#define IDC_CODE128_START 1029
#define IDC_LINE_UNIT 1033
#define IDC_STATUS 1036
#define IDC_CREATE 1037
#define IDC_PREVIEW 1039

// Spin buttons and the read-only edits before them that show their positions.
#define IDC_SPIN_HEIGHT 1046
#define IDC_SPIN_MARGIN_X 1047
#define IDC_SPIN_MARGIN_Y 1048
#define IDC_HEIGHT 1049
#define IDC_MARGIN_X 1051
#define IDC_MARGIN_Y 1052

#define IDC_CODE 1053
// The label of the reference-number combo, which names the postal form's field.
#define IDC_REFNO_LABEL 1070

// The form lists of the code types that have more than one form.
#define IDC_JAN_FORM 1060
#define IDC_ITF_FORM 1061
#define IDC_POSTAL_FORM 1062
#define IDC_CODE128_FORM 1063

// The label-sheet dialog, template 103: the source of the items, the layout and the labels,
// the summary, the first sheet's preview, print and save, and a run's progress and its stop.
#define IDC_LS_FROM_LIST 1101
#define IDC_LS_SERIAL 1102
#define IDC_LS_COUNT 1103
#define IDC_LS_LAYOUT 1104
#define IDC_LS_FIRST 1105
#define IDC_LS_COPIES 1106
#define IDC_LS_SUMMARY 1107
#define IDC_LS_PREVIEW 1108
#define IDC_LS_PRINT 1109
#define IDC_LS_SAVE 1110
#define IDC_LS_PROGRESS 1111
#define IDC_LS_STOP 1112
