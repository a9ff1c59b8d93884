// Filtering the editor's tree of 8 x 10,000 entries (code of 200 bytes on
// average) by one keystroke in the filter box, from the box's change to the
// tree painted, against the floor of the same keystroke with a bare tree
// view that shows the items of the keystroke before: a plain case-insensitive
// substring scan of the same four fields of every entry, the view emptied and
// filled with the matching items under the eight roots, the same roots
// opened, and painted. The keystrokes type a word and erase it again, each
// timed on both sides in turn (the side that goes first alternates by
// round); per keystroke the medians and their ratio are printed, with the
// spread of the rounds' ratios and the load average. Runs under Wine; it
// times itself with QueryPerformanceCounter.
#include <windows.h>
#include <commctrl.h>

#include "bench/editor/IdleCancel.h"
#include "bench/support/ModuleUnderTest.h"
#include "bench/support/RunTiming.h"
#include "host/TarvelLibrary.h"
#include "res/resource.h"
#include "tests/editor/EditorWindow.h"
#include "tests/editor/ProfileKey.h"
#include "tests/editor/TemplateFolder.h"
#include "tests/editor/TemplateText.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace tarvel;
using namespace tarvel::bench;
using namespace tarvel::uitest;

constexpr int kLanguages = 8;
constexpr int kEntriesPerLanguage = 10000;
constexpr int kDefaultRounds = 5;
constexpr double kTargetRatio = 3.0;
constexpr char kSyllables[][3] = {"ka", "lo", "mi", "ne", "ru", "ta", "so", "vi",
                                  "de", "po", "gu", "fa", "ri", "zo", "be", "xu"};
constexpr int kVocabulary = 400;
constexpr int kShortestCode = 100;
constexpr int kLongestCode = 300;

struct Entry {
    std::string title, shortcut, description, code;
    const std::string& Label() const { return shortcut.empty() ? title : shortcut; }
};
using Entries = std::array<std::vector<Entry>, kLanguages>;

// The same data every run.
class Generator {
public:
    unsigned Next(unsigned range) {
        state_ = state_ * 1103515245u + 12345u;
        return (state_ >> 8) % range;
    }
    std::string Word() {
        std::string word;
        for (unsigned syllables = 2 + Next(2); syllables > 0; --syllables)
            word += kSyllables[Next(sizeof kSyllables / sizeof kSyllables[0])];
        return word;
    }

private:
    unsigned state_ = 20240611u;
};

struct Data {
    Entries entries;
    // Typed letter by letter, then erased: the first word of the vocabulary
    // with three syllables. Nearly every entry holds its first letter, fewer
    // its first two syllables, a few all of it.
    std::string typed;
};

Data MakeData() {
    Generator random;
    std::vector<std::string> words;
    for (int i = 0; i < kVocabulary; ++i)
        words.push_back(random.Word());
    Data data;
    data.typed = *std::find_if(words.begin(), words.end(), [](const std::string& w) { return w.size() == 6; });
    Entries& entries = data.entries;
    auto word = [&] { return words[random.Next(kVocabulary)]; };
    for (auto& language : entries) {
        for (int index = 0; index < kEntriesPerLanguage; ++index) {
            Entry entry{word() + " " + word(), word() + std::to_string(index), "", ""};
            if (random.Next(2) != 0)
                entry.description = word() + " " + word() + " " + word();
            const unsigned length = kShortestCode + random.Next(kLongestCode - kShortestCode + 1);
            while (entry.code.size() < length)
                entry.code += word() + (random.Next(4) == 0 ? "();\n" : " ");
            language.push_back(std::move(entry));
        }
    }
    return data;
}

void WriteEntries(const TemplateFolder& folder, const Entries& entries) {
    for (int language = 0; language < kLanguages; ++language) {
        std::string text;
        for (const Entry& entry : entries[language])
            text += TemplateRecord(entry.title, entry.shortcut, entry.code, entry.description);
        folder.Write(kTemplateFiles[language], text);
    }
}

using OpenRoots = std::array<bool, kLanguages>;

// The floor: a bare tree view in a shown window of its own.
class BareTree {
public:
    explicit BareTree(const Entries& entries) : entries_(entries) {
        for (int byte = 0; byte < 256; ++byte) {
            char c = static_cast<char>(byte);
            if (byte != 0)
                ::CharLowerBuffA(&c, 1);
            lower_[byte] = c;
        }
        frame_ = ::CreateWindowExA(0, "STATIC", "floor", WS_POPUP | WS_VISIBLE, 0, 0, 300, 600, nullptr, nullptr,
                                   nullptr, nullptr);
        tree_ = ::CreateWindowExA(0, WC_TREEVIEWA, "",
                                  WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                      TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS,
                                  0, 0, 300, 600, frame_, nullptr, nullptr, nullptr);
        OpenRoots open{};
        open[0] = true;
        Show("", open);
    }
    ~BareTree() {
        ::ShowWindow(frame_, SW_HIDE);
        ::DestroyWindow(frame_);
    }
    BareTree(const BareTree&) = delete;
    BareTree& operator=(const BareTree&) = delete;

    // The editor's tree font: the labels' widths are measured in it.
    void SetFont(HFONT font) const { ::SendMessageA(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

    // The items that hold the text, in the roots that are open.
    double Show(const std::string& text, const OpenRoots& open) {
        const LONGLONG before = Now();
        ::SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
        TreeView_DeleteAllItems(tree_);
        // The roots first: some tree views look an item up among all items
        // before them, so that an item inserted late is slow to find.
        std::array<HTREEITEM, kLanguages> roots{};
        for (int language = 0; language < kLanguages; ++language)
            roots[language] = Insert(TVI_ROOT, kRootLabels[language], language);
        for (int language = 0; language < kLanguages; ++language) {
            for (const Entry& entry : entries_[language]) {
                if (Holds(entry, text))
                    Insert(roots[language], entry.Label().c_str(), reinterpret_cast<LPARAM>(&entry));
            }
            if (open[language])
                TreeView_Expand(tree_, roots[language], TVE_EXPAND);
        }
        ::SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(tree_, nullptr, TRUE);
        ::UpdateWindow(tree_);
        return Milliseconds(Now() - before);
    }

private:
    bool Holds(const Entry& entry, const std::string& text) const {
        return Contains(entry.title, text) || Contains(entry.shortcut, text) || Contains(entry.description, text) ||
               Contains(entry.code, text);
    }
    bool Contains(const std::string& field, const std::string& text) const {
        return std::search(field.begin(), field.end(), text.begin(), text.end(), [this](char a, char b) {
                   return lower_[static_cast<unsigned char>(a)] == lower_[static_cast<unsigned char>(b)];
               }) != field.end();
    }
    HTREEITEM Insert(HTREEITEM parent, const char* label, LPARAM data) const {
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(label);
        insert.item.lParam = data;
        return TreeView_InsertItem(tree_, &insert);
    }

    const Entries& entries_;
    std::array<char, 256> lower_{};
    HWND frame_ = nullptr;
    HWND tree_ = nullptr;
};

void PumpPending() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

// One keystroke: the box's text before and after it.
struct Keystroke {
    char character;
    std::string text;
};

std::vector<Keystroke> TypeAndErase(const std::string& word) {
    std::vector<Keystroke> keys;
    std::string text;
    for (const char c : word) {
        text += c;
        keys.push_back({c, text});
    }
    while (!text.empty()) {
        text.pop_back();
        keys.push_back({'\b', text});
    }
    return keys;
}

// The keystrokes of every round inside the editor's modal loop, each beside
// the same keystroke in the bare tree.
class EditorKeystrokes {
public:
    EditorKeystrokes(BareTree& floor, int rounds, const std::string& word)
        : floor_(floor), rounds_(rounds), word_(word), keys_(TypeAndErase(word)) {}

    const std::string& Word() const noexcept { return word_; }
    const std::vector<Keystroke>& Keys() const noexcept { return keys_; }
    // Per keystroke, per round.
    const std::vector<std::vector<double>>& Editor() const noexcept { return editor_; }
    const std::vector<std::vector<double>>& Floor() const noexcept { return floorTimes_; }
    const std::vector<int>& Shown() const noexcept { return shown_; }

private:
public:
    void Run(HWND editor) {
        const HWND box = EditorWindow(editor).Control(IDC_TREE_FILTER);
        const HWND tree = EditorWindow(editor).Control(IDC_EXPANSION_TREE);
        editor_.assign(keys_.size(), {});
        floorTimes_.assign(keys_.size(), {});
        shown_.assign(keys_.size(), 0);
        std::vector<OpenRoots> open(keys_.size());
        floor_.SetFont(reinterpret_cast<HFONT>(::SendMessageA(tree, WM_GETFONT, 0, 0)));
        ::SetFocus(box);
        for (int round = 0; round < rounds_; ++round) {
            for (size_t key = 0; key < keys_.size(); ++key) {
                // The floor opens the roots the editor opened for this keystroke.
                const bool editorFirst = round % 2 == 0;
                if (!editorFirst)
                    floorTimes_[key].push_back(floor_.Show(keys_[key].text, open[key]));
                editor_[key].push_back(TimeKeystroke(box, tree, keys_[key].character));
                shown_[key] = static_cast<int>(TreeView_GetCount(tree)) - kLanguages;
                open[key] = OpenRootsOf(tree);
                if (editorFirst)
                    floorTimes_[key].push_back(floor_.Show(keys_[key].text, open[key]));
                PumpPending();
            }
        }
    }

private:

    static double TimeKeystroke(HWND box, HWND tree, char character) {
        const LONGLONG before = Now();
        ::SendMessageA(box, WM_CHAR, static_cast<unsigned char>(character), 1);
        ::UpdateWindow(tree);
        return Milliseconds(Now() - before);
    }

    static OpenRoots OpenRootsOf(HWND tree) {
        OpenRoots open{};
        HTREEITEM root = TreeView_GetRoot(tree);
        for (int language = 0; root != nullptr && language < kLanguages; ++language) {
            open[language] = (TreeView_GetItemState(tree, root, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
            root = TreeView_GetNextSibling(tree, root);
        }
        return open;
    }

    BareTree& floor_;
    int rounds_;
    std::string word_;
    std::vector<Keystroke> keys_;
    std::vector<std::vector<double>> editor_;
    std::vector<std::vector<double>> floorTimes_;
    std::vector<int> shown_;
};


// Wine passes the host's load average through /proc.
std::string LoadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return file ? one + " " + five + " " + fifteen : "unknown";
}

int Report(const EditorKeystrokes& run, int rounds) {
    std::printf("%d rounds of typing \"%s\" and erasing it in a tree of %d x %d entries (load average %s)\n",
                rounds, run.Word().c_str(), kLanguages, kEntriesPerLanguage, LoadAverage().c_str());
    std::printf("%-9s %7s %12s %12s %8s %17s\n", "text", "shown", "editor ms", "floor ms", "ratio",
                "round ratios");
    double worst = 0;
    for (size_t key = 0; key < run.Keys().size(); ++key) {
        const Spread editor = SpreadOf(run.Editor()[key]);
        const Spread floor = SpreadOf(run.Floor()[key]);
        std::vector<double> ratios;
        for (size_t round = 0; round < run.Editor()[key].size(); ++round)
            ratios.push_back(run.Editor()[key][round] / run.Floor()[key][round]);
        const Spread spread = SpreadOf(ratios);
        const double ratio = editor.median / floor.median;
        worst = std::max(worst, ratio);
        std::printf("%-9s %7d %12.1f %12.1f %8.2f %8.2f..%-6.2f\n",
                    ("\"" + run.Keys()[key].text + "\"").c_str(), run.Shown()[key], editor.median, floor.median,
                    ratio, spread.low, spread.high);
    }
    std::printf("worst ratio of medians %.2f (target %.1f)\n", worst, kTargetRatio);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRounds;
    const auto library = LoadModuleUnderTest("bench_editor_filter");
    if (!library)
        return kSetupError;
    const Data data = MakeData();
    TemplateFolder folder;
    WriteEntries(folder, data.entries);
    ProfileKey::DeleteModuleKey();
    BareTree bare(data.entries);
    EditorKeystrokes run(bare, rounds, data.typed);
    {
        const IdleCancel inside(IdleCancel::kEditorCaption, [&run](HWND editor) { run.Run(editor); });
        library->ShowAutotextEditor(nullptr, folder.Path().c_str());
    }
    ProfileKey::DeleteModuleKey();
    if (run.Editor().empty() || run.Editor().front().size() != static_cast<size_t>(rounds)) {
        std::fprintf(stderr, "bench_editor_filter: the editor did not open\n");
        return kSetupError;
    }
    return Report(run, rounds);
}
