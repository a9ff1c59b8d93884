#pragma once

#include <string>

#include "widgets/CResizableDialog.h"

namespace tarvel {

// Shows an import's report in a read-only box that the user can select and
// copy from; Copy takes the whole report to the clipboard. The dialog sizes
// like the editor, the box taking what it grows by, and keeps its placement.
class CImportReportDlg : public tarvel::CResizableDialog {
public:
    // The report in the ANSI code page, lines ended by CR LF.
    CImportReportDlg(HINSTANCE module, const tarvel::CProfile& profile, std::string report);

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(const tarvel::Message& message, LRESULT& result) override;

private:
    LRESULT OnCopy(const tarvel::Message& message);

    const tarvel::CProfile& profile_;
    std::string report_;
};

}  // namespace tarvel
