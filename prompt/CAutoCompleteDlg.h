#pragma once

#include "prompt/CPropPageSnippetCodeReadOnly.h"
#include "prompt/AutotextDlgRequest.h"
#include "prompt/CPropPageArguments.h"
#include "prompt/IPromptValues.h"
#include "prompt/PromptPreview.h"
#include "prompt/PromptRequestSlot.h"
#include "widgets/CProfile.h"
#include "widgets/CTreePropSheetEx.h"

#include <array>
#include <optional>
#include <string>

namespace tarvel {

// Where the dialog keeps its size and place between calls.
struct PromptPlacementStore {
    const CProfile& profile;
    std::string section;
};

// The prompt dialog behind ShowAutotextDlg: the Arguments page with one row
// per prompt and the expansion as it will be on the Code page. On OK the
// values go back into the host's buffers; on anything else the record is
// left as it was.
class CAutoCompleteDlg : public CTreePropSheetEx, private IPromptValues {
public:
    static constexpr std::size_t kRows = AutotextDlgRequest::kRows;
    static constexpr char kPlacementEntry[] = "PromptWindowPlacement";

    // Holds the request in the module-wide slot while the object lives.
    CAutoCompleteDlg(HINSTANCE module, AutotextDlgRequest& request, PromptPlacementStore placement);

    // Runs the sheet over the owner; on IDOK writes every row back.
    INT_PTR DoModal(HWND owner);

    // Alt+O, Alt+C, Ctrl+Shift+V, Ctrl+Tab and Escape in the code view
    // before the sheet's own keys.
    bool PreTranslateMessage(MSG& message) override;

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(const Message& message, LRESULT& result) override;

private:
    std::string& PromptValue(std::size_t row) override { return values_[row]; }
    void PromptValueEdited(std::size_t row) override;
    void ShowRows();
    void RestorePlacement();
    void ShowPreview();
    void WriteBack();
    bool SwitchPage(bool backwards);
    LRESULT OnPasteRecent(const Message& message);

    AutotextDlgRequest& request_;
    PromptPlacementStore placement_;
    PromptRequestSlot::Hold slot_;
    CPropPageArguments arguments_;
    CPropPageSnippetCodeReadOnly code_;
    std::array<std::string, kRows> initialValues_;
    std::array<std::string, kRows> values_;
    std::optional<PromptPreview> preview_;
    PreviewText previewText_;
    HACCEL accelerators_ = nullptr;  // a resource table: freed with the module
};

}  // namespace tarvel
