#include "interop/ConvertedBody.h"

#include "store/FormatLimits.h"

void ConvertedBody::Lose(SnippetLoss::Kind kind, std::string_view detail) {
    auto loss = SnippetLoss::Of(kind, detail);
    for (const auto& known : losses)
        if (known == loss)
            return;
    losses.push_back(std::move(loss));
}

void ConvertedBody::NoteDollarSignsReadAsNames(const std::vector<std::string>& written) {
    std::size_t next = 0;
    for (const auto& piece : FormatLimits::SplitAtNames(code)) {
        if (!piece.isName)
            continue;
        if (next < written.size() && written[next] == piece.text) {
            ++next;
            continue;
        }
        Lose(SnippetLoss::Kind::DollarSignsReadAsName, piece.text);
        return;
    }
}
