#pragma once

#include <windows.h>

#include "handles/UniqueHandle.h"

#include <optional>
#include <string>

namespace tarvel::host {

// Tarvel.dll loaded the way the host editor loads it: from the host
// program's own folder, with its editor export looked up by name.
class TarvelLibrary {
public:
    static constexpr char kFileName[] = "Tarvel.dll";
    static constexpr char kEditorExport[] = "ShowAutotextEditor2";

    // Nothing, with a one-line reason in error, when the library or the
    // export is missing.
    static std::optional<TarvelLibrary> LoadBesideProgram(std::string& error);

    // Opens the modal editor on the directory, passed as given; its result.
    int ShowAutotextEditor(HWND parent, const char* templateDirectory) const;

    HMODULE Module() const noexcept { return module_.get(); }

private:
    using EditorFunction = int(__cdecl*)(void*);

    TarvelLibrary(UniqueModule module, EditorFunction editor) noexcept : module_(std::move(module)), editor_(editor) {}

    UniqueModule module_;
    EditorFunction editor_;
};

}  // namespace tarvel::host
