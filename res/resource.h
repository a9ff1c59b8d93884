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
#define IDC_TREE_FILTER 1050
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
#define ID_TREE_MENU_DUPLICATE 150

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

// Prompt dialog (ShowAutotextDlg)
#define IDD_ARGUMENTS_PAGE 107
#define IDI_ARGUMENTS_PAGE 137
#define IDR_PROMPT_ACCELERATORS 155
#define ID_PASTE_RECENT 156
#define IDR_PROMPT_EDIT_MENU 171
// Rows 0..7 of the arguments page: label 1029 + i, edit 1037 + i.
#define IDC_PROMPT_LABEL_FIRST 1029
#define IDC_PROMPT_EDIT_FIRST 1037
#define IDC_PROMPT_LABEL(i) (IDC_PROMPT_LABEL_FIRST + (i))
#define IDC_PROMPT_EDIT(i) (IDC_PROMPT_EDIT_FIRST + (i))
// The prompt edit's menu: the first five commands are the edit messages they send.
#define ID_EDIT_UNDO_MESSAGE 199
#define ID_EDIT_CUT_MESSAGE 768
#define ID_EDIT_COPY_MESSAGE 769
#define ID_EDIT_PASTE_MESSAGE 770
#define ID_EDIT_CLEAR_MESSAGE 771
#define ID_EDIT_SELECT_ALL 29696
// Recent clipboard text i of the host: 29697 + i.
#define ID_RECENT_CLIPBOARD_FIRST 29697
