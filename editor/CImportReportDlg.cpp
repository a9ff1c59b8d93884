#include "editor/CImportReportDlg.h"

#include "editor/EditorTexts.h"
#include "editor/SnippetFileTexts.h"
#include "widgets/MessageMap.h"

namespace tarvel {

namespace {
constexpr char kPlacementEntry[] = "ImportReportPlacement";
}  // namespace

CImportReportDlg::CImportReportDlg(HINSTANCE module, const tarvel::CProfile& profile, std::string report)
    : CResizableDialog(module, IDD_IMPORT_REPORT), profile_(profile), report_(std::move(report)) {}

BOOL CImportReportDlg::OnInitDialog() {
    CResizableDialog::OnInitDialog();
    RECT initial{};
    ::GetWindowRect(GetHwnd(), &initial);
    SetMinTrackSize({initial.right - initial.left, initial.bottom - initial.top});
    AddAnchor(IDC_IMPORT_REPORT_INTRO, tarvel::TOP_LEFT, tarvel::TOP_RIGHT);
    AddAnchor(IDC_IMPORT_REPORT_TEXT, tarvel::TOP_LEFT, tarvel::BOTTOM_RIGHT);
    AddAnchor(IDC_IMPORT_REPORT_COPY, tarvel::BOTTOM_RIGHT);
    AddAnchor(IDOK, tarvel::BOTTOM_RIGHT);
    EnableSaveRestore(profile_, EditorTexts::kProfileSection, kPlacementEntry);
    ::SetDlgItemTextA(GetHwnd(), IDC_IMPORT_REPORT_TEXT, report_.c_str());
    // OK has the focus: the box shows the report from its start, unselected.
    ::SetFocus(GetItem(IDOK));
    return FALSE;
}

bool CImportReportDlg::OnMessage(const tarvel::Message& message, LRESULT& result) {
    static const auto map =
        tarvel::MessageMap<CImportReportDlg>().OnCommand(IDC_IMPORT_REPORT_COPY, &CImportReportDlg::OnCopy);
    return map.Dispatch(*this, message, result) || CResizableDialog::OnMessage(message, result);
}

// The box copies what it has selected; Copy selects all of it first.
LRESULT CImportReportDlg::OnCopy(const tarvel::Message&) {
    const HWND text = GetItem(IDC_IMPORT_REPORT_TEXT);
    ::SendMessageA(text, EM_SETSEL, 0, -1);
    ::SendMessageA(text, WM_COPY, 0, 0);
    return 0;
}

}  // namespace tarvel
