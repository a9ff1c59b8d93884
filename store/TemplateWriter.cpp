#include "store/TemplateWriter.h"

#include <string_view>

#include "store/TextRules.h"

using namespace TextRules;

namespace TemplateWriter {

namespace {

bool isLoneLineFeed(std::string_view text, std::size_t at)
{
    return text[at] == '\n' && (at == 0 || text[at - 1] != '\r');
}

// Appends the text as the file holds it once its CR LF pairs have become LF
// and it has been written in text mode: every LF then stands after a CR,
// which comes to the same as giving each lone LF a CR.
void appendAsWritten(std::string& out, std::string_view text)
{
    char previous = '\0';
    for (const char c : text) {
        if (c == '\n' && previous != '\r')
            out.push_back('\r');
        out.push_back(c);
        previous = c;
    }
}

bool hasLoneLineFeed(std::string_view text)
{
    for (auto lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', lf + 1))
        if (isLoneLineFeed(text, lf))
            return true;
    return false;
}

// The description stays in memory with CR LF breaks: turning them into LF and
// back changes nothing but a lone LF, which gains its CR.
void appendReadmeBlock(std::string& chunk, AutotextEntry& entry)
{
    if (entry.description.empty())
        return;
    chunk.append("readme:\r\n");
    appendAsWritten(chunk, trimmedRightView(entry.description));
    chunk.append("\r\n\f\r\n");
    if (hasLoneLineFeed(entry.description))
        replaceAll(entry.description, "\n", "\r\n");
}

std::string formatRecord(AutotextEntry& entry)
{
    if (entry.title.empty() && entry.shortcut.empty() && entry.code.empty()) {
        if (hasLoneLineFeed(entry.description))
            replaceAll(entry.description, "\n", "\r\n");
        return {};
    }
    std::string chunk;
    // Room for the text, a CR for every few characters and the fixed parts.
    const auto textSize = entry.description.size() + entry.title.size() + entry.shortcut.size() +
                          entry.code.size();
    chunk.reserve(textSize + textSize / 4 + 32);
    appendReadmeBlock(chunk, entry);
    chunk.append("a:");
    appendAsWritten(chunk, entry.title);
    chunk.append(":");
    appendAsWritten(chunk, entry.shortcut);
    chunk.append(":\r\n");
    appendAsWritten(chunk, entry.code);
    chunk.append("\f\r\n");
    // Title, shortcut and code keep LF line breaks after a save.
    replaceAll(entry.title, "\r\n", "\n");
    replaceAll(entry.shortcut, "\r\n", "\n");
    replaceAll(entry.code, "\r\n", "\n");
    return chunk;
}

} // namespace

std::vector<std::string> FormatLanguageRecords(const std::vector<AutotextEntry*>& entries)
{
    std::vector<std::string> chunks;
    chunks.reserve(entries.size());
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
        size += chunk.size();
    std::string bytes;
    bytes.reserve(size);
    for (const auto& chunk : chunks)
        bytes.append(chunk);
    return bytes;
}

} // namespace TemplateWriter
