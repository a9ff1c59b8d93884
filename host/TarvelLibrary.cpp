#include "host/TarvelLibrary.h"

#include "app/AutotextEditorRequest.h"
#include "host/HostPaths.h"
#include "prompt/AutotextDlgRequest.h"

namespace tarvel::host {
namespace {

// The detour through void(*)() is the cast GCC accepts between function types.
template <class Function>
Function ExportOf(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

}  // namespace

std::optional<TarvelLibrary> TarvelLibrary::LoadBesideProgram(std::string& error) {
    const std::string path = ProgramFolder() + kFileName;
    UniqueModule module(::LoadLibraryA(path.c_str()));
    if (!module) {
        error = "cannot load " + path + " (error " + std::to_string(::GetLastError()) + ")";
        return std::nullopt;
    }
    const auto editor = ExportOf<ExportFunction>(module.get(), kEditorExport);
    const auto prompt = ExportOf<ExportFunction>(module.get(), kPromptExport);
    if (editor == nullptr || prompt == nullptr) {
        error = path + " has no export " + (editor == nullptr ? kEditorExport : kPromptExport);
        return std::nullopt;
    }
    return TarvelLibrary(std::move(module), editor, prompt);
}

int TarvelLibrary::ShowAutotextEditor(HWND parent, const char* templateDirectory) const {
    AutotextEditorRequest request{parent, templateDirectory};
    return editor_(&request);
}

int TarvelLibrary::ShowAutotextDlg(AutotextDlgRequest& request) const { return prompt_(&request); }

}  // namespace tarvel::host
