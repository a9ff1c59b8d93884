// Any bytes as a snippet file of each format: no crash, no leak, no hang; a
// malformed file is a SourceError with a line in the file; every snippet
// read has a trigger and code whose names are whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "interop/SnippetImporter.h"
#include "interop/SourceText.h"

using namespace tarvel;

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

const char* const kFileNames[] = {"cpp.json", "x.code-snippets", "c.snippets", "x.sublime-snippet", "x.xml"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const char* fileName : kFileNames) {
        try {
            for (auto& snippet : SnippetImporter::ReadSnippets(bytes, fileName)) {
                require(!snippet.triggers.empty() || !snippet.losses.empty());
                SnippetImporter::ConvertBody(snippet);
                require(snippet.line >= 0 && snippet.line <= SourceText::LineOf(bytes, bytes.size()));
            }
        } catch (const SourceError& error) {
            require(error.line >= 0 && error.line <= SourceText::LineOf(bytes, bytes.size()));
        }
    }
    return 0;
}
