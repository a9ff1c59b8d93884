#pragma once

#include <array>
#include <string>
#include <vector>

#include "store/AutotextEntry.h"
#include "store/FilePort.h"
#include "store/Reporter.h"
#include "store/TemplateLanguage.h"
#include "store/TreeSink.h"

// The eight template files of one template directory: loading them into the
// tree, and saving the tree's entries back. Failures are shown through the
// reporter and never returned; a failed language is skipped.
class TemplateStore {
public:
    // The entries under each language root, in tree order.
    using LanguageEntries = std::array<std::vector<AutotextEntry*>, TemplateLanguage::kCount>;

    enum Format { kUnreadable = -1, kLegacyFormat = 0, kCurrentFormat = 1 };

    // The directory is used verbatim: file names are appended to it directly.
    TemplateStore(std::string directory, FilePort& files, Reporter& reporter);

    std::string TemplatePath(int language) const;

    void LoadLanguageTemplates(int language, TreeSink& sink);
    int DetectTemplateFormat(const std::string& path);
    void ReadTemplateFile(const std::string& path, int language, TreeSink& sink);
    void ReadLegacyTemplateFile(const std::string& path, TreeSink& sink);

    void SaveAllTemplates(const LanguageEntries& entries);
    void FormatLanguageRecords(const std::vector<AutotextEntry*>& entries, const std::string& path);
    void WriteTemplateFile(const std::string& path, const std::string& text);

    std::string SystemErrorText(unsigned long code);

    // Whether file bytes are in the older layout, with a "caretPosChar:" header.
    static bool IsLegacyFormat(std::string_view bytes) { return FormatOf(bytes) == kLegacyFormat; }

private:
    static int FormatOf(std::string_view bytes);
    void ReadLanguage(int language, const std::string& path, TreeSink& sink);
    bool ReadBytes(const std::string& path, std::string& bytes);
    bool EnsureWritableFile(const std::string& path);

    std::string directory_;
    FilePort& files_;
    Reporter& reporter_;
    // Languages whose file exists but could not be read: saving them would
    // replace entries the user never saw.
    std::array<bool, TemplateLanguage::kCount> unread_{};
};
