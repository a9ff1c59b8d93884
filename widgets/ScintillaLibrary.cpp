#include "widgets/ScintillaLibrary.h"

#include "handles/UniqueHandle.h"

#include <cstdio>

namespace tarvel {
namespace {

constexpr const char* kErrorCaption = "Error!";
constexpr const char* kCouldNotLocate = "Could not locate %s";
constexpr const char* kCouldNotLoad = "Could not load %s - 0x%08x";

struct LoadedLibrary {
    UniqueModule module;
    int holders = 0;
};

LoadedLibrary& Loaded() noexcept {
    static LoadedLibrary library;
    return library;
}

void ReportFailure(const char* format, const std::string& path, unsigned handle) noexcept {
    char text[MAX_PATH + 64];
    std::snprintf(text, sizeof(text), format, path.c_str(), handle);
    ::MessageBoxA(nullptr, text, kErrorCaption, MB_OK | MB_ICONSTOP);
}

bool FileExists(const std::string& path) noexcept {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool ScintillaLibrary::Acquire() noexcept {
    LoadedLibrary& loaded = Loaded();
    if (loaded.module) {
        ++loaded.holders;
        return true;
    }
    std::string path;
    try {
        path = ModuleDirectory() + kFileName;
    } catch (...) {
        return false;
    }
    if (!FileExists(path)) {
        ReportFailure(kCouldNotLocate, path, 0);
        return false;
    }
    HMODULE module = ::LoadLibraryA(path.c_str());
    if (!module) {
        ReportFailure(kCouldNotLoad, path, static_cast<unsigned>(reinterpret_cast<UINT_PTR>(module)));
        return false;
    }
    loaded.module.reset(module);
    loaded.holders = 1;
    return true;
}

void ScintillaLibrary::Release() noexcept {
    LoadedLibrary& loaded = Loaded();
    if (loaded.holders > 0 && --loaded.holders == 0) {
        loaded.module.reset();
    }
}

HMODULE ScintillaLibrary::Handle() noexcept { return Loaded().module.get(); }

int ScintillaLibrary::HolderCount() noexcept { return Loaded().holders; }

std::string ScintillaLibrary::ModuleDirectory() {
    HMODULE self = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<const char*>(&ScintillaLibrary::ModuleDirectory), &self);
    char name[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(self, name, MAX_PATH);
    std::string path(name, length < MAX_PATH ? length : 0);
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

}  // namespace tarvel
