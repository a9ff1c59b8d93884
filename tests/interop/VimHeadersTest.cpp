// A file of another language is read for its headers alone: the snippets it
// counts, and their lines, are those the whole reading finds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interop/SnipMateReader.h"
#include "interop/UltiSnipsReader.h"

using namespace tarvel;

namespace {

enum class Format { SnipMate, UltiSnips };

std::vector<int> Lines(Format format, const std::string& text, VimSnippetFile::Reading reading) {
    const auto snippets = format == Format::SnipMate ? SnipMateReader::Read(text, "python.snippets", reading)
                                                     : UltiSnipsReader::Read(text, "python.snippets", reading);
    std::vector<int> lines;
    for (const auto& snippet : snippets)
        lines.push_back(snippet.line);
    return lines;
}

struct Case {
    const char* name;
    Format format;
    std::string text;
    std::vector<int> lines;
};

TEST(VimHeaders, AreTheWholeReadingsHeaders) {
    const Case cases[] = {
        {"LF", Format::SnipMate, "# c\nsnippet a\n\tx\n\nsnippet b one\n\ty\n", {2, 5}},
        {"CR LF and a last line unended", Format::SnipMate, "snippet a\r\n\tx\r\nsnippet \t", {1}},
        {"CR alone", Format::SnipMate, "snippet a\r\tx\r\rsnippet b\r", {1, 4}},
        {"byte order mark", Format::SnipMate, "\xEF\xBB\xBFsnippet a\n\tx\n", {1}},
        {"no name, another word, a body line", Format::SnipMate,
         "snippet \nsnippets a\n snippet b\nsnippet c\n\tsnippet d\n", {4}},
        {"UltiSnips", Format::UltiSnips,
         "global !p\nsnippet x\nendglobal\ncontext \"a\"\nsnippet a \"d\" b\nsnippet in\nendsnippet\n"
         "snippet b\r\nendsnippet  \r\n",
         {5, 8}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Lines(c.format, c.text, VimSnippetFile::Reading::HeadersOnly), c.lines) << c.name;
        EXPECT_EQ(Lines(c.format, c.text, VimSnippetFile::Reading::Whole), c.lines) << c.name;
    }
}

}  // namespace
