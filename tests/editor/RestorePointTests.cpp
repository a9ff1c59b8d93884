// The per-user state the editor keeps between calls: the entry selected when
// it closed, and where its values live in the registry.
#include "tests/editor/EditorTest.h"

#include "res/resource.h"
#include "tests/editor/ProfileKey.h"
#include "tests/editor/TemplateText.h"

#include <vector>

namespace tarvel::uitest {
namespace {

struct Opening {
    std::string selected;
    std::string selectedParent;
    std::string title;
    std::vector<std::string> expandedRoots;
};

class RestorePoint : public EditorTest {
protected:
    Opening OpenAndLook() const;
};

// Reads what the editor shows right after opening, then cancels.
Opening RestorePoint::OpenAndLook() const {
    Opening seen;
    DialogScript script;
    script
        .Do("look at the selection",
            [&](EditorWindow& window) {
                const HTREEITEM selected = window.SelectedItem();
                seen.selected = window.Label(selected);
                if (HTREEITEM parent = window.ParentOf(selected)) {
                    seen.selectedParent = window.Label(parent);
                }
                seen.title = window.Text(IDC_TITLE);
                for (HTREEITEM root : window.Roots()) {
                    if (window.IsExpanded(root)) {
                        seen.expandedRoots.push_back(window.Label(root));
                    }
                }
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    return seen;
}

TEST_F(RestorePoint, OpensTheRememberedEntryExpandedAndShown) {
    WriteSampleTemplates();
    ProfileKey::WriteInt(ProfileKey::kRootNode, 2);
    ProfileKey::WriteInt(ProfileKey::kBranchNode, 5);
    const Opening seen = OpenAndLook();
    EXPECT_EQ(seen.selectedParent, "HTML");
    EXPECT_EQ(seen.selected, "h5");
    EXPECT_EQ(seen.title, "html item 5");
    EXPECT_EQ(seen.expandedRoots, std::vector<std::string>{"HTML"});
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kRootNode), 2);
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kBranchNode), 5);
}

TEST_F(RestorePoint, WithoutOneTheFirstCppEntryIsShown) {
    WriteSampleTemplates();
    const Opening seen = OpenAndLook();
    EXPECT_EQ(seen.selectedParent, "C++");
    EXPECT_EQ(seen.selected, "fori");
    EXPECT_EQ(seen.title, "for loop");
    EXPECT_EQ(seen.expandedRoots, std::vector<std::string>{"C++"});
}

TEST_F(RestorePoint, AStaleOneFallsBackToTheCppRoot) {
    WriteSampleTemplates();
    for (const auto& [root, branch] : std::vector<std::pair<int, int>>{{2, 7}, {2, 8}, {2, -3}, {9, 3}}) {
        ProfileKey::WriteInt(ProfileKey::kRootNode, root);
        ProfileKey::WriteInt(ProfileKey::kBranchNode, branch);
        const Opening seen = OpenAndLook();
        EXPECT_EQ(seen.selected, "C++") << root << ", " << branch;
        EXPECT_EQ(seen.selectedParent, "") << root << ", " << branch;
        EXPECT_EQ(seen.title, "") << root << ", " << branch;
    }
}

// An unknown language looks for the remembered position among the C++ entries.
TEST_F(RestorePoint, AnUnknownLanguageMeansCpp) {
    WriteSampleTemplates();
    ProfileKey::WriteInt(ProfileKey::kRootNode, 9);
    ProfileKey::WriteInt(ProfileKey::kBranchNode, 1);
    const Opening seen = OpenAndLook();
    EXPECT_EQ(seen.selectedParent, "C++");
    EXPECT_EQ(seen.selected, "cls");
}

TEST_F(RestorePoint, ClosingStoresTheSelectedEntryOrMinusOneForARoot) {
    WriteSampleTemplates();
    DialogScript onEntry;
    onEntry.Do("select the third HTML entry", [](EditorWindow& window) { window.Select(window.Child("HTML", 2)); })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(onEntry), IDCANCEL);
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kRootNode), 2);
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kBranchNode), 2);

    DialogScript onRoot;
    onRoot.Do("select the HTML root", [](EditorWindow& window) { window.Select(window.Root("HTML")); })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(onRoot), IDOK);
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kRootNode), -1);
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kBranchNode), -1);

    const Opening seen = OpenAndLook();
    EXPECT_EQ(seen.selected, "C++");
    EXPECT_TRUE(seen.expandedRoots.empty());
}

TEST_F(RestorePoint, TheEditorKeepsItsValuesUnderTheModuleKeyOnly) {
    WriteSampleTemplates();
    DialogScript script;
    script.Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(ProfileKey::SubKeyNames(ProfileKey::kCompanyKey), std::vector<std::string>{"Tarvel"});
    EXPECT_EQ(ProfileKey::SubKeyNames(ProfileKey::kModuleKey), std::vector<std::string>{"Autotext Dialog"});
    EXPECT_EQ(ProfileKey::DialogValueNames(),
              (std::vector<std::string>{"Branch Node", "Root Node", "WindowPlacement"}));
    // Typed as the profile functions type them: numbers as DWORD, placement as text.
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kRootNode), 0);
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kBranchNode), 0);
    EXPECT_TRUE(ProfileKey::ReadString(ProfileKey::kWindowPlacement).has_value());
}

}  // namespace
}  // namespace tarvel::uitest
