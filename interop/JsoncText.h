#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// VS Code reads its snippet files as JSON with comments and trailing commas.
// This turns such text into plain JSON of the same length, comments and
// trailing commas blanked so every byte keeps its line, and notes where each
// name of the top-level object stands.
class JsoncText {
public:
    struct Name {
        std::string_view quoted;  // the name as written, quotes and escapes included
        int line;
    };

    explicit JsoncText(std::string_view text);

    const std::string& Json() const { return json_; }
    // In file order; a name written twice is listed twice.
    const std::vector<Name>& TopLevelNames() const { return names_; }

private:
    void Scan(std::string_view text);
    std::size_t SkipString(std::string_view text, std::size_t at) const;
    std::size_t BlankComment(std::size_t at);

    std::string json_;
    std::vector<Name> names_;
};

}  // namespace tarvel
