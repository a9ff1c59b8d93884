#include "host/TarvelLibrary.h"

#include "app/AutotextEditorRequest.h"
#include "host/HostPaths.h"

namespace tarvel::host {

std::optional<TarvelLibrary> TarvelLibrary::LoadBesideProgram(std::string& error) {
    const std::string path = ProgramFolder() + kFileName;
    UniqueModule module(::LoadLibraryA(path.c_str()));
    if (!module) {
        error = "cannot load " + path + " (error " + std::to_string(::GetLastError()) + ")";
        return std::nullopt;
    }
    // The detour through void(*)() is the cast GCC accepts between function types.
    const auto editor =
        reinterpret_cast<EditorFunction>(reinterpret_cast<void (*)()>(::GetProcAddress(module.get(), kEditorExport)));
    if (editor == nullptr) {
        error = path + " has no export " + kEditorExport;
        return std::nullopt;
    }
    return TarvelLibrary(std::move(module), editor);
}

int TarvelLibrary::ShowAutotextEditor(HWND parent, const char* templateDirectory) const {
    AutotextEditorRequest request{parent, templateDirectory};
    return editor_(&request);
}

}  // namespace tarvel::host
