#pragma once

#include <string>

// One autotext entry. Strings are 8-bit text in the system's ANSI code page;
// code and description hold CR LF line breaks after reading.
struct AutotextEntry {
    int kind = 0;              // 0 for every entry this module creates; only kind 0 is shown and saved
    std::string shortcut;      // typed to trigger the entry; never holds a space
    std::string title;         // shown in the host's menus; the tree label when the shortcut is empty
    std::string code;          // inserted on expansion
    std::string description;   // optional, stored as a readme block ahead of the record
    void* treeItem = nullptr;  // the entry's item in the expansion tree (opaque here)
    int language = 0;          // index of the language root the entry was read under
    int ordinal = 0;           // position among the entries of its template file
};
