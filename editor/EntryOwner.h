#pragma once

#include <memory>
#include <unordered_map>

#include "store/AutotextEntry.h"

namespace tarvel {

// Owns every entry of the open editor; tree items only point at them.
class EntryOwner {
public:
    AutotextEntry* Adopt(std::unique_ptr<AutotextEntry> entry);
    void Destroy(AutotextEntry* entry);
    void Clear() { entries_.clear(); }

private:
    std::unordered_map<AutotextEntry*, std::unique_ptr<AutotextEntry>> entries_;
};

}  // namespace tarvel
