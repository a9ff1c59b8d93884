#include "editor/EntryOwner.h"

namespace tarvel {

AutotextEntry* EntryOwner::Adopt(std::unique_ptr<AutotextEntry> entry) {
    AutotextEntry* address = entry.get();
    if (address != nullptr)
        entries_.emplace(address, std::move(entry));
    return address;
}

void EntryOwner::Destroy(AutotextEntry* entry) { entries_.erase(entry); }

}  // namespace tarvel
