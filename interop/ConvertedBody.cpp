#include "interop/ConvertedBody.h"

#include "store/FormatLimits.h"

namespace tarvel {

void ConvertedBody::Lose(SnippetLoss::Kind kind, std::string_view detail) {
    auto loss = SnippetLoss::Of(kind, detail);
    for (const auto& known : losses)
        if (known == loss)
            return;
    losses.push_back(std::move(loss));
}

void ConvertedBody::NoteDollarSignsReadAsNames(const std::vector<std::string>& written) {
    std::size_t next = 0;
    std::string_view stray;
    FormatLimits::ForEachPiece(code, [&](const FormatLimits::CodePiece& piece) {
        if (!piece.isName || !stray.empty())
            return;
        if (next < written.size() && written[next] == piece.text)
            ++next;
        else
            stray = piece.text;
    });
    if (!stray.empty())
        Lose(SnippetLoss::Kind::DollarSignsReadAsName, stray);
}

}  // namespace tarvel
