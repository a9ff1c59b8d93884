#pragma once

#include <windows.h>

#include <string>

namespace tarvel {

// The editing component's library, "scilexer.dll", loaded from the folder of
// the module that holds this code and shared by every live editor: each
// holder keeps it loaded, the last one to let go unloads it, as its window
// classes are global: while it is loaded no other copy of it (another
// plug-in's) can load in the host's process. A failed load is reported in a
// message box and holds nothing, so the next holder retries.
class ScintillaLibrary {
public:
    static constexpr const char* kFileName = "scilexer.dll";

    // True when the library is loaded (now or already).
    static bool Acquire() noexcept;
    static void Release() noexcept;

    static HMODULE Handle() noexcept;
    static int HolderCount() noexcept;
    // The folder of the module this code is linked into, with its separator.
    static std::wstring ModuleDirectory();
};

}  // namespace tarvel
