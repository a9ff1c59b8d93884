#pragma once

#include <map>
#include <string>
#include <string_view>

// Names the prompts that tab stops and variables become: a tab stop after
// its default text where that is a usable name, else "arg" and its number;
// the same number is always the same prompt, and two numbers never share one.
class PromptNamer {
public:
    // Offers the default text of a tab stop; the first usable one counts.
    void Offer(int number, std::string_view defaultText);
    // The prompt of the tab stop (0 is the caret's place, $end$).
    const std::string& NameOf(int number);
    // Whether the text can name a prompt as the code names one: one line, no
    // space or tab, no dollar sign, and no reserved variable.
    static bool IsUsable(std::string_view text);

private:
    bool IsTaken(const std::string& name) const;

    std::map<int, std::string> offered_;
    std::map<int, std::string> names_;
};
