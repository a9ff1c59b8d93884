#include "editor/EntryOrder.h"

#include <iterator>
#include <utility>

namespace tarvel {

void EntryOrder::Append(int language, AutotextEntry* entry, std::string label) {
    languages_.at(static_cast<std::size_t>(language)).push_back(Row{entry, std::move(label), false});
}

void EntryOrder::Insert(int language, const AutotextEntry* after, AutotextEntry* entry, std::string label) {
    Rows& rows = languages_.at(static_cast<std::size_t>(language));
    rows.insert(std::next(rows.begin(), static_cast<std::ptrdiff_t>(IndexAfter(language, after))),
                Row{entry, std::move(label), false});
}

void EntryOrder::Remove(const AutotextEntry* entry) {
    Place place{};
    if (Locate(entry, place)) {
        Rows& rows = languages_[static_cast<std::size_t>(place.language)];
        rows.erase(std::next(rows.begin(), static_cast<std::ptrdiff_t>(place.index)));
    }
}

void EntryOrder::Move(const AutotextEntry* entry, int language, const AutotextEntry* after) {
    Place place{};
    if (entry == after || !Locate(entry, place))
        return;
    Rows& from = languages_[static_cast<std::size_t>(place.language)];
    Row moved = std::move(from[place.index]);
    from.erase(std::next(from.begin(), static_cast<std::ptrdiff_t>(place.index)));
    Rows& to = languages_.at(static_cast<std::size_t>(language));
    to.insert(std::next(to.begin(), static_cast<std::ptrdiff_t>(IndexAfter(language, after))), std::move(moved));
}

EntryOrder::Row* EntryOrder::Find(const AutotextEntry* entry) {
    Place place{};
    return Locate(entry, place) ? &languages_[static_cast<std::size_t>(place.language)][place.index] : nullptr;
}

void EntryOrder::Renumber(int language) {
    int ordinal = 0;
    for (Row& row : languages_.at(static_cast<std::size_t>(language))) {
        row.entry->language = language;
        row.entry->ordinal = ordinal++;
    }
}

void EntryOrder::Clear() {
    for (Rows& rows : languages_)
        rows.clear();
}

// An entry's own numbering names its row, but for entries added or moved
// since its language was last renumbered: that row is tried first, so that
// marking the entry under edit at every keystroke does not walk them all.
bool EntryOrder::Locate(const AutotextEntry* entry, Place& place) const {
    if (entry != nullptr && entry->language >= 0 && entry->language < TemplateLanguage::kCount &&
        entry->ordinal >= 0) {
        const Rows& rows = languages_[static_cast<std::size_t>(entry->language)];
        const auto index = static_cast<std::size_t>(entry->ordinal);
        if (index < rows.size() && rows[index].entry == entry) {
            place = {entry->language, index};
            return true;
        }
    }
    for (std::size_t language = 0; language < languages_.size(); ++language) {
        const Rows& rows = languages_[language];
        for (std::size_t index = 0; index < rows.size(); ++index) {
            if (rows[index].entry == entry) {
                place = {static_cast<int>(language), index};
                return true;
            }
        }
    }
    return false;
}

std::size_t EntryOrder::IndexAfter(int language, const AutotextEntry* after) const {
    const Rows& rows = languages_.at(static_cast<std::size_t>(language));
    for (std::size_t index = 0; index < rows.size(); ++index) {
        if (rows[index].entry == after)
            return index + 1;
    }
    return rows.size();
}

}  // namespace tarvel
