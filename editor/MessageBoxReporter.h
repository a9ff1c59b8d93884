#pragma once

#include <windows.h>

#include "store/Reporter.h"

namespace tarvel {

// Shows the store's messages and questions as message boxes owned by a window.
class MessageBoxReporter : public Reporter {
public:
    explicit MessageBoxReporter(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }

    void Report(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool Ask(const std::string& text, const std::string& caption, MessageIcon icon) override;

private:
    HWND owner_;
};

}  // namespace tarvel
