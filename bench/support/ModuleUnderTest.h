#pragma once

// The set-up every benchmark of the module shares: Tarvel.dll loaded from
// beside the benchmark like a host would, and the tree controls its floors
// create for themselves.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <optional>
#include <string>

#include "host/TarvelLibrary.h"

namespace tarvel::bench {

// The exit code of a benchmark that could not set itself up.
constexpr int kSetupError = 2;

// The module, or none after saying why on standard error.
inline std::optional<host::TarvelLibrary> LoadModuleUnderTest(const char* benchmark) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    std::string error;
    auto library = host::TarvelLibrary::LoadBesideProgram(error);
    if (!library)
        std::fprintf(stderr, "%s: %s\n", benchmark, error.c_str());
    return library;
}

}  // namespace tarvel::bench
