#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "interop/Win32CodePage.h"
#include "store/FilePort.h"
#include "store/Reporter.h"

namespace tarvel {

class ExpansionTree;
class CProfile;
struct ImportResult;

// The language roots' Import and Export: other editors' snippet files, picked
// in the standard open-file dialog, become entries under the root (marked as
// changed, saved with the next Apply or OK), with the report of what did not
// carry over; the root's entries, as they stand, are written as VS Code's
// snippets to a file picked in the save-file dialog.
class SnippetFileCommands {
public:
    // The module holds the report dialog's template.
    SnippetFileCommands(HINSTANCE module, const tarvel::CProfile& profile, ExpansionTree& entries, FilePort& files,
                        Reporter& reporter)
        : module_(module), profile_(profile), entries_(entries), files_(files), reporter_(reporter) {}

    // True when entries were added.
    bool Import(HWND owner, HTREEITEM root);
    void Export(HWND owner, HTREEITEM root);

private:
    std::vector<std::string> PickFilesToImport(HWND owner, int language) const;
    std::string PickExportFile(HWND owner, int language) const;
    void ShowReport(HWND owner, const ImportResult& result) const;
    std::string SystemErrorText(unsigned long code) const;

    HINSTANCE module_;
    const tarvel::CProfile& profile_;
    ExpansionTree& entries_;
    FilePort& files_;
    Reporter& reporter_;
    Win32CodePage codePage_;
};

}  // namespace tarvel
