#include "editor/WarningTip.h"

#include "editor/ExpansionTree.h"
#include "store/EntryWarnings.h"
#include "widgets/CTipStatic.h"

namespace tarvel {

namespace {

constexpr int kFadeSteps = 20;

}  // namespace

// Until the dialog has filled the line with its tips there is nothing to go
// back to: it asks again once it has.
void WarningTip::Update(const AutotextEntry* entry) {
    if (line_.GetCount() == 0)
        return;
    std::string text;
    if (entry != nullptr && entry->language >= 0 && entry->language < TemplateLanguage::kCount) {
        for (const auto warning : EntryWarnings::Find(*entry, entries_.EntriesOfLanguage(entry->language)))
            text += (text.empty() ? "" : " ") + std::string(EntryWarnings::TextOf(warning));
    }
    if (text == shown_)
        return;
    shown_ = text;
    const COLORREF background = line_.GetBackgroundColor();
    if (text.empty())
        line_.ShowTip(line_.GetCurrentIndex(), kFadeSteps, background);
    else
        line_.ShowWarning(text, kFadeSteps, background);
}

}  // namespace tarvel
