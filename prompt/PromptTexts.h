#pragma once

// The prompt dialog's user-visible texts. The menu and page texts are shared
// with the resource script, which includes this header.
#define TEXT_ARGUMENTS_CAPTION "Arguments"
#define TEXT_MENU_UNDO "&Undo"
#define TEXT_MENU_CUT "Cu&t"
#define TEXT_MENU_COPY "&Copy"
#define TEXT_MENU_DELETE "&Delete"
#define TEXT_MENU_PASTE "&Paste"
#define TEXT_MENU_SELECT_ALL "Select &All"
#define TEXT_MENU_PASTE_RECENT "Pa&ste recent clipboard"

#ifndef RC_INVOKED
namespace tarvel::PromptTexts {
constexpr const char* kOk = "&OK";
constexpr const char* kCancel = "&Cancel";
constexpr const char* kHint = "Right click or Ctrl+Shift+V for more options.";
constexpr const char* kNotText = "Wrong format on the clipboard.  Not CF_TEXT.";
constexpr const char* kClipboardNotOpened = "Error Opening the Clipboard.";
constexpr const char* kNothingCopiedCaption = "Nothing Copied";
constexpr const char* kNothingCopied = "Nothing copied to the clipboard.";
}  // namespace tarvel::PromptTexts
#endif
