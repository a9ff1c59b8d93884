#pragma once

#include <array>
#include <string>
#include <vector>

#include "store/AutotextEntry.h"
#include "store/TemplateLanguage.h"

namespace tarvel {

// The entries of the eight languages in their real order, each with how the
// tree shows it: its label and whether it changed since the editor opened.
// The tree may show only some of them (a filter); this order is the one
// commands act on and saving writes. Portable: it knows no tree.
class EntryOrder {
public:
    struct Row {
        AutotextEntry* entry;
        std::string label;
        bool modified;
    };
    using Rows = std::vector<Row>;

    void Append(int language, AutotextEntry* entry, std::string label);
    // Right after `after` in its language; the language's last when `after`
    // is none of its entries.
    void Insert(int language, const AutotextEntry* after, AutotextEntry* entry, std::string label);
    void Remove(const AutotextEntry* entry);
    // The row goes to another place, with its label and mark.
    void Move(const AutotextEntry* entry, int language, const AutotextEntry* after);
    // The row of an entry, or null.
    Row* Find(const AutotextEntry* entry);
    const Rows& Language(int language) const { return languages_.at(static_cast<std::size_t>(language)); }
    // The language's entries take its index and their places as ordinals.
    void Renumber(int language);
    void Clear();

private:
    struct Place {
        int language;
        std::size_t index;
    };
    bool Locate(const AutotextEntry* entry, Place& place) const;
    std::size_t IndexAfter(int language, const AutotextEntry* after) const;

    std::array<Rows, TemplateLanguage::kCount> languages_;
};

}  // namespace tarvel
