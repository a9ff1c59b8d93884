#pragma once

#include <windows.h>

#include <string>

namespace tarvel {

// Per-user settings of one application under
// HKEY_CURRENT_USER\Software\<company path>\<application>\<section>.
// Reads fall back to the given default; writes create the keys on the way.
class CProfile {
public:
    CProfile(std::string companyPath, std::string applicationName)
        : companyPath_(std::move(companyPath)), applicationName_(std::move(applicationName)) {}

    // The key of a section below HKEY_CURRENT_USER.
    std::string SectionKeyPath(const std::string& section) const;

    int GetInt(const std::string& section, const std::string& entry, int defaultValue) const;
    std::string GetString(const std::string& section, const std::string& entry,
                          const std::string& defaultValue = {}) const;
    bool WriteInt(const std::string& section, const std::string& entry, int value) const;
    bool WriteString(const std::string& section, const std::string& entry, const std::string& value) const;

private:
    std::string companyPath_;
    std::string applicationName_;
};

}  // namespace tarvel
