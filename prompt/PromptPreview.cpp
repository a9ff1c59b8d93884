#include "prompt/PromptPreview.h"

#include "prompt/PromptFinder.h"

#include <algorithm>

namespace tarvel {

PromptPreview::PromptPreview(std::string_view code, const std::vector<std::string>& names,
                             const LeadBytes& leadBytes, Encoding encoding)
    : encoding_(std::move(encoding)) {
    std::size_t copied = 0;
    for (const NamePlace& place : FindNames(code, leadBytes)) {
        const auto found = std::find(names.begin(), names.end(), place.name);
        if (found == names.end()) {
            continue;
        }
        pieces_.push_back({encoding_(code.substr(copied, place.begin - copied)),
                           encoding_(code.substr(place.begin, place.end - place.begin)),
                           static_cast<std::size_t>(found - names.begin())});
        copied = place.end;
    }
    rest_ = encoding_(code.substr(copied));
}

void PromptPreview::Build(const std::vector<std::string>& values, PreviewText& preview) const {
    std::vector<std::string> encoded;
    for (const std::string& value : values) {
        encoded.push_back(value.empty() ? std::string() : encoding_(value));
    }
    preview.text.clear();
    preview.marks.clear();
    for (const Piece& piece : pieces_) {
        preview.text += piece.before;
        const bool filled = piece.row < encoded.size() && !encoded[piece.row].empty();
        const std::string& shown = filled ? encoded[piece.row] : piece.asWritten;
        preview.marks.push_back({preview.text.size(), shown.size(), filled});
        preview.text += shown;
    }
    preview.text += rest_;
}

}  // namespace tarvel
