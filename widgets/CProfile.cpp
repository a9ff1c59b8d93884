#include "widgets/CProfile.h"

#include "handles/UniqueHandle.h"

#include <vector>

namespace tarvel {
namespace {

UniqueKey OpenSection(const std::string& path, bool create) {
    HKEY key = nullptr;
    LONG status =
        create ? ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr)
               : ::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    return UniqueKey(status == ERROR_SUCCESS ? key : nullptr);
}

}  // namespace

std::string CProfile::SectionKeyPath(const std::string& section) const {
    return "Software\\" + companyPath_ + "\\" + applicationName_ + "\\" + section;
}

int CProfile::GetInt(const std::string& section, const std::string& entry, int defaultValue) const {
    UniqueKey key = OpenSection(SectionKeyPath(section), false);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (!key ||
        ::RegQueryValueExA(key.get(), entry.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value)) {
        return defaultValue;
    }
    return static_cast<int>(value);
}

std::string CProfile::GetString(const std::string& section, const std::string& entry,
                                const std::string& defaultValue) const {
    UniqueKey key = OpenSection(SectionKeyPath(section), false);
    DWORD type = 0;
    DWORD size = 0;
    if (!key || ::RegQueryValueExA(key.get(), entry.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return defaultValue;
    }
    std::vector<char> buffer(size + 1, '\0');
    if (::RegQueryValueExA(key.get(), entry.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS) {
        return defaultValue;
    }
    return std::string(buffer.data());
}

bool CProfile::WriteInt(const std::string& section, const std::string& entry, int value) const {
    UniqueKey key = OpenSection(SectionKeyPath(section), true);
    const DWORD data = static_cast<DWORD>(value);
    return key && ::RegSetValueExA(key.get(), entry.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                   sizeof(data)) == ERROR_SUCCESS;
}

bool CProfile::WriteString(const std::string& section, const std::string& entry, const std::string& value) const {
    UniqueKey key = OpenSection(SectionKeyPath(section), true);
    return key && ::RegSetValueExA(key.get(), entry.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                   static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace tarvel
