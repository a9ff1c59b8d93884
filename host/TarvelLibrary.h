#pragma once

#include <windows.h>

#include "handles/UniqueHandle.h"

#include <optional>
#include <string>

namespace tarvel {
struct AutotextDlgRequest;
}

namespace tarvel::host {

// Tarvel.dll loaded the way the host editor loads it: from the host
// program's own folder, with its two exports looked up by name.
class TarvelLibrary {
public:
    static constexpr char kFileName[] = "Tarvel.dll";
    static constexpr char kEditorExport[] = "ShowAutotextEditor2";
    static constexpr char kPromptExport[] = "ShowAutotextDlg";

    // Nothing, with a one-line reason in error, when the library or an
    // export is missing.
    static std::optional<TarvelLibrary> LoadBesideProgram(std::string& error);

    // Opens the modal editor on the directory, passed as given; its result.
    int ShowAutotextEditor(HWND parent, const char* templateDirectory) const;
    // Runs the modal prompt dialog on the request; its result.
    int ShowAutotextDlg(AutotextDlgRequest& request) const;

    HMODULE Module() const noexcept { return module_.get(); }

private:
    using ExportFunction = int(__cdecl*)(void*);

    TarvelLibrary(UniqueModule module, ExportFunction editor, ExportFunction prompt) noexcept
        : module_(std::move(module)), editor_(editor), prompt_(prompt) {}

    UniqueModule module_;
    ExportFunction editor_;
    ExportFunction prompt_;
};

}  // namespace tarvel::host
