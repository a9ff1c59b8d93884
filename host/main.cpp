// autotext-host: stands in for the host editor.
//   autotext-host edit DIR             opens the autotext editor on DIR and
//                                      prints how it was closed
//   autotext-host expand DIR SHORTCUT  expands the entry with that shortcut
//                                      (or title), asking for its prompts in
//                                      the prompt dialog; prints the result
//                                      and, on OK, the expanded code
#include "host/HostPaths.h"
#include "host/HostPromptRequest.h"
#include "host/TarvelLibrary.h"
#include "host/TemplateEntryLookup.h"
#include "prompt/ClipboardText.h"
#include "prompt/PromptFinder.h"
#include "store/TextRules.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using tarvel::host::TarvelLibrary;

constexpr int kDone = 0;
constexpr int kUsageOrSetupError = 2;
constexpr int kConfirmed = 1;
constexpr char kUsage[] = "usage: autotext-host edit DIR | expand DIR SHORTCUT";

int Fail(const std::string& reason) {
    std::fprintf(stderr, "autotext-host: %s\n", reason.c_str());
    return kUsageOrSetupError;
}

int Edit(const TarvelLibrary& library, const std::string& directory) {
    const int result = library.ShowAutotextEditor(nullptr, directory.c_str());
    std::printf("result: %d\n", result);
    return kDone;
}

// As a host expands an entry: its prompts found in the code, the clipboard
// offered as the first recent text, the values put in on OK.
int Expand(const TarvelLibrary& library, const std::string& directory, const std::string& shortcut) {
    const auto entry = tarvel::host::FindTemplateEntry(directory, shortcut);
    if (!entry) {
        return Fail("no entry with the shortcut or title \"" + shortcut + "\" in " + directory);
    }
    const std::vector<std::string> prompts = tarvel::FindPrompts(entry->code);
    const std::string clipboard = tarvel::ClipboardText::Read(nullptr).value_or("");
    tarvel::host::HostPromptRequest request(entry->title, entry->code, prompts, {clipboard});
    const int result = library.ShowAutotextDlg(request.Record());
    std::printf("result: %d\n", result);
    if (result == kConfirmed) {
        std::string expanded = tarvel::ExpandPrompts(entry->code, prompts, request.Values());
        // The code's CR LF line breaks: standard output in text mode adds the CR itself.
        TextRules::ReplaceAll(expanded, "\r\n", "\n");
        std::fwrite(expanded.data(), 1, expanded.size(), stdout);
        std::printf("\n");
    }
    return kDone;
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool edit = argc == 3 && std::strcmp(argv[1], "edit") == 0;
    const bool expand = argc == 4 && std::strcmp(argv[1], "expand") == 0;
    if (!edit && !expand) {
        return Fail(kUsage);
    }
    std::string error;
    const auto library = TarvelLibrary::LoadBesideProgram(error);
    if (!library) {
        return Fail(error);
    }
    const std::string directory = tarvel::host::WithTrailingSeparator(argv[2]);
    return edit ? Edit(*library, directory) : Expand(*library, directory, argv[3]);
}
