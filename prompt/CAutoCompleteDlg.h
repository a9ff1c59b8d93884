#pragma once

#include "pages/CPropPageSnippetCodeReadOnly.h"
#include "prompt/AutotextDlgRequest.h"
#include "prompt/CPropPageArguments.h"
#include "prompt/IPromptValues.h"
#include "prompt/PromptRequestSlot.h"
#include "widgets/CTreePropSheetEx.h"

#include <array>
#include <string>

namespace tarvel {

// The prompt dialog behind ShowAutotextDlg: the Arguments page with one row
// per prompt and the entry's code on the Code page. On OK the values go back
// into the host's buffers; on anything else the record is left as it was.
class CAutoCompleteDlg : public CTreePropSheetEx, private IPromptValues {
public:
    static constexpr std::size_t kRows = AutotextDlgRequest::kRows;

    // Holds the request in the module-wide slot while the object lives.
    CAutoCompleteDlg(HINSTANCE module, AutotextDlgRequest& request);

    // Runs the sheet over the owner; on IDOK writes every row back.
    INT_PTR DoModal(HWND owner);

    // Alt+O, Alt+C and Ctrl+Shift+V before the sheet's own keys.
    bool PreTranslateMessage(MSG& message) override;

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(const Message& message, LRESULT& result) override;

private:
    std::string& PromptValue(std::size_t row) override { return values_[row]; }
    bool ShowRows();
    void WriteBack();
    LRESULT OnPasteRecent(const Message& message);

    AutotextDlgRequest& request_;
    PromptRequestSlot::Hold slot_;
    CPropPageArguments arguments_;
    CPropPageSnippetCodeReadOnly code_;
    std::array<std::string, kRows> values_;
    HACCEL accelerators_ = nullptr;  // a resource table: freed with the module
};

}  // namespace tarvel
