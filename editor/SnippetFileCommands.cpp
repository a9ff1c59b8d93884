#include "editor/SnippetFileCommands.h"

#include <commdlg.h>

#include <cstring>
#include <memory>

#include "editor/CImportReportDlg.h"
#include "editor/ExpansionTree.h"
#include "editor/SnippetFileTexts.h"
#include "interop/ImportReport.h"
#include "interop/SnippetImporter.h"
#include "interop/VsCodeWriter.h"
#include "store/SafeFileWriter.h"
#include "store/StoreTexts.h"
#include "store/TextRules.h"

namespace tarvel {

namespace {

// Room for the names of many files picked at once.
constexpr DWORD kPickedNamesSize = 1 << 16;
constexpr const char* kScopedExtension = ".code-snippets";

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// One file: its path. Several: the folder, then each name, all ended by a
// NUL, the list by a second one.
std::vector<std::string> PickedPaths(const std::vector<char>& names, DWORD fileOffset) {
    std::string first(names.data());
    if (fileOffset <= first.size())
        return {first};
    std::vector<std::string> paths;
    const std::string folder = first.back() == '\\' ? first : first + '\\';
    for (const char* name = names.data() + first.size() + 1; *name != '\0'; name += std::strlen(name) + 1)
        paths.push_back(folder + name);
    return paths;
}

// The edit box and the message box want CR LF.
std::string ForDisplay(std::string text) {
    std::string display;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            display += '\r';
        display += text[i];
    }
    return display;
}

}  // namespace

bool SnippetFileCommands::Import(HWND owner, HTREEITEM root) {
    const int language = entries_.LanguageIndexOfRoot(root);
    const auto paths = PickFilesToImport(owner, language);
    if (paths.empty())
        return false;
    SnippetImporter::Shortcuts shortcuts;
    const auto existing = entries_.EntriesInTreeOrder();
    for (const auto* entry : existing[language])
        if (!entry->shortcut.empty())
            shortcuts[language].insert(entry->shortcut);
    SnippetImporter::Target target;
    target.language = language;
    auto result = SnippetImporter(files_, codePage_, std::move(shortcuts)).Import(paths, target);
    std::vector<std::unique_ptr<AutotextEntry>> imported;
    for (auto& snippet : result.snippets)
        for (auto& entry : snippet.entries)
            imported.push_back(std::make_unique<AutotextEntry>(std::move(entry)));
    const bool added = !imported.empty();
    entries_.AppendEntries(root, std::move(imported));
    ShowReport(owner, result);
    return added;
}

std::vector<std::string> SnippetFileCommands::PickFilesToImport(HWND owner, int language) const {
    std::vector<char> names(kPickedNamesSize, '\0');
    const auto title = TextRules::Format(SnippetFileTexts::kImportTitle, TemplateLanguage::At(language).rootLabel);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = SnippetFileTexts::kImportFilter;
    dialog.lpstrFile = names.data();
    dialog.nMaxFile = kPickedNamesSize;
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!::GetOpenFileNameA(&dialog))
        return {};
    return PickedPaths(names, dialog.nFileOffset);
}

// A report when something did not carry over; when nothing could be
// imported at all, the usual message box says why.
void SnippetFileCommands::ShowReport(HWND owner, const ImportResult& result) const {
    if (!result.LostSomething())
        return;
    std::string missing;
    const auto text = ForDisplay(codePage_.FromUtf8(ImportReport::Text(result), missing));
    if (result.EntryCount() == 0 && result.snippets.empty()) {
        reporter_.Report(TextRules::Format(SnippetFileTexts::kNothingImported, text.c_str()), StoreTexts::kCaption,
                         MessageIcon::Exclamation);
        return;
    }
    CImportReportDlg(module_, profile_, text).DoModal(owner);
}

void SnippetFileCommands::Export(HWND owner, HTREEITEM root) {
    const int language = entries_.LanguageIndexOfRoot(root);
    const auto path = PickExportFile(owner, language);
    if (path.empty())
        return;
    const auto all = entries_.EntriesInTreeOrder();
    VsCodeWriter writer(codePage_);
    std::string text;
    if (EndsWith(path, kScopedExtension)) {
        VsCodeWriter::LanguageEntries one;
        one[language] = all[language];
        text = writer.ScopedFile(one);
    } else {
        text = writer.LanguageFile(all[language]);
    }
    const auto result = SafeFileWriter(files_).Write(path, text);
    if (!result.Succeeded())
        reporter_.Report(
            TextRules::Format(SnippetFileTexts::kExportFailed, path.c_str(), SystemErrorText(result.error).c_str()),
            StoreTexts::kCaption, MessageIcon::Error);
}

std::string SnippetFileCommands::PickExportFile(HWND owner, int language) const {
    char name[MAX_PATH] = {};
    const auto suggested = VsCodeWriter::LanguageFileName(language);
    lstrcpynA(name, suggested.c_str(), MAX_PATH);
    const auto title = TextRules::Format(SnippetFileTexts::kExportTitle, TemplateLanguage::At(language).rootLabel);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = SnippetFileTexts::kExportFilter;
    dialog.lpstrFile = name;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = SnippetFileTexts::kExportExtension;
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    return ::GetSaveFileNameA(&dialog) ? std::string(name) : std::string();
}

std::string SnippetFileCommands::SystemErrorText(unsigned long code) const {
    if (auto text = files_.SystemErrorText(code))
        return *text;
    return TextRules::Format(StoreTexts::kUnknownError, static_cast<unsigned>(code), static_cast<int>(code & 0xFFFF));
}

}  // namespace tarvel
