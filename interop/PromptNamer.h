#pragma once

#include <utility>
#include <vector>
#include <string>
#include <string_view>

namespace tarvel {

// Names the prompts that tab stops and variables become: a tab stop after
// its default text where that is a usable name, else "arg" and its number;
// the same number is always the same prompt, and two numbers never share one.
class PromptNamer {
public:
    // Offers the default text of a tab stop; the first usable one counts.
    // The text is kept as it is, not copied: it must outlive the namer.
    void Offer(int number, std::string_view defaultText);
    // The prompt of the tab stop (0 is the caret's place, $end$); valid
    // until the next call.
    const std::string& NameOf(int number);
    // Whether the text can name a prompt as the code names one: one line, no
    // space or tab, no dollar sign, and no reserved variable.
    static bool IsUsable(std::string_view text);

private:
    // A tab stop's text offered and its name, each empty until there is one.
    struct Prompt {
        int number;
        std::string_view offered;
        std::string name;
    };

    Prompt* Find(int number);
    bool IsTaken(std::string_view name) const;

    // A snippet has a few tab stops, in order of first mention.
    std::vector<Prompt> prompts_;
};

}  // namespace tarvel
