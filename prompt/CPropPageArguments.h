#pragma once

#include "prompt/AutotextDlgRequest.h"
#include "prompt/CPromptEditCtrl.h"
#include "prompt/IPromptValues.h"
#include "prompt/PromptLabelColumn.h"
#include "widgets/CResizablePage.h"

#include <array>
#include <memory>
#include <string>

namespace tarvel {

// The "Arguments" page of the prompt dialog: one row per prompt, a label and
// a value edit. The dialog decides which rows show and what the labels say;
// the page exchanges the edits with the dialog's working values and tells it
// of every edit.
class CPropPageArguments : public CResizablePage {
public:
    static constexpr std::size_t kRows = AutotextDlgRequest::kRows;

    CPropPageArguments(HINSTANCE module, IPromptValues& values);

    HWND Label(std::size_t row) const noexcept { return labels_[row].GetHwnd(); }
    HWND Edit(std::size_t row) const noexcept { return edits_[row]->GetHwnd(); }
    // Shows the row labelled with the name, or hides it for an empty one.
    void ShowRow(std::size_t row, const std::string& name);
    // Places labels and edits once the rows are known.
    void LayOutRows();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& exchange) override;
    bool OnMessage(const Message& message, LRESULT& result) override;

private:
    void OnSize(UINT kind, SIZE size);
    LRESULT OnCommand(const Message& message);

    IPromptValues& values_;
    std::array<CWindow, kRows> labels_;
    std::array<std::unique_ptr<CPromptEditCtrl>, kRows> edits_;
    PromptLabelColumn labelColumn_;
    std::array<RECT, kRows> templateEdits_{};
    int templateClientWidth_ = 0;
};

}  // namespace tarvel
