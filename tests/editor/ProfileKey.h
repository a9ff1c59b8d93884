#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tarvel::uitest {

// The editor's per-user state as the registry holds it, read and written
// with the registry functions themselves.
class ProfileKey {
public:
    static constexpr char kCompanyKey[] = "Software\\Ambergrove\\Quillon X";
    static constexpr char kModuleKey[] = "Software\\Ambergrove\\Quillon X\\Tarvel";
    static constexpr char kDialogKey[] = "Software\\Ambergrove\\Quillon X\\Tarvel\\Autotext Dialog";
    static constexpr char kRootNode[] = "Root Node";
    static constexpr char kBranchNode[] = "Branch Node";
    static constexpr char kWindowPlacement[] = "WindowPlacement";

    // Removes everything the module keeps, so that a test starts fresh.
    static void DeleteModuleKey();

    static std::optional<int> ReadInt(const char* name);
    static std::optional<std::string> ReadString(const char* name);
    static void WriteInt(const char* name, int value);
    static void WriteString(const char* name, const std::string& value);

    // Names of the values in the dialog's key, and of the sub-keys of a key.
    static std::vector<std::string> DialogValueNames();
    static std::vector<std::string> SubKeyNames(const char* keyPath);
};

}  // namespace tarvel::uitest
