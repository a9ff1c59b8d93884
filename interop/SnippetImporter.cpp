#include "interop/SnippetImporter.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <memory>

#include "interop/JetBrainsReader.h"
#include "interop/SnipMateReader.h"
#include "interop/SourceText.h"
#include "interop/SublimeReader.h"
#include "interop/TextMateBody.h"
#include "interop/UltiSnipsReader.h"
#include "interop/VimSnippetFile.h"
#include "interop/VsCodeReader.h"
#include "store/FormatLimits.h"
#include "store/TemplateReader.h"
#include "store/TemplateWriter.h"
#include "store/TextRules.h"

namespace tarvel {

namespace {

constexpr const char* kUnknownFormat =
    "%s: not imported: its name does not tell a snippet format (.json, .code-snippets, .snippets, "
    ".sublime-snippet, .xml)";
constexpr const char* kUnreadable = "%s: could not be read: %s";
constexpr const char* kMalformed = "%s:%d: %s";
// Said of many files: filled in without printf's measuring.
constexpr const char* kOtherLanguage =
    "%s: %d snippets for \"%s\" not imported: that language is none of the eight";

class ReadEntries : public TreeSink {
public:
    void AppendItem(std::string_view, std::unique_ptr<AutotextEntry> entry) override {
        if (entry)
            entries.push_back(std::move(entry));
    }
    std::vector<std::unique_ptr<AutotextEntry>> entries;
};

bool SameAsRead(const AutotextEntry& entry, const AutotextEntry& back) {
    return back.title == entry.title && back.shortcut == entry.shortcut && back.code == entry.code &&
           TextRules::TrimmedRightView(back.description) == TextRules::TrimmedRightView(entry.description);
}

// Whether a template file holding the entries reads each back as it is (the
// description up to its trailing white space, which saving trims).
bool ReadBack(const std::vector<const AutotextEntry*>& entries) {
    ReadEntries read;
    read.entries.reserve(entries.size());
    // The entries read borrow their texts from the file's bytes.
    const auto text = std::make_shared<const std::string>(TemplateWriter::RecordsAsWritten(entries));
    TemplateReader(0, read, text).Read(*text);
    if (read.entries.size() != entries.size())
        return false;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (!SameAsRead(*entries[i], *read.entries[i]))
            return false;
    return true;
}

}  // namespace

SnippetImporter::Format SnippetImporter::FormatOf(const std::string& path) {
    const auto extension = SourceText::Extension(path);
    if (extension == ".json" || extension == ".code-snippets")
        return Format::VsCode;
    if (extension == ".snippets")
        return Format::Vim;
    if (extension == ".sublime-snippet")
        return Format::Sublime;
    if (extension == ".xml")
        return Format::JetBrains;
    return Format::Unknown;
}

std::vector<SourceSnippet> SnippetImporter::ReadSnippets(std::string_view bytes, const std::string& path,
                                                         bool bodies) {
    return ReadSnippets(bytes, path, FormatOf(path), bodies);
}

std::vector<SourceSnippet> SnippetImporter::ReadSnippets(std::string_view bytes, const std::string& path, Format format,
                                                         bool bodies) {
    const auto reading = bodies ? VimSnippetFile::Reading::Whole : VimSnippetFile::Reading::HeadersOnly;
    switch (format) {
        case Format::VsCode:
            return VsCodeReader::Read(bytes, path);
        case Format::Vim:
            return VimSnippetFile::IsUltiSnips(bytes) ? UltiSnipsReader::Read(bytes, path, reading)
                                                      : SnipMateReader::Read(bytes, path, reading);
        case Format::Sublime:
            return SublimeReader::Read(bytes, path);
        case Format::JetBrains:
            return JetBrainsReader::Read(bytes, path);
        case Format::Unknown:
            break;
    }
    return {};
}

ImportResult SnippetImporter::Import(const std::vector<std::string>& paths, const Target& target) {
    ImportResult result;
    // One buffer for every file's bytes, which are wanted only while it is read.
    std::string bytes;
    for (const auto& path : paths)
        ImportFile(path, target, bytes, result);
    return result;
}

void SnippetImporter::ImportFile(const std::string& path, const Target& target, std::string& bytes,
                                 ImportResult& result) {
    ++result.files;
    const auto format = FormatOf(path);
    if (format == Format::Unknown) {
        result.fileMessages.push_back(TextRules::Format(kUnknownFormat, path.c_str()));
        return;
    }
    if (const auto error = files_.ReadAll(path, bytes)) {
        const auto text = files_.SystemErrorText(error);
        result.fileMessages.push_back(
            TextRules::Format(kUnreadable, path.c_str(), text ? text->c_str() : std::to_string(error).c_str()));
        return;
    }
    // Vim's files name their language; those of none of the eight are only
    // counted, unless they are to be imported all the same.
    std::string fileType;
    const bool counted = target.language < 0 && target.otherLanguages < 0 && format == Format::Vim &&
                         VimSnippetFile::LanguageOf(path, fileType) == SnippetMapping::kNoLanguage;
    std::vector<SourceSnippet> sources;
    try {
        sources = ReadSnippets(bytes, path, format, !counted);
    } catch (const SourceError& error) {
        result.fileMessages.push_back(TextRules::Format(kMalformed, path.c_str(), error.line, error.what()));
        return;
    }
    // A counted file's snippets are all of its language.
    if (counted) {
        if (!sources.empty())
            result.fileMessages.push_back(
                SourceText::Filled(kOtherLanguage, {path, std::to_string(sources.size()), fileType}));
        return;
    }
    std::map<std::string, int> skipped;
    const auto first = result.snippets.size();
    // Room grows by doubling: a reserve of just this file's snippets would
    // move every snippet of the files before at each file.
    if (result.snippets.capacity() < first + sources.size())
        result.snippets.reserve(std::max(2 * result.snippets.capacity(), first + sources.size()));
    for (auto& source : sources) {
        int language = target.language >= 0 ? target.language : source.language;
        if (language < 0)
            language = target.otherLanguages;
        if (language < 0) {
            ++skipped[source.languageName];
            continue;
        }
        ImportedSnippet imported;
        imported.file = path;
        imported.line = source.line;
        imported.name = source.name;
        imported.language = language;
        ImportSnippet(source, language, imported);
        result.snippets.push_back(std::move(imported));
    }
    KeepWhatReadsBack(result.snippets, first);
    for (const auto& [name, count] : skipped)
        result.fileMessages.push_back(SourceText::Filled(kOtherLanguage, {path, std::to_string(count), name}));
}

void SnippetImporter::ImportSnippet(SourceSnippet& source, int language, ImportedSnippet& imported) {
    ConvertBody(source);
    imported.losses.reserve(source.losses.size());
    for (auto& loss : source.losses)
        Note(imported, std::move(loss));
    for (const auto& loss : imported.losses)
        if (loss.kind == SnippetLoss::Kind::NotASnippet)
            return;
    std::string missing;
    imported.entries.reserve(source.triggers.size());
    for (std::size_t trigger = 0; trigger < source.triggers.size(); ++trigger) {
        auto& entry = imported.entries.emplace_back();
        Fill(entry, source, trigger, missing);
        entry.language = language;
        for (const auto& breach : FormatLimits::Fit(entry))
            Note(imported, SnippetLoss::Of(breach));
    }
    if (!missing.empty())
        Note(imported, SnippetLoss::Of(SnippetLoss::Kind::NonAnsiCharacters, missing));
}

void SnippetImporter::ConvertBody(SourceSnippet& source) {
    if (source.syntax == SourceSnippet::Syntax::Code)
        return;
    auto converted = TextMateBody::Convert(source.code, source.syntax == SourceSnippet::Syntax::Vim
                                                            ? TextMateBody::Dialect::Vim
                                                            : TextMateBody::Dialect::VsCode);
    source.syntax = SourceSnippet::Syntax::Code;
    source.code = std::move(converted.code);
    if (source.losses.empty())
        source.losses = std::move(converted.losses);
    else
        source.losses.insert(source.losses.end(), std::make_move_iterator(converted.losses.begin()),
                             std::make_move_iterator(converted.losses.end()));
}

// The last trigger's entry takes the snippet's texts, which nothing wants
// after it, rather than copies of them.
void SnippetImporter::Fill(AutotextEntry& entry, SourceSnippet& source, std::size_t trigger,
                           std::string& missing) const {
    const bool last = trigger + 1 == source.triggers.size();
    const auto convert = [&](std::string& text) {
        return last ? codePage_.FromUtf8(std::move(text), missing) : codePage_.FromUtf8(text, missing);
    };
    entry.title = convert(source.name);
    entry.shortcut = convert(source.triggers[trigger]);
    entry.code = convert(source.code);
    entry.description = convert(source.description);
}

// A file's entries are read back together; one at a time only when they do
// not all come back, to tell which.
void SnippetImporter::KeepWhatReadsBack(std::vector<ImportedSnippet>& snippets, std::size_t first) {
    std::vector<const AutotextEntry*> entries;
    for (auto snippet = snippets.begin() + static_cast<std::ptrdiff_t>(first); snippet != snippets.end(); ++snippet)
        for (const auto& entry : snippet->entries)
            entries.push_back(&entry);
    const bool allBack = ReadBack(entries);
    for (auto snippet = snippets.begin() + static_cast<std::ptrdiff_t>(first); snippet != snippets.end(); ++snippet) {
        auto& entries = snippet->entries;
        const auto kept = std::remove_if(entries.begin(), entries.end(), [&](const AutotextEntry& entry) {
            if (allBack || ReadBack({&entry}))
                return false;
            Note(*snippet, SnippetLoss::Of(SnippetLoss::Kind::NotKept, ""));
            return true;
        });
        entries.erase(kept, entries.end());
        for (const auto& entry : entries)
            NoteShortcut(entry, *snippet);
    }
}

void SnippetImporter::NoteShortcut(const AutotextEntry& entry, ImportedSnippet& imported) {
    if (!entry.shortcut.empty() && !shortcuts_[entry.language].insert(entry.shortcut).second)
        Note(imported, SnippetLoss::Of(SnippetLoss::Kind::ShortcutTaken, entry.shortcut));
}

// Each loss once, though several triggers meet it.
void SnippetImporter::Note(ImportedSnippet& imported, SnippetLoss loss) {
    for (const auto& known : imported.losses)
        if (known == loss)
            return;
    imported.losses.push_back(std::move(loss));
}

}  // namespace tarvel
