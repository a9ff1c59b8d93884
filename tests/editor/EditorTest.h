#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include "tests/editor/DialogScript.h"
#include "tests/editor/TemplateFolder.h"

#include <map>
#include <string>

namespace tarvel::uitest {

// One editor test: a fresh template folder, no module state in the
// registry, and the editor opened through the real export like a host.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The sample set: every language has entries, "HTML" seven of them.
    void WriteSampleTemplates() const;
    static std::string SampleFile(const char* fileName);
    // Seven records a0 to a6 titled "entry n" with the code "<p>n</p>", whose
    // descriptions say "odd" or "even"; the described one as given.
    static std::string OddAndEvenRecord(int n, const std::string& description = {});
    // The sample set with "HTML" made of those seven.
    void WriteOddAndEvenTemplates() const;

    // Every file of the folder with its bytes.
    std::map<std::string, std::string> FilesOnDisk() const;

    int OpenEditor(DialogScript& script) const { return OpenEditorOn(script, folder_.Path()); }
    static int OpenEditorOn(DialogScript& script, const std::string& directory);

    TemplateFolder folder_;
};

// The message texts and captions the editor shows.
namespace texts {
constexpr char kErrorCaption[] = "Error";
constexpr char kEditorCaption[] = "Quillon X Autotext Editor";
constexpr char kSpacesInShortcut[] = "Spaces are not allowed in Shortcuts.";
constexpr char kColonsInTitle[] = "Colons are not allowed in Titles.";
constexpr char kColonsInShortcut[] = "Colons are not allowed in Shortcuts.";
constexpr char kFileOpenFailed[] = "File Open failed\n";
constexpr char kTitlePageCaption[] = "Title";
constexpr char kCodePageCaption[] = "Code";
constexpr char kDiscardQuestion[] = "Discard the changes to the autotext templates?";
constexpr char kFormFeedsRemoved[] = "Form feeds cannot be kept in a template file and were removed.";
}  // namespace texts

// A screen point over the pages beside the tree, where no tree tooltip
// shows: the pointer rests there before it presses on an item, so that a
// hover preview left over the item is gone first.
POINT BesideTreeOnScreen(const EditorWindow& window);
// True when the window under the screen point is the tree.
bool TreeIsUnder(const EditorWindow& window, POINT screen);

// Pixels of an item's label drawn in the modified colour (red on white).
int RedPixelsOf(const EditorWindow& window, HTREEITEM item);

// Ctrl held, or released, for this thread's key state, as the keyboard
// would set it for the next posted key.
void HoldControl(bool held);

// Text for the next paste, as another program would copy it.
void PutOnClipboard(const std::string& text);

// Steps every script needs.
void PressOk(EditorWindow& window);
void PressCancel(EditorWindow& window);

}  // namespace tarvel::uitest
