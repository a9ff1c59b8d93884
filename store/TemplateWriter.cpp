#include "store/TemplateWriter.h"

#include <algorithm>
#include <string_view>

#include "store/TextRules.h"

using namespace TextRules;

namespace TemplateWriter {

namespace {

bool hasLoneLineFeed(const std::string& text)
{
    for (auto lf = text.find('\n'); lf != std::string::npos; lf = text.find('\n', lf + 1))
        if (lf == 0 || text[lf - 1] != '\r')
            return true;
    return false;
}

// The description keeps CR LF in memory; only a lone LF in it gains its CR.
std::string readmeBlock(AutotextEntry& entry)
{
    if (entry.description.empty())
        return {};
    auto text = trimRight(entry.description);
    replaceAll(text, "\r\n", "\n");
    if (hasLoneLineFeed(entry.description)) {
        replaceAll(entry.description, "\r\n", "\n");
        replaceAll(entry.description, "\n", "\r\n");
    }
    return "readme:\n" + text + "\n\f\n";
}

std::string formatRecord(AutotextEntry& entry)
{
    replaceAll(entry.title, "\r\n", "\n");
    replaceAll(entry.shortcut, "\r\n", "\n");
    replaceAll(entry.code, "\r\n", "\n");
    std::string chunk = readmeBlock(entry);
    if (entry.title.empty() && entry.shortcut.empty() && entry.code.empty())
        return {};
    chunk.reserve(chunk.size() + entry.title.size() + entry.shortcut.size() + entry.code.size() + 8);
    chunk.append("a:").append(entry.title).append(":").append(entry.shortcut).append(":\n");
    chunk.append(entry.code).append("\f\n");
    return chunk;
}

} // namespace

std::vector<std::string> FormatLanguageRecords(const std::vector<AutotextEntry*>& entries)
{
    std::vector<std::string> chunks;
    for (auto* entry : entries) {
        if (entry == nullptr || entry->kind != 0)
            continue;
        auto chunk = formatRecord(*entry);
        if (!chunk.empty())
            chunks.push_back(std::move(chunk));
    }
    return chunks;
}

std::string fileBytes(const std::vector<std::string>& chunks)
{
    std::size_t size = 0;
    for (const auto& chunk : chunks)
        size += chunk.size() + static_cast<std::size_t>(std::count(chunk.begin(), chunk.end(), '\n'));
    std::string bytes(size, '\0');
    char* out = bytes.data();
    for (const auto& chunk : chunks)
        for (const char c : chunk) {
            if (c == '\n')
                *out++ = '\r';
            *out++ = c;
        }
    return bytes;
}

} // namespace TemplateWriter
