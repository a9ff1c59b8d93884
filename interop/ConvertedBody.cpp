#include "interop/ConvertedBody.h"

#include "interop/ByteWords.h"
#include "store/FormatLimits.h"

namespace tarvel {

void ConvertedBody::Lose(SnippetLoss::Kind kind, std::string_view detail) {
    auto loss = SnippetLoss::Of(kind, detail);
    for (const auto& known : losses)
        if (known == loss)
            return;
    losses.push_back(std::move(loss));
}

void ConvertedBody::WriteName(std::string_view name) {
    // Room for the names of a usual body at once, made when it has any.
    constexpr std::size_t kUsualNames = 8;
    if (written_.empty())
        written_.reserve(kUsualNames);
    code += '$';
    written_.emplace_back(code.size(), name.size());
    code.append(name) += '$';
}

// The usual code holds no dollar signs but those of the names written:
// then, when each of them is a name, they are the names read.
bool ConvertedBody::OnlyNamesWritten() const {
    const auto dollarSigns = ByteWords::CountMarked(code, [](ByteWords::Word word) {
        return ByteWords::Equal(word, '$');
    });
    if (dollarSigns != 2 * written_.size())
        return false;
    const std::string_view all = code;
    for (const auto& [at, size] : written_)
        if (!FormatLimits::IsName(all.substr(at, size)))
            return false;
    return true;
}

void ConvertedBody::NoteDollarSignsReadAsNames() {
    if (OnlyNamesWritten())
        return;
    std::size_t next = 0;
    std::string_view stray;
    const std::string_view all = code;
    FormatLimits::ForEachPiece(code, [&](const FormatLimits::CodePiece& piece) {
        if (!piece.isName || !stray.empty())
            return;
        if (next < written_.size() && all.substr(written_[next].first, written_[next].second) == piece.text)
            ++next;
        else
            stray = piece.text;
    });
    if (!stray.empty())
        Lose(SnippetLoss::Kind::DollarSignsReadAsName, stray);
}

}  // namespace tarvel
