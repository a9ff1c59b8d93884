#include "widgets/ScintillaLibrary.h"

#include "handles/ModuleFile.h"
#include "handles/UniqueHandle.h"

#include <cstdio>
#include <cstring>

namespace tarvel {
namespace {

constexpr const char* kErrorCaption = "Error!";
constexpr const char* kCouldNotLocate = "Could not locate %s";
constexpr const char* kCouldNotLoad = "Could not load %s - 0x%08x";
constexpr size_t kHandleDigits = 16;

struct LoadedLibrary {
    UniqueModule module;
    int holders = 0;
};

LoadedLibrary& Loaded() noexcept {
    static LoadedLibrary library;
    return library;
}

// The message names the path in the ANSI code page, as every text of the
// module is; a character it cannot spell shows as a question mark.
void ReportFailure(const char* format, const std::wstring& path, unsigned handle) noexcept {
    try {
        const int size = ::WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string narrow(static_cast<size_t>(size > 0 ? size : 1), '\0');
        ::WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, &narrow[0], size, nullptr, nullptr);
        std::string text(narrow.size() + std::strlen(format) + kHandleDigits, '\0');
        std::snprintf(&text[0], text.size(), format, narrow.c_str(), handle);
        ::MessageBoxA(nullptr, text.c_str(), kErrorCaption, MB_OK | MB_ICONSTOP);
    } catch (...) {
        ::MessageBoxA(nullptr, ScintillaLibrary::kFileName, kErrorCaption, MB_OK | MB_ICONSTOP);
    }
}

bool FileExists(const std::wstring& path) noexcept {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool ScintillaLibrary::Acquire() noexcept {
    LoadedLibrary& loaded = Loaded();
    if (loaded.module) {
        ++loaded.holders;
        return true;
    }
    std::wstring path;
    try {
        // Wide, so that a folder whose name the ANSI code page cannot spell,
        // or one longer than MAX_PATH, is still found.
        const std::wstring name(kFileName, kFileName + std::strlen(kFileName));
        const std::wstring directory = ModuleDirectory();
        path = directory + name;
        // The name alone would load whatever the search path finds first.
        if (directory.empty()) {
            ReportFailure(kCouldNotLocate, path, 0);
            return false;
        }
    } catch (...) {
        return false;
    }
    if (!FileExists(path)) {
        ReportFailure(kCouldNotLocate, path, 0);
        return false;
    }
    HMODULE module = ::LoadLibraryW(path.c_str());
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

std::wstring ScintillaLibrary::ModuleDirectory() {
    const std::wstring name = ModuleFileName(ThisModule());
    const size_t separator = name.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : name.substr(0, separator + 1);
}

}  // namespace tarvel
