#include "host/HostPaths.h"

#include <windows.h>

#include <vector>

namespace tarvel::host {

std::string ProgramFolder() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            std::string text(path.data(), length);
            const auto slash = text.find_last_of("\\/");
            return slash == std::string::npos ? std::string{} : text.substr(0, slash + 1);
        }
        path.resize(path.size() * 2);
    }
}

std::string WithTrailingSeparator(std::string directory) {
    // An empty directory names the current one; a separator would make it the drive's root.
    if (!directory.empty() && directory.back() != '\\' && directory.back() != '/') {
        directory += '\\';
    }
    return directory;
}

}  // namespace tarvel::host
