// autotext-host: stands in for the host editor.
//   autotext-host edit DIR             opens the autotext editor on DIR and
//                                      prints how it was closed
//   autotext-host expand DIR SHORTCUT [--selected TEXT]
//                                      expands the entry with that shortcut
//                                      (or title), asking for its prompts in
//                                      the prompt dialog; prints the result
//                                      and, on OK, the expanded code and
//                                      where the caret goes. An entry without
//                                      prompts is expanded without a dialog.
#include "host/HostExpansion.h"
#include "host/HostPaths.h"
#include "host/HostPromptRequest.h"
#include "host/TarvelLibrary.h"
#include "host/TemplateEntryLookup.h"
#include "prompt/ClipboardText.h"
#include "prompt/PromptFinder.h"
#include "prompt/SystemLeadBytes.h"
#include "store/TextRules.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using tarvel::host::TarvelLibrary;

constexpr int kDone = 0;
constexpr int kUsageOrSetupError = 2;
constexpr int kConfirmed = 1;
constexpr char kUsage[] = "usage: autotext-host edit DIR | expand DIR SHORTCUT [--selected TEXT]";
constexpr char kSelectedOption[] = "--selected";
constexpr int kDateLength = 80;

int Fail(const std::string& reason) {
    std::fprintf(stderr, "autotext-host: %s\n", reason.c_str());
    return kUsageOrSetupError;
}

int Edit(const TarvelLibrary& library, const std::string& directory) {
    const int result = library.ShowAutotextEditor(nullptr, directory.c_str());
    std::printf("result: %d\n", result);
    return kDone;
}

std::string Today() {
    char date[kDateLength] = {};
    ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, kDateLength);
    return date;
}

// The expanded code, then where the caret goes when the code says.
void PrintExpansion(const tarvel::host::HostExpansion& expansion) {
    std::string text = expansion.text;
    // The code's CR LF line breaks: standard output in text mode adds the CR itself.
    tarvel::TextRules::ReplaceAll(text, "\r\n", "\n");
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::printf("\n");
    if (expansion.caret) {
        std::printf("caret: %s\n", expansion.CaretPlace().c_str());
    }
}

// The prompts past the dialog's eight stay in the code as written.
void TellUnasked(const std::vector<std::string>& prompts) {
    if (prompts.size() <= tarvel::kMaxPrompts) {
        return;
    }
    std::string names;
    for (std::size_t i = tarvel::kMaxPrompts; i < prompts.size(); ++i) {
        names += (names.empty() ? "$" : ", $") + prompts[i] + "$";
    }
    std::printf("not asked, the dialog holds eight prompts: %s\n", names.c_str());
}

// As a host expands an entry: its prompts found in the code, the clipboard
// offered as the first recent text, the values put in on OK, the reserved
// variables it knows filled in.
int Expand(const TarvelLibrary& library, const std::string& directory, const std::string& shortcut,
           const std::string& selected) {
    const auto entry = tarvel::host::FindTemplateEntry(directory, shortcut);
    if (!entry) {
        return Fail("no entry with the shortcut or title \"" + shortcut + "\" in " + directory);
    }
    const tarvel::LeadBytes leadBytes = tarvel::SystemLeadBytes();
    std::vector<std::string> prompts = tarvel::FindPrompts(entry->code, leadBytes);
    const std::string clipboard = tarvel::ClipboardText::Read(nullptr).value_or("");
    const tarvel::host::ReservedValues reserved{Today(), selected, clipboard};
    TellUnasked(prompts);
    prompts.resize(std::min(prompts.size(), tarvel::kMaxPrompts));
    std::vector<std::string> values(prompts.size());
    if (!prompts.empty()) {
        tarvel::host::HostPromptRequest request(entry->title, entry->code, prompts, {clipboard});
        const int result = library.ShowAutotextDlg(request.Record());
        std::printf("result: %d\n", result);
        if (result != kConfirmed) {
            return kDone;
        }
        values = request.Values();
    }
    PrintExpansion(tarvel::host::ExpandAsHost(entry->code, prompts, values, reserved, leadBytes));
    return kDone;
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool edit = argc == 3 && std::strcmp(argv[1], "edit") == 0;
    const bool selection = argc == 6 && std::strcmp(argv[4], kSelectedOption) == 0;
    const bool expand = (argc == 4 || selection) && std::strcmp(argv[1], "expand") == 0;
    if (!edit && !expand) {
        return Fail(kUsage);
    }
    std::string error;
    const auto library = TarvelLibrary::LoadBesideProgram(error);
    if (!library) {
        return Fail(error);
    }
    const std::string directory = tarvel::host::WithTrailingSeparator(argv[2]);
    return edit ? Edit(*library, directory) : Expand(*library, directory, argv[3], selection ? argv[5] : "");
}
