#include "tests/editor/EditorHost.h"

#include "host/TarvelLibrary.h"

#include <gtest/gtest.h>

#include <optional>

namespace tarvel::uitest {
namespace {

const std::optional<host::TarvelLibrary>& Library() {
    static std::string error;
    static const std::optional<host::TarvelLibrary> library = host::TarvelLibrary::LoadBesideProgram(error);
    if (!library) {
        ADD_FAILURE() << error;
    }
    return library;
}

}  // namespace

int EditorHost::ShowAutotextEditor(const std::string& templateDirectory, HWND parent) {
    const auto& library = Library();
    return library ? library->ShowAutotextEditor(parent, templateDirectory.c_str()) : kNotLoaded;
}

int EditorHost::ShowAutotextDlg(AutotextDlgRequest& request) {
    const auto& library = Library();
    return library ? library->ShowAutotextDlg(request) : kNotLoaded;
}

HMODULE EditorHost::Module() {
    const auto& library = Library();
    return library ? library->Module() : nullptr;
}

}  // namespace tarvel::uitest
