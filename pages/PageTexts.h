#pragma once

// The texts that the entry pages show themselves.
namespace tarvel::PageTexts {
constexpr const char* kErrorCaption = "Error";
constexpr const char* kSpacesInShortcut = "Spaces are not allowed in Shortcuts.";
constexpr const char* kColonsInTitle = "Colons are not allowed in Titles.";
constexpr const char* kColonsInShortcut = "Colons are not allowed in Shortcuts.";
}  // namespace tarvel::PageTexts
