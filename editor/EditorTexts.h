#pragma once

// The editor's user-visible texts. The toolbar's command strings are shared
// with the resource script, which includes this header: the part after the
// line break is the button's tip.
#define TEXT_COMMAND_NEW "Create a new entry\nNew (Insert)"
#define TEXT_COMMAND_SAVE "Save all template files\nSave (Alt-A)"
#define TEXT_COMMAND_DELETE "Delete the selected entry\nDelete (Delete)"
#define TEXT_COMMAND_DUPLICATE "Duplicate the selected entry\nDuplicate (Ctrl-C)"

#ifndef RC_INVOKED
#include <array>

namespace tarvel::EditorTexts {
constexpr const char* kCompanyName = "Ambergrove Software";
constexpr const char* kProfileSection = "Autotext Dialog";
constexpr const char* kRootNodeEntry = "Root Node";
constexpr const char* kBranchNodeEntry = "Branch Node";
constexpr const char* kUntitled = "Untitled";

// The names of a copy: before its title, and before its shortcut.
constexpr const char* kTitleCopyPrefix = "Copy of ";
constexpr const char* kShortcutCopyPrefix = "Copy_of_";

// The entry commands' refusals and question.
constexpr const char* kCannotDeleteRoot = "You cannot delete a root item.";
constexpr const char* kCannotDeleteRoots = "You cannot delete root items.";
constexpr const char* kCannotDuplicateRoot = "You cannot duplicate a root item.";
constexpr const char* kDeleteQuestion = "Are you sure you want to delete this item?";
constexpr const char* kDeleteQuestionCaption = "Are you sure?";
// Asked before Cancel drops changes that were never saved.
constexpr const char* kDiscardQuestion = "Discard the changes to the autotext templates?";
// Shown on the tip line when a field or the code lost form feeds.
constexpr const char* kFormFeedsRemoved = "Form feeds cannot be kept in a template file and were removed.";

// The last line of a preview that shows only the first lines of the code.
constexpr const char* kMoreLines = "... %zu more lines";
constexpr const char* kOneMoreLine = "... %zu more line";

// The filter above the tree: its hint, and a language root's label while
// filtering, with the number of its entries that match.
constexpr const char* kFilterHint = "Filter (Ctrl+F)";
constexpr const char* kFilteredRootLabel = "%s (%d)";

// The tree's right-click menu.
constexpr const char* kMenuNew = "&New";
constexpr const char* kMenuDuplicate = "D&uplicate";
constexpr const char* kMenuSave = "&Save";
constexpr const char* kMenuDelete = "&Delete";

// The help tips of the tip line, in the order the buttons step through them.
constexpr std::array<const char*, 26> kHelpTips{
    "Autotext Help.",
    "Shortcuts trigger the suggesting of Autotext.",
    "Shortcuts are case sensitive.",
    "Titles appear when shortcuts are typed.",
    "Code is suggested if title is blank.",
    "Leave title blank for simple Autotext entries.",
    "Specify a title for long, infrequently-used entries.",
    "Shift+right click in source windows for Autotext with titles.",
    "Descriptions are optional.",
    "Autotext entries are unique to each programming language.",
    "Find the entry for your current language before editing.",
    "Hover in the expansion tree to see expanded code.",
    "Right click in expansion tree to create or delete Autotext.",
    "Drag-and-drop in the expansion tree to reorder Autotext.",
    "Use the same shortcut in multiple entries for a menu of Autotext.",
    "Use special characters to expand commonly typed values.",
    "Right click in the code window to see special characters.",
    "Use $clipboard$ to insert contents of the clipboard.",
    "Use $selection$ to wrap a selection with Autotext.",
    "$selection$ expands to nothing if there is no selection.",
    "$FILE$ expands in the case of the current file.",
    "$ENV$ expands if ENV is an environment variable.",
    "Unknown special characters imply prompting for user input.",
    "Use $foo$ to prompt for foo when Autotext is expanded.",
    "Include up to eight prompts in a single Autotext entry.",
    "Use Ctrl+Shift+V to paste into a prompt dialog.",
};
}  // namespace tarvel::EditorTexts
#endif
