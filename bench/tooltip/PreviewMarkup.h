#pragma once

#include <string>

#include "tooltip/HelpTipMarkup.h"

// The code of a 32 KB autotext entry, and the markup of its hover preview
// as the expansion tree builds it.
constexpr std::size_t kPreviewCodeBytes = 32 * 1024;
constexpr int kPreviewWidth = 800;

inline std::string PreviewCode() {
    static const char* const kLines[] = {
        "#include <vector>",
        "template <typename T> class $ClassName$ : public $Base$<T> {",
        "public:",
        "\texplicit $ClassName$(std::size_t count) : items_(count) {}",
        "\tfor (std::size_t i = 0; i < items_.size(); ++i) {",
        "\t\tif (items_[i] < limit && (flags & kVisible) != 0)",
        "\t\t\ttotal += items_[i] << 2; // scaled by four",
        "\t}",
        "\treturn total > 0 ? total : -1;",
        "private:",
        "\tstd::vector<T> items_; /* $selected$ */",
        "};",
        "",
    };
    std::string code;
    for (std::size_t i = 0; code.size() < kPreviewCodeBytes; ++i)
        code += std::string(kLines[i % 13]) + "\r\n";
    return code;
}

inline std::string PreviewMarkup(const std::string& code) { return CodePreviewMarkup(code); }
