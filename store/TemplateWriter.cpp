#include "store/TemplateWriter.h"

#include "store/TextRules.h"

using namespace TextRules;

namespace TemplateWriter {

namespace {

std::string readmeBlock(AutotextEntry& entry)
{
    if (entry.description.empty())
        return {};
    replaceAll(entry.description, "\r\n", "\n");
    return "readme:\n" + trimRight(entry.description) + "\n\f\n";
}

std::string formatRecord(AutotextEntry& entry)
{
    replaceAll(entry.title, "\r\n", "\n");
    replaceAll(entry.shortcut, "\r\n", "\n");
    replaceAll(entry.code, "\r\n", "\n");
    std::string chunk = readmeBlock(entry);
    if (!entry.description.empty())
        replaceAll(entry.description, "\n", "\r\n");
    if (entry.title.empty() && entry.shortcut.empty() && entry.code.empty())
        return {};
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
    std::string bytes;
    for (const auto& chunk : chunks)
        for (char c : chunk) {
            if (c == '\n')
                bytes += '\r';
            bytes += c;
        }
    return bytes;
}

} // namespace TemplateWriter
