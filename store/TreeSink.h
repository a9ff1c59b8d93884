#pragma once

#include <memory>
#include <string_view>

#include "store/AutotextEntry.h"

namespace tarvel {

// Receives, in file order, each tree item a reader creates under one language
// root: its label and its entry. A legacy header whose block creates no entry
// still yields an item, with no entry. The label is the reader's until the
// call returns: a sink that keeps it copies it.
class TreeSink {
public:
    virtual ~TreeSink() = default;
    virtual void AppendItem(std::string_view label, std::unique_ptr<AutotextEntry> entry) = 0;
};

}  // namespace tarvel
