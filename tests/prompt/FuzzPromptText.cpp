// The prompt rules on any text a host may pass: the display form is one short
// line, the prompts found are names, and putting each prompt back in for
// itself, signs and all, gives the code unchanged, on a single-byte and on a
// Japanese system; so does a preview with every value still empty.
#include "store/ReservedVariables.h"
#include "prompt/PromptFinder.h"
#include "prompt/PromptPreview.h"
#include "prompt/PromptText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace tarvel;

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckText(std::string_view text, const tarvel::LeadBytes& leadBytes) {
    const std::string shown = tarvel::ShortenForDisplay(text, leadBytes);
    Check(shown.size() <= tarvel::kDisplayLength + tarvel::kShortenedMark.size());
    Check(shown.find_first_of("\t\r\n") == std::string::npos);

    const std::vector<std::string> prompts = tarvel::FindPrompts(text, leadBytes);
    std::vector<std::string> themselves;
    for (const std::string& name : prompts) {
        Check(!name.empty() && name.find_first_of("$\r\n") == std::string::npos);
        Check(!ReservedVariables::IsReserved(name));
        themselves.push_back("$" + name + "$");
    }
    Check(tarvel::ExpandPrompts(text, prompts, themselves, leadBytes) == text);
    tarvel::PreviewText preview;
    tarvel::PromptPreview(text, prompts, leadBytes, [](std::string_view piece) { return std::string(piece); })
        .Build({}, preview);
    Check(preview.text == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckText(text, {});
    CheckText(text, tarvel::LeadBytes::Where([](unsigned char byte) {
                  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
              }));
    return 0;
}
