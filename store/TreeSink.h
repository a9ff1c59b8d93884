#pragma once

#include <memory>
#include <string>

#include "store/AutotextEntry.h"

namespace tarvel {

// Receives, in file order, each tree item a reader creates under one language
// root: its label and its entry. A legacy header whose block creates no entry
// still yields an item, with no entry.
class TreeSink {
public:
    virtual ~TreeSink() = default;
    virtual void AppendItem(const std::string& label, std::unique_ptr<AutotextEntry> entry) = 0;
};

}  // namespace tarvel
