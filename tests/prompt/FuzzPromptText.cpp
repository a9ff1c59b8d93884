// The prompt rules on any text a host may pass: the display form is one short
// line, the prompts found are names, and putting each prompt back in for
// itself, signs and all, gives the code unchanged.
#include "pages/ReservedVariableTable.h"
#include "prompt/PromptFinder.h"
#include "prompt/PromptText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string shown = tarvel::ShortenForDisplay(text);
    Check(shown.size() <= tarvel::kDisplayLength + tarvel::kShortenedMark.size());
    Check(shown.find_first_of("\t\r\n") == std::string::npos);

    const std::vector<std::string> prompts = tarvel::FindPrompts(text);
    Check(prompts.size() <= tarvel::kMaxPrompts);
    std::vector<std::string> themselves;
    for (const std::string& name : prompts) {
        Check(!name.empty() && name.find_first_of("$\r\n") == std::string::npos);
        Check(!tarvel::IsReservedVariableName(name));
        themselves.push_back("$" + name + "$");
    }
    Check(tarvel::ExpandPrompts(text, prompts, themselves) == text);
    return 0;
}
