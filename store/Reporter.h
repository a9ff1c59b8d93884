#pragma once

#include <string>

namespace tarvel {

enum class MessageIcon { Error, Exclamation, Warning, Information, Question };

// Where the store's user-visible messages and questions go: message boxes in the editor,
// standard error in the command-line tool, a recording fake in tests.
class Reporter {
public:
    virtual ~Reporter() = default;
    virtual void Report(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool Ask(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
};

}  // namespace tarvel
