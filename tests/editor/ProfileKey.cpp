#include "tests/editor/ProfileKey.h"

#include "handles/UniqueHandle.h"

#include <shlwapi.h>

#include <algorithm>

namespace tarvel::uitest {
namespace {

UniqueKey OpenKey(const char* path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return {};
    }
    return UniqueKey(key);
}

UniqueKey CreateDialogKey() {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, ProfileKey::kDialogKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS) {
        return {};
    }
    return UniqueKey(key);
}

}  // namespace

void ProfileKey::DeleteModuleKey() { ::SHDeleteKeyA(HKEY_CURRENT_USER, kModuleKey); }

std::optional<int> ProfileKey::ReadInt(const char* name) {
    const auto key = OpenKey(kDialogKey);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (!key ||
        ::RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::optional<std::string> ProfileKey::ReadString(const char* name) {
    const auto key = OpenKey(kDialogKey);
    DWORD type = 0;
    char value[512] = {};
    DWORD size = sizeof value - 1;
    if (!key ||
        ::RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    return std::string(value);
}

void ProfileKey::WriteInt(const char* name, int value) {
    const auto key = CreateDialogKey();
    const auto data = static_cast<DWORD>(value);
    ::RegSetValueExA(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

void ProfileKey::WriteString(const char* name, const std::string& value) {
    const auto key = CreateDialogKey();
    ::RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
}

std::vector<std::string> ProfileKey::DialogValueNames() {
    std::vector<std::string> names;
    const auto key = OpenKey(kDialogKey);
    char name[256];
    for (DWORD index = 0; key; ++index) {
        DWORD size = sizeof name;
        if (::RegEnumValueA(key.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, size);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> ProfileKey::SubKeyNames(const char* keyPath) {
    std::vector<std::string> names;
    const auto key = OpenKey(keyPath);
    char name[256];
    for (DWORD index = 0; key; ++index) {
        DWORD size = sizeof name;
        if (::RegEnumKeyExA(key.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, size);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tarvel::uitest
