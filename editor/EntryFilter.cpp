#include "editor/EntryFilter.h"

namespace tarvel {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

EntryFilter::CaseFold EntryFilter::AsciiCaseFold() {
    CaseFold fold{};
    for (std::size_t byte = 0; byte < fold.size(); ++byte)
        fold[byte] = static_cast<unsigned char>(byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte);
    return fold;
}

EntryFilter::EntryFilter(std::string_view text, const CaseFold& fold) : fold_(fold) {
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsBlank(text[at]))
            ++at;
        std::string word;
        for (; at < text.size() && !IsBlank(text[at]); ++at)
            word += static_cast<char>(fold_[static_cast<unsigned char>(text[at])]);
        if (!word.empty())
            words_.push_back(std::move(word));
    }
}

bool EntryFilter::Matches(const AutotextEntry& entry) const {
    for (const std::string& word : words_) {
        if (!Holds(entry.title, word) && !Holds(entry.shortcut, word) && !Holds(entry.description, word) &&
            !Holds(entry.code, word))
            return false;
    }
    return true;
}

bool EntryFilter::Holds(std::string_view text, const std::string& word) const {
    return Find(text, word, 0) != std::string_view::npos;
}

// The first byte is looked for on its own: most positions fail there.
std::size_t EntryFilter::Find(std::string_view text, const std::string& word, std::size_t from) const {
    if (word.size() > text.size())
        return std::string_view::npos;
    const auto first = static_cast<unsigned char>(word[0]);
    const std::size_t last = text.size() - word.size();
    for (std::size_t at = from; at <= last; ++at) {
        if (fold_[static_cast<unsigned char>(text[at])] != first)
            continue;
        std::size_t matched = 1;
        while (matched < word.size() &&
               fold_[static_cast<unsigned char>(text[at + matched])] == static_cast<unsigned char>(word[matched]))
            ++matched;
        if (matched == word.size())
            return at;
    }
    return std::string_view::npos;
}

std::vector<EntryFilter::Span> EntryFilter::SpansIn(std::string_view label) const {
    std::vector<bool> marked(label.size(), false);
    for (const std::string& word : words_) {
        for (auto at = Find(label, word, 0); at != std::string_view::npos; at = Find(label, word, at + 1)) {
            for (std::size_t i = 0; i < word.size(); ++i)
                marked[at + i] = true;
        }
    }
    std::vector<Span> spans;
    for (std::size_t at = 0; at < marked.size(); ++at) {
        if (!marked[at])
            continue;
        if (!spans.empty() && spans.back().begin + spans.back().length == at)
            ++spans.back().length;
        else
            spans.push_back({at, 1});
    }
    return spans;
}

}  // namespace tarvel
