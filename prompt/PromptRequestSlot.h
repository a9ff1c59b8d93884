#pragma once

namespace tarvel {

struct AutotextDlgRequest;

// The module-wide slot of the current prompt request: set while a prompt
// dialog object exists, read by the dialog, its Ctrl+Shift+V popup and the
// prompt edits' menus. Empty otherwise, which also tells that no prompt
// dialog runs.
class PromptRequestSlot {
public:
    static const AutotextDlgRequest* Current() noexcept { return current_; }
    static bool IsTaken() noexcept { return current_ != nullptr; }

    // Holds the request for the life of one dialog object.
    class Hold {
    public:
        explicit Hold(const AutotextDlgRequest& request) noexcept { current_ = &request; }
        ~Hold() { current_ = nullptr; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
    };

private:
    static const AutotextDlgRequest* current_;
};

}  // namespace tarvel
