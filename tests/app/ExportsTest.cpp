#include <gtest/gtest.h>

#include <windows.h>

#include "tests/app/ProcAddress.h"

#include <string>
#include <vector>

using namespace tarvel;

namespace {

using ShowAutotextEditor2Fn = int(__cdecl*)(void*);
using ShowAutotextDlgFn = int(__cdecl*)(void*);

class ModuleExports : public ::testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryA("Tarvel.dll");
        ASSERT_NE(module, nullptr) << "error " << GetLastError();
    }
    void TearDown() override {
        if (module)
            FreeLibrary(module);
    }

    // The names in the module's export directory, read from the loaded image.
    std::vector<std::string> exportedNames() const {
        const auto base = reinterpret_cast<const BYTE*>(module);
        const auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const auto& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
        const auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
        const auto names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
        std::vector<std::string> result;
        for (DWORD i = 0; i < exports->NumberOfNames; ++i)
            result.emplace_back(reinterpret_cast<const char*>(base + names[i]));
        numberOfFunctions = exports->NumberOfFunctions;
        return result;
    }

    HMODULE module = nullptr;
    mutable DWORD numberOfFunctions = 0;
};

TEST_F(ModuleExports, ExportsExactlyTheTwoFunctionsByNameAndOrdinal) {
    EXPECT_EQ(exportedNames(), (std::vector<std::string>{"ShowAutotextDlg", "ShowAutotextEditor2"}));
    EXPECT_EQ(numberOfFunctions, 2u);
    const auto dlg = GetProcAddress(module, "ShowAutotextDlg");
    const auto editor = GetProcAddress(module, "ShowAutotextEditor2");
    ASSERT_NE(dlg, nullptr);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(1)), dlg);
    EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(2)), editor);
    EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(3)), nullptr);
}

TEST_F(ModuleExports, NullRequestsNeverReachTheHostAsACrash) {
    auto editor = procAddress<ShowAutotextEditor2Fn>(module, "ShowAutotextEditor2");
    auto dlg = procAddress<ShowAutotextDlgFn>(module, "ShowAutotextDlg");
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(editor(nullptr), -1);
    EXPECT_EQ(dlg(nullptr), 2);
}

TEST_F(ModuleExports, StringResourcesOfTheStoreArePresent) {
    char text[256] = {};
    ASSERT_GT(LoadStringA(module, 102, text, sizeof text), 0);
    EXPECT_STREQ(text, "Unknown error 0x%08x (%d)");
    ASSERT_GT(LoadStringA(module, 103, text, sizeof text), 0);
    EXPECT_STREQ(text, "File Open failed\n%s\n%s");
}

}  // namespace
