#pragma once

// Resource, control and command ids of Tarvel.dll. Shared by the resource
// script and the code; the host interface fixes none of them but the exports.

#define IDD_AUTOTEXT_EDITOR 101
#define IDI_AUTOTEXT 128
#define IDD_TITLE_PAGE 130
#define IDD_CODE_PAGE 132
#define IDI_CODE_PAGE 134
#define IDI_TITLE_PAGE 135
#define IDB_TREE_IMAGES 142
#define IDR_ENTRY_TOOLBAR 157
#define IDB_ENTRY_TOOLBAR24 158

// Title page
#define IDC_TITLE 1001
#define IDC_SHORTCUT 1002
#define IDC_DESCRIPTION 1003
// Code page
#define IDC_CODE_PLACEHOLDER 1008
#define IDC_CODE_EDITOR 1021

// Editor dialog
#define IDC_CODE_FRAME 1013
#define IDC_UNUSED_FRAME 1014
#define IDC_TITLE_FRAME 1015
#define IDC_EXPANSION_TREE 1020
#define IDC_PREVIOUS_TIP 1046
#define IDC_NEXT_TIP 1047
#define IDC_TIP_LINE 1048
#define IDC_COMPANY_LINE 1049
#define IDC_APPLY 12321

// Tooltips: the title page's help tips and the tree's previews
#define IDS_TITLE_HELP 104
#define IDS_SHORTCUT_HELP 105
#define IDS_DESCRIPTION_HELP 106
#define IDS_HELP_TIP_STYLES 109
#define IDS_PREVIEW_STYLES 110
#define IDI_PREVIEW 144
#define IDB_HELP_TIP_SHORTCUT 144
#define IDB_HELP_TIP_TITLE 146
#define IDI_HELP_TIP 1076

// Entry commands
#define ID_ENTRY_NEW 32847
#define ID_ENTRY_SAVE 32848
#define ID_ENTRY_DELETE 32849
#define ID_ENTRY_DUPLICATE 32850
// The tree's right-click menu
#define ID_TREE_MENU_SAVE 151
#define ID_TREE_MENU_NEW 152
#define ID_TREE_MENU_DELETE 153

// Code page context menu (menu 154): the editing commands, then the reserved
// variables of the Insert submenus. The Refactor items are built at run time.
#define IDR_CODE_MENU 154
#define ID_CODE_UNDO 32781
#define ID_CODE_REDO 32782
#define ID_CODE_CUT 32783
#define ID_CODE_COPY 32784
#define ID_CODE_PASTE 32785
#define ID_CODE_DELETE 32786
#define ID_CODE_SELECT_ALL 32789
#define ID_INSERT_DATE 32787
#define ID_INSERT_MONTH 32788
#define ID_INSERT_DAY_02 32806
#define ID_INSERT_DAYNAME 32807
#define ID_INSERT_END 32808
#define ID_INSERT_FILE 32809
#define ID_INSERT_FILE_BASE 32810
#define ID_INSERT_FILE_EXT 32811
#define ID_INSERT_FILE_PATH 32812
#define ID_INSERT_HOUR 32813
#define ID_INSERT_HOUR_02 32814
#define ID_INSERT_MINUTE 32815
#define ID_INSERT_MONTH_02 32816
#define ID_INSERT_MONTHNAME 32817
#define ID_INSERT_SECOND 32819
#define ID_INSERT_SELECTED 32820
#define ID_INSERT_YEAR 32821
#define ID_INSERT_DAY 32823
#define ID_INSERT_GUID_DEFINITION 32824
#define ID_INSERT_GUID_STRING 32825
#define ID_INSERT_GUID_STRUCT 32826
#define ID_INSERT_CLIPBOARD 32827
#define ID_INSERT_YEAR_02 32831
#define ID_INSERT_FILE_BASE_UPPER 32836
#define ID_INSERT_FILE_UPPER 32837
#define ID_INSERT_FILE_EXT_UPPER 32838
#define ID_INSERT_FILE_PATH_UPPER 32839
#define ID_INSERT_MONTHLONGNAME 32840
#define ID_INSERT_DAYLONGNAME 32841
