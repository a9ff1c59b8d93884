// Opening and closing the editor on 8 x 1,000 and 8 x 12,500 entries, against
// a bare dialog with a tree control and its image list that reads the same
// eight files and fills the same items. Both sides are timed the same way:
// from the call to the dialog's first idle moment (open), and from the
// cancel posted then to the call's return (close). Rounds interleave the
// sides and alternate which goes first.
#include <windows.h>
#include <commctrl.h>

#include "bench/editor/BareTree.h"
#include "bench/editor/IdleCancel.h"
#include "bench/support/Comparison.h"
#include "bench/support/ModuleUnderTest.h"
#include "bench/support/RunTiming.h"
#include "host/TarvelLibrary.h"
#include "tests/editor/ProfileKey.h"
#include "tests/editor/TemplateFolder.h"
#include "tests/editor/TemplateText.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace tarvel;
using namespace tarvel::bench;
using namespace tarvel::uitest;

constexpr int kLanguages = 8;
constexpr int kOpenEntries = 8000;
constexpr int kCloseEntries = 100000;
constexpr double kOpenTarget = 1.5;
constexpr double kCloseTarget = 1.5;

// The editor's dialog as the module's resources give it: its size in
// dialog units, its font and the tree's place in it.
constexpr char kFloorCaption[] = "Floor";
constexpr short kDialogWidth = 397;
constexpr short kDialogHeight = 230;
constexpr WORD kDialogFontPoints = 8;
constexpr char kDialogFont[] = "MS Shell Dlg";
constexpr RECT kTreeUnits{6, 3, 6 + 114, 3 + 204};

void WriteEntries(const TemplateFolder& folder, int perLanguage) {
    for (int language = 0; language < kLanguages; ++language) {
        std::string text;
        for (int index = 0; index < perLanguage; ++index) {
            text += TemplateRecord("entry " + std::to_string(index),
                                   "s" + std::to_string(language) + "_" + std::to_string(index),
                                   "first line of " + std::to_string(index) + "\nsecond line");
        }
        folder.Write(kTemplateFiles[language], text);
    }
}

struct DialogTimes {
    double open = 0;
    double close = 0;
};

// Runs a modal dialog call, cancelling the dialog at its first idle moment.
template <class Call>
bool TimeDialog(const char* caption, Call call, DialogTimes& times) {
    IdleCancel idle(caption);
    const LONGLONG start = Now();
    call();
    const LONGLONG end = Now();
    if (!idle.Cancelled())
        return false;
    times = {Milliseconds(idle.FirstIdleTicks() - start), Milliseconds(end - idle.FirstIdleTicks())};
    return true;
}

// The bare dialog: what opening the editor must do at least for its tree.
class FloorDialog {
public:
    FloorDialog(HMODULE module, std::string directory) : module_(module), directory_(std::move(directory)) {}

    bool Run(DialogTimes& times) {
        const std::vector<WORD> dialogTemplate = Template();
        return TimeDialog(kFloorCaption, [&] {
            ::DialogBoxIndirectParamA(nullptr, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), nullptr,
                                      Procedure, reinterpret_cast<LPARAM>(this));
        }, times);
    }

private:
    static void AppendWide(std::vector<WORD>& words, const char* text) {
        for (const char* c = text; *c != '\0'; ++c)
            words.push_back(static_cast<WORD>(*c));
        words.push_back(0);
    }

    // The editor's dialog template without its controls.
    static std::vector<WORD> Template() {
        std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD));
        auto& dialog = *reinterpret_cast<DLGTEMPLATE*>(words.data());
        dialog.style = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        dialog.cx = kDialogWidth;
        dialog.cy = kDialogHeight;
        words.push_back(0);  // no menu
        words.push_back(0);  // the standard dialog class
        AppendWide(words, kFloorCaption);
        words.push_back(kDialogFontPoints);
        AppendWide(words, kDialogFont);
        return words;
    }

    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            reinterpret_cast<FloorDialog*>(lParam)->Fill(dialog);
            return TRUE;
        }
        if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        // The tree is gone by now; the image list goes after it.
        if (message == WM_NCDESTROY) {
            auto* self = reinterpret_cast<FloorDialog*>(::GetWindowLongPtrA(dialog, DWLP_USER));
            if (self != nullptr)
                ImageList_Destroy(self->images_);
        }
        return FALSE;
    }

    void Fill(HWND dialog) {
        RECT place = kTreeUnits;
        ::MapDialogRect(dialog, &place);
        tree_ = ::CreateWindowExA(0, WC_TREEVIEWA, "", kBareTreeStyle, place.left, place.top, place.right - place.left,
                                  place.bottom - place.top, dialog, nullptr, nullptr, nullptr);
        images_ = LoadTreeImages(module_);
        TreeView_SetImageList(tree_, images_, TVSIL_NORMAL);
        HTREEITEM roots[kLanguages] = {};
        for (int language = 0; language < kLanguages; ++language)
            roots[language] = AppendItem(tree_, TVI_ROOT, kRootLabels[language], kRootImage, kRootImage, language);
        HTREEITEM first = nullptr;
        for (int language = 0; language < kLanguages; ++language) {
            const HTREEITEM item = FillLanguage(roots[language], directory_ + kTemplateFiles[language]);
            first = first != nullptr ? first : item;
        }
        // The editor's first view: the first language open, its first entry selected.
        TreeView_Expand(tree_, roots[0], TVE_EXPAND);
        TreeView_SelectItem(tree_, first != nullptr ? first : roots[0]);
        ::SetFocus(tree_);
    }

    // The file's bytes, and for each record its label (the shortcut, else the
    // title) under the root; the first item added.
    HTREEITEM FillLanguage(HTREEITEM root, const std::string& path) {
        std::string& bytes = contents_.emplace_back();
        const HANDLE file =
            ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return nullptr;
        bytes.resize(::GetFileSize(file, nullptr));
        DWORD read = 0;
        ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        ::CloseHandle(file);
        HTREEITEM first = nullptr;
        const char* at = bytes.data();
        const char* end = at + read;
        while (at < end) {
            const char* lineEnd = static_cast<const char*>(std::memchr(at, '\r', static_cast<size_t>(end - at)));
            const char* recordEnd = static_cast<const char*>(std::memchr(at, '\f', static_cast<size_t>(end - at)));
            if (lineEnd == nullptr || recordEnd == nullptr)
                break;
            // "a:title:shortcut:"
            const char* title = at + 2;
            const char* titleEnd = static_cast<const char*>(std::memchr(title, ':', static_cast<size_t>(lineEnd - title)));
            if (at[0] == 'a' && titleEnd != nullptr) {
                const char* shortcutEnd = lineEnd - 1;
                std::string label = shortcutEnd > titleEnd + 1 ? std::string(titleEnd + 1, shortcutEnd)
                                                              : std::string(title, titleEnd);
                const HTREEITEM item = AppendItem(tree_, root, label.c_str(), kEntryImage, kSelectedEntryImage,
                                                  reinterpret_cast<LPARAM>(at));
                first = first != nullptr ? first : item;
            }
            at = recordEnd + 3;  // past the form feed and its CR LF
        }
        return first;
    }

    HMODULE module_;
    std::string directory_;
    HWND tree_ = nullptr;
    HIMAGELIST images_ = nullptr;
    std::vector<std::string> contents_;
};

bool Compare(const host::TarvelLibrary& library, int entries, int rounds, double openTarget, double closeTarget) {
    TemplateFolder folder;
    WriteEntries(folder, entries / kLanguages);
    const std::string count = std::to_string(entries);
    Comparison open("editor open, " + count + " entries", openTarget);
    Comparison close("editor close, " + count + " entries", closeTarget);
    DialogTimes product, floor;
    const bool done = RunInterleaved(
        rounds,
        [&] {
            ProfileKey::DeleteModuleKey();
            return TimeDialog(IdleCancel::kEditorCaption,
                              [&] { library.ShowAutotextEditor(nullptr, folder.Path().c_str()); }, product);
        },
        [&] {
            FloorDialog dialog(library.Module(), folder.Path());
            return dialog.Run(floor);
        },
        [&] {
            open.Add(product.open, floor.open);
            close.Add(product.close, floor.close);
        });
    ProfileKey::DeleteModuleKey();
    if (!done) {
        std::fprintf(stderr, "bench_editor_open: a dialog did not open\n");
        return false;
    }
    open.Print();
    close.Print();
    return true;
}

}  // namespace

int main() {
    const auto library = LoadModuleUnderTest("bench_editor_open");
    if (!library)
        return kSetupError;
    const int rounds = Rounds();
    PrintHeader("bench_editor_open (call to first idle; close from the cancel to the return)", rounds);
    if (!Compare(*library, kOpenEntries, rounds, kOpenTarget, 0) ||
        !Compare(*library, kCloseEntries, rounds, 0, kCloseTarget))
        return kSetupError;
    return 0;
}
