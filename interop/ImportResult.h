#pragma once

#include <string>
#include <vector>

#include "interop/SnippetLoss.h"
#include "store/AutotextEntry.h"

namespace tarvel {

// One snippet of an imported file: the entries it became (one per trigger;
// none when it was not imported) and what they do not hold of it.
struct ImportedSnippet {
    std::string file;
    int line = 0;
    std::string name;  // UTF-8, as the file gives it
    int language = -1;
    std::vector<AutotextEntry> entries;
    std::vector<SnippetLoss> losses;

    bool LostSomething() const {
        for (const auto& loss : losses)
            if (loss.IsLoss())
                return true;
        return false;
    }
};

// What an import read, and the messages about whole files: a file that could
// not be read or is no snippet file, and snippets of other languages skipped.
struct ImportResult {
    std::vector<ImportedSnippet> snippets;
    std::vector<std::string> fileMessages;
    int files = 0;

    bool LostSomething() const {
        if (!fileMessages.empty())
            return true;
        for (const auto& snippet : snippets)
            if (snippet.LostSomething())
                return true;
        return false;
    }
    std::size_t EntryCount() const {
        std::size_t count = 0;
        for (const auto& snippet : snippets)
            count += snippet.entries.size();
        return count;
    }
};

}  // namespace tarvel
