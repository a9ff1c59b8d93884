#include "interop/SourceText.h"

#include <algorithm>
#include <cctype>

#include "store/TextRules.h"

namespace tarvel::SourceText {

std::string WithCrLf(std::string_view text) {
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            result += '\r';
        result += text[i];
    }
    return result;
}

int LineOf(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    // As the line readers count: a file without LF ends its lines with CR.
    const char lineEnd = TextRules::HasOnlyCarriageReturns(text) ? '\r' : '\n';
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), lineEnd));
}

namespace {

// Where the last slash of either kind stands; npos when none. A plain loop:
// a search for either of two characters looks each one up in the pair.
std::size_t LastSlash(std::string_view path) {
    for (auto at = path.size(); at > 0; --at)
        if (path[at - 1] == '/' || path[at - 1] == '\\')
            return at - 1;
    return std::string_view::npos;
}

}  // namespace

std::string_view FileName(std::string_view path) {
    const auto slash = LastSlash(path);
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view Stem(std::string_view path) {
    const auto name = FileName(path);
    return name.substr(0, name.find('.'));
}

std::string_view FolderName(std::string_view path) {
    const auto slash = LastSlash(path);
    return slash == std::string_view::npos ? std::string_view() : FileName(path.substr(0, slash));
}

std::string Extension(std::string_view path) {
    const auto name = FileName(path);
    const auto dot = name.rfind('.');
    std::string extension(dot == std::string_view::npos ? std::string_view() : name.substr(dot));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

std::string Filled(std::string_view pattern, std::initializer_list<std::string_view> texts) {
    std::size_t size = pattern.size();
    for (const auto text : texts)
        size += text.size();
    std::string filled;
    filled.reserve(size);
    auto text = texts.begin();
    std::size_t from = 0;
    for (auto at = pattern.find('%'); at != std::string_view::npos && at + 1 < pattern.size();
         at = pattern.find('%', from)) {
        const char directive = pattern[at + 1];
        const bool replaced = (directive == 's' || directive == 'd') && text != texts.end();
        filled.append(pattern.substr(from, at - from + (replaced ? 0 : directive == '%' ? 1 : 2)));
        if (replaced)
            filled.append(*text++);
        from = at + 2;
    }
    return filled.append(pattern.substr(from));
}

}  // namespace tarvel::SourceText
