#pragma once

#include <windows.h>

namespace tarvel {

// A typed export of a loaded module; null when it has no such export.
// The detour through void(*)() is the cast GCC accepts between function types.
template <typename Function>
Function procAddress(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace tarvel
