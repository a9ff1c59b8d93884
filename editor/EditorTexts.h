#pragma once

// The editor's user-visible texts. The toolbar's command strings are shared
// with the resource script, which includes this header: the part after the
// line break is the button's tip.
#define TEXT_COMMAND_NEW "Create a new entry\nNew (Insert)"
#define TEXT_COMMAND_SAVE "Save all template files\nSave (Alt-A)"
#define TEXT_COMMAND_DELETE "Delete the selected entry\nDelete (Delete)"
#define TEXT_COMMAND_DUPLICATE "Duplicate the selected entry\nDuplicate (Ctrl-C)"

#ifndef RC_INVOKED
namespace EditorTexts {
constexpr const char* kErrorCaption = "Error";
constexpr const char* kCompanyName = "Ambergrove Software";
constexpr const char* kProfileSection = "Autotext Dialog";
constexpr const char* kRootNodeEntry = "Root Node";
constexpr const char* kBranchNodeEntry = "Branch Node";
constexpr const char* kUntitled = "Untitled";
constexpr const char* kSpacesInShortcut = "Spaces are not allowed in Shortcuts.";
constexpr const char* kColonsInTitle = "Colons are not allowed in Titles.";
constexpr const char* kColonsInShortcut = "Colons are not allowed in Shortcuts.";
} // namespace EditorTexts
#endif
