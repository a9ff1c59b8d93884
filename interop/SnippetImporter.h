#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "interop/CodePage.h"
#include "interop/ImportResult.h"
#include "interop/SourceSnippet.h"
#include "store/FilePort.h"
#include "store/TemplateLanguage.h"

namespace tarvel {

// Reads other editors' snippet files through the file port and turns their
// snippets into entries: in the ANSI code page, fitted to what the template
// format keeps, and each checked to read back from a template file as it is.
// Whatever an entry does not hold of its snippet is listed with it.
class SnippetImporter {
public:
    struct Target {
        // Every snippet goes to this language (the editor's root), or, when
        // none, to the language its file names.
        int language = -1;
        // Where snippets of a language none of the eight go; none skips them.
        int otherLanguages = -1;
    };
    using Shortcuts = std::array<std::unordered_set<std::string>, TemplateLanguage::kCount>;

    // The shortcuts already in each language, to say where one repeats.
    SnippetImporter(FilePort& files, const CodePage& codePage, Shortcuts existing)
        : files_(files), codePage_(codePage), shortcuts_(std::move(existing)) {}

    ImportResult Import(const std::vector<std::string>& paths, const Target& target);

    enum class Format { VsCode, Vim, Sublime, JetBrains, Unknown };
    // By the file's extension; snipMate's and UltiSnips' files then differ
    // in their text.
    static Format FormatOf(const std::string& path);
    // The snippets of one file's bytes, by the format its name tells, their
    // bodies as the file has them (or, where the format can, none); throws
    // SourceError for a malformed file.
    static std::vector<SourceSnippet> ReadSnippets(std::string_view bytes, const std::string& path,
                                                   bool bodies = true);
    // Turns the body into code, from the syntax it was read in, with what
    // the code does not hold of it.
    static void ConvertBody(SourceSnippet& source);

private:
    static std::vector<SourceSnippet> ReadSnippets(std::string_view bytes, const std::string& path, Format format,
                                                   bool bodies);
    void ImportFile(const std::string& path, const Target& target, std::string& bytes, ImportResult& result);
    void ImportSnippet(SourceSnippet& source, int language, ImportedSnippet& imported);
    // The entry of one trigger, made in its place in the snippet's list.
    void Fill(AutotextEntry& entry, SourceSnippet& source, std::size_t trigger, std::string& missing) const;
    void KeepWhatReadsBack(std::vector<ImportedSnippet>& snippets, std::size_t first);
    // Said when the entry's shortcut is already in its language.
    void NoteShortcut(const AutotextEntry& entry, ImportedSnippet& imported);
    static void Note(ImportedSnippet& imported, SnippetLoss loss);

    FilePort& files_;
    const CodePage& codePage_;
    Shortcuts shortcuts_;
};

}  // namespace tarvel
