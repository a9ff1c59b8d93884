#include "tooltip/HtmlLength.h"

#include <algorithm>
#include <cstdint>

#include "tooltip/HtmlText.h"

namespace tarvel {

namespace {

// Values are read in thousandths so "1.5em" and "2.54cm" stay integer work.
constexpr std::int64_t kScale = 1000;
// Whole parts stop growing here, far beyond any length, so the arithmetic
// below stays in range.
constexpr std::int64_t kLargestWhole = 1000000000;
constexpr int kHtmlFontSizes[] = {8, 10, 12, 14, 18, 24, 36};

struct Number {
    std::int64_t thousandths = 0;
    bool whole = true;
    std::string_view unit;
};

std::optional<Number> ReadNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    Number n;
    int digits = 0;
    std::size_t i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits)
        n.thousandths = std::min(n.thousandths * 10 + (text[i] - '0'), kLargestWhole);
    n.thousandths *= kScale;
    if (i < text.size() && text[i] == '.') {
        n.whole = false;
        std::int64_t place = kScale / 10;
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
            n.thousandths += (text[i] - '0') * place;
            place /= 10;
        }
    }
    if (digits == 0)
        return std::nullopt;
    n.unit = TrimSpaces(text.substr(i));
    return n;
}

std::optional<std::int64_t> ToPixels(const Number& n, const HtmlLengthBasis& basis) {
    const std::int64_t v = n.thousandths;
    const std::int64_t ppi = basis.pixelsPerInch;
    const std::string unit = AsciiLower(n.unit);
    if (unit.empty()) {
        if (basis.fontSize && n.whole && v >= 1 * kScale && v <= 7 * kScale)
            return kHtmlFontSizes[v / kScale - 1];
        return v / kScale;
    }
    if (unit == "px")
        return v / kScale;
    if (unit == "%")
        return basis.current * v / (100 * kScale);
    if (unit == "in")
        return v * ppi / kScale;
    if (unit == "cm")
        return v * ppi * 100 / (254 * kScale);
    if (unit == "mm")
        return v * ppi * 10 / (254 * kScale);
    if (unit == "pt")
        return v * ppi / (72 * kScale);
    if (unit == "pc")
        return v * ppi / (6 * kScale);
    if (unit == "ex" || unit == "em") {
        if (!basis.fontMetrics)
            return std::nullopt;
        const HtmlFontMetrics m = basis.fontMetrics();
        return v * (unit == "ex" ? m.xHeight : m.height) / kScale;
    }
    return std::nullopt;
}

std::optional<Number> ReadLength(std::string_view value) { return ReadNumber(Unquote(TrimSpaces(value))); }

}  // namespace

std::optional<int> ParseHtmlLength(std::string_view value, const HtmlLengthBasis& basis) {
    const auto number = ReadLength(value);
    if (!number)
        return std::nullopt;
    const auto pixels = ToPixels(*number, basis);
    if (!pixels)
        return std::nullopt;
    return static_cast<int>(std::clamp<std::int64_t>(*pixels, 0, kMaxLength));
}

bool IsHtmlPercentage(std::string_view value) {
    const auto number = ReadLength(value);
    return number && number->unit == "%";
}

}  // namespace tarvel
