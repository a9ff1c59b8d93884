#include "tests/editor/TemplateFolder.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace tarvel::uitest {
namespace {

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((path + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string child = path + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child + "\\");
            } else {
                ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(child.c_str());
            }
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(path.c_str());
}

}  // namespace

TemplateFolder::TemplateFolder() {
    static int counter = 0;
    char temp[MAX_PATH] = {};
    ::GetTempPathA(sizeof temp, temp);
    std::ostringstream name;
    name << temp << "tarvel-ui-" << ::GetCurrentProcessId() << '-' << ++counter << '-' << ::GetTickCount();
    path_ = name.str() + "\\";
    ::CreateDirectoryA(path_.c_str(), nullptr);
}

TemplateFolder::~TemplateFolder() { RemoveTree(path_); }

void TemplateFolder::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ + name, std::ios::binary) << bytes;
}

void TemplateFolder::MakeDirectory(const std::string& name) const {
    ::CreateDirectoryA((path_ + name).c_str(), nullptr);
}

std::optional<std::string> TemplateFolder::Read(const std::string& name) const {
    std::ifstream file(path_ + name, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), {});
}

bool TemplateFolder::Exists(const std::string& name) const {
    return ::GetFileAttributesA((path_ + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> TemplateFolder::Names() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((path_ + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tarvel::uitest
