#include "prompt/CPropPageArguments.h"

#include "prompt/PromptTexts.h"
#include "res/resource.h"

namespace tarvel {

CPropPageArguments::CPropPageArguments(HINSTANCE module, IPromptValues& values)
    : CResizablePage(module, IDD_ARGUMENTS_PAGE, IDI_ARGUMENTS_PAGE), values_(values) {
    for (auto& edit : edits_) {
        edit = std::make_unique<CPromptEditCtrl>(module);
    }
}

BOOL CPropPageArguments::OnInitDialog() {
    const BOOL result = CResizablePage::OnInitDialog();
    std::array<HWND, kRows> labels{};
    for (std::size_t row = 0; row < kRows; ++row) {
        labels[row] = Label(row);
        templateEdits_[row] = edits_[row]->GetRectInParent();
        edits_[row]->SetHintText(PromptTexts::kHint);
    }
    templateClientWidth_ = GetClientRect().right;
    labelColumn_.Attach(GetHwnd(), labels);
    return result;
}

void CPropPageArguments::DoDataExchange(CDataExchange& exchange) {
    for (std::size_t row = 0; row < kRows; ++row) {
        const int index = static_cast<int>(row);
        exchange.Control(IDC_PROMPT_LABEL(index), labels_[row]);
        exchange.Control(IDC_PROMPT_EDIT(index), *edits_[row]);
        exchange.Text(IDC_PROMPT_EDIT(index), values_.PromptValue(row));
    }
}

bool CPropPageArguments::OnMessage(const Message& message, LRESULT& result) {
    static const MessageMap<CPropPageArguments> map = MessageMap<CPropPageArguments>()
                                                          .OnSize(&CPropPageArguments::OnSize)
                                                          .OnMessage(WM_COMMAND, &CPropPageArguments::OnCommand);
    return map.Dispatch(*this, message, result) || CResizablePage::OnMessage(message, result);
}

void CPropPageArguments::ShowRow(std::size_t row, const std::string& name) {
    const int show = name.empty() ? SW_HIDE : SW_SHOW;
    ::ShowWindow(Label(row), show);
    ::ShowWindow(Edit(row), show);
    // A hidden edit takes no focus and no typing.
    ::EnableWindow(Edit(row), !name.empty());
    labelColumn_.SetName(row, name);
}

void CPropPageArguments::OnSize(UINT kind, SIZE size) {
    CResizablePage::OnSize(kind, size);
    if (kind != SIZE_MINIMIZED && templateClientWidth_ > 0) {
        LayOutRows();
    }
}

// The label column takes what the page gained in width first, as far as its
// longest name needs; the edits keep their distance from the page's right edge.
void CPropPageArguments::LayOutRows() {
    const int clientWidth = GetClientRect().right;
    const int labelsGained = labelColumn_.LayOut(clientWidth);
    const int pageGained = clientWidth - templateClientWidth_;
    for (std::size_t row = 0; row < kRows; ++row) {
        const RECT& edit = templateEdits_[row];
        ::MoveWindow(Edit(row), edit.left + labelsGained, edit.top, edit.right + pageGained - edit.left - labelsGained,
                     edit.bottom - edit.top, TRUE);
    }
}

LRESULT CPropPageArguments::OnCommand(const Message& message) {
    const auto row = static_cast<std::size_t>(LOWORD(message.wParam) - IDC_PROMPT_EDIT_FIRST);
    if (HIWORD(message.wParam) != EN_CHANGE || row >= kRows) {
        SetMsgHandled(false);
        return 0;
    }
    values_.PromptValueEdited(row);
    return 0;
}

}  // namespace tarvel
