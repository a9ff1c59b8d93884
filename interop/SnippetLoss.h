#pragma once

#include <string>
#include <string_view>

#include "store/FormatLimits.h"

namespace tarvel {

// One thing of a snippet that its entry does not hold as the other editor
// did, in words for the report.
struct SnippetLoss {
    enum class Kind {
        PlaceholderDefault,
        ChoiceList,
        Transform,
        InterpolatedCode,
        RegexTrigger,
        ExpansionOptions,
        VariableWithoutTwin,
        FileTemplate,
        OtherLanguages,
        NonAnsiCharacters,
        DollarSignsReadAsName,
        FormatLimit,        // one of the store's FormatLimits, replaced or kept
        NotKept,            // not imported: the template file would read it back otherwise
        NotASnippet,        // not imported: the file's entry is no snippet
        ShortcutTaken,      // said, but nothing is lost
    };

    // The detail is quoted in the text, cut to one short line.
    static SnippetLoss Of(Kind kind, std::string_view detail);
    static SnippetLoss Of(const FormatLimits::Breach& breach);

    // A few words naming the kind, for the summary.
    const char* KindName() const;
    // Whether something the snippet had is gone or changed.
    bool IsLoss() const { return kind != Kind::ShortcutTaken; }
    bool operator==(const SnippetLoss& other) const { return text == other.text; }

    Kind kind;
    FormatLimits::Limit limit = FormatLimits::Limit::ColonInTitle;  // for Kind::FormatLimit
    std::string text;
};

}  // namespace tarvel
