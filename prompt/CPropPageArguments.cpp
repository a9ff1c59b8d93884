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
    for (std::size_t row = 0; row < kRows; ++row) {
        // The edits widen with the page; the labels keep their place.
        AddAnchor(Edit(row), TOP_LEFT, TOP_RIGHT);
        edits_[row]->SetHintText(PromptTexts::kHint);
    }
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

}  // namespace tarvel
