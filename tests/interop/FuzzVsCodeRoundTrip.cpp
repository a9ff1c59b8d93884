// Any entry the template files can hold, from bytes split at NUL into title,
// shortcut, code and description: written as a VS Code snippet and read back,
// it is the same entry and nothing is said lost.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "interop/SnippetImporter.h"
#include "interop/VsCodeReader.h"
#include "interop/VsCodeWriter.h"
#include "interop/Windows1252CodePage.h"
#include "store/FormatLimits.h"

using namespace tarvel;

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

std::vector<std::string> Fields(std::string_view bytes) {
    std::vector<std::string> fields(4);
    std::size_t field = 0;
    for (const char c : bytes) {
        if (c == '\0' && field + 1 < fields.size())
            ++field;
        else
            fields[field] += c;
    }
    return fields;
}

// A lone LF is kept as CR LF by every save; the entries the files hold have
// CR LF.
std::string WithCrLf(std::string text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            result += '\r';
        result += text[i];
    }
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto fields = Fields(std::string_view(reinterpret_cast<const char*>(data), size));
    AutotextEntry entry;
    entry.title = fields[0];
    entry.shortcut = fields[1];
    entry.code = WithCrLf(fields[2]);
    entry.description = WithCrLf(fields[3]);
    FormatLimits::Fit(entry);
    if (entry.title.empty() && entry.shortcut.empty() && entry.code.empty())
        return 0;

    const Windows1252CodePage codePage;
    const auto json = VsCodeWriter(codePage).LanguageFile({&entry});
    auto snippets = VsCodeReader::Read(json, "cpp.json");
    require(snippets.size() == 1);
    auto& back = snippets.front();
    SnippetImporter::ConvertBody(back);
    require(back.losses.empty());
    require(back.triggers.size() == 1);
    std::string missing;
    require(codePage.FromUtf8(back.name, missing) == entry.title);
    require(codePage.FromUtf8(back.triggers.front(), missing) == entry.shortcut);
    require(codePage.FromUtf8(back.code, missing) == entry.code);
    require(codePage.FromUtf8(back.description, missing) == entry.description);
    require(missing.empty());
    return 0;
}
