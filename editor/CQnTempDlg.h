#pragma once

#include <string>
#include <vector>

#include "editor/CTreeHoverPreview.h"
#include "editor/EditorSession.h"
#include "editor/ExpansionTree.h"
#include "editor/MessageBoxReporter.h"
#include "editor/SnippetFileCommands.h"
#include "editor/TreeFilter.h"
#include "editor/WarningTip.h"
#include "pages/CPropPageSnippetCode.h"
#include "pages/CPropPageSnippetTitle.h"
#include "pages/IEditorPageSite.h"
#include "store/TemplateLanguage.h"
#include "store/TemplateStore.h"
#include "store/Win32FilePort.h"
#include "widgets/CProfile.h"
#include "widgets/CResizableDialog.h"
#include "widgets/CTipStatic.h"
#include "widgets/CToolBar24.h"
#include "widgets/CTreeCtrlEx.h"
#include "widgets/CTreePropSheetBordered.h"
#include "widgets/CTreePropSheetSplitter.h"
#include "handles/UniqueImageList.h"

namespace tarvel {

// The modal autotext editor: the expansion tree of the eight languages and
// their entries on the left, the title and code pages on the right, the
// entry toolbar on top, OK, Cancel and Apply below. The pages reach it as
// their site. The module hands it its resources, the profile of the user's
// settings and the session state it shares with the module while it runs.
class CQnTempDlg : public tarvel::CResizableDialog, public IEditorPageSite {
public:
    CQnTempDlg(HINSTANCE module, const tarvel::CProfile& profile, EditorSession& session, std::string templateDirectory,
               HWND parent);

    INT_PTR DoModal() { return CResizableDialog::DoModal(parent_); }

    const tarvel::CTreeCtrlEx& Tree() const { return tree_; }
    tarvel::CTreeCtrlEx& Tree() { return tree_; }
    ExpansionTree& Entries() { return entries_; }
    // Whether every file was written.
    bool SaveAllTemplates();

    // The pages' site.
    AutotextEntry* CurrentEntry() const override;
    bool IsEditorSyncEnabled() const override;
    void MarkCurrentEntryModified() override;
    void EnableApply(bool enable) override;
    void CurrentEntryRelabelled() override;
    void RunCommand(unsigned int commandId) override;
    void FocusField(Field field) override;
    void ReportRemovedFormFeeds() override;

    bool PreTranslateMessage(MSG& message) override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(tarvel::CDataExchange& exchange) override;
    void OnOK() override;
    void OnCancel() override;
    bool OnMessage(const tarvel::Message& message, LRESULT& result) override;

private:
    // Layout
    bool CreateToolBar();
    bool CreatePageFrame(tarvel::CTreePropSheetBordered& frame, UINT placeholderId);
    int ButtonRowHeight() const;
    void CreateSplitters();
    void AnchorControls();
    std::vector<HWND> TabOrder() const;
    // False when the focus is on none of them (a popup of the editor, say).
    bool FocusNextInTabOrder(bool backwards);
    void CenterOverOwner() const;
    void FillTipLine();
    void ShowCompanyLine();

    // Tree
    void BuildLanguageRoots();
    void RestoreSelection();
    void ShowItem(HTREEITEM item);
    void ShowNoEntry();
    // The warnings of the entry shown, now; an edit asks for them a moment later.
    void UpdateWarnings();

    // Entry commands
    void RunNew(HTREEITEM item);
    void RunDuplicate(HTREEITEM item);
    void RunConfirmedDelete(HTREEITEM item);
    void RunTreeMenuCommand(UINT command, HTREEITEM item);
    void Refuse(const char* text, const char* caption) const;
    UINT TrackTreeMenu(POINT screen, bool onRoot) const;

    // Keys and focus
    bool HandleEntryKey(WPARAM key);
    bool HandleSystemKey(WPARAM key);
    bool IsPlainMnemonic(const MSG& message) const;
    bool TreeHasFocus() const;

    void OnSize(UINT kind, SIZE size);
    LRESULT OnPaint(const tarvel::Message& message);
    LRESULT OnQueryDragIcon(const tarvel::Message& message);
    LRESULT OnKickIdle(const tarvel::Message& message);
    LRESULT OnDestroy(const tarvel::Message& message);
    LRESULT OnTimer(const tarvel::Message& message);
    LRESULT OnApply(const tarvel::Message& message);
    LRESULT OnSaveCommand(const tarvel::Message& message);
    LRESULT OnNewCommand(const tarvel::Message& message);
    LRESULT OnDeleteCommand(const tarvel::Message& message);
    LRESULT OnDuplicateCommand(const tarvel::Message& message);
    LRESULT OnTreeRightClick(const tarvel::Message& message);
    LRESULT OnPreviousTip(const tarvel::Message& message);
    LRESULT OnNextTip(const tarvel::Message& message);
    LRESULT OnSelChanging(const tarvel::Message& message);
    LRESULT OnTreeNotifyIgnored(const tarvel::Message& message);
    LRESULT OnFilterChange(const tarvel::Message& message);

    // Hover previews
    LRESULT ShowHoverPreview(NMHDR& header);

    const tarvel::CProfile& profile_;
    EditorSession& session_;
    CPropPageSnippetCode codePage_;
    CPropPageSnippetTitle titlePage_;
    tarvel::CTreeCtrlEx tree_;
    tarvel::UniqueImageList treeImages_;
    std::string templateDirectory_;
    int firstSelection_ = 1;
    HICON icon_ = nullptr;
    HICON smallIcon_ = nullptr;
    tarvel::CTreePropSheetBordered titleFrame_;
    tarvel::CTreePropSheetBordered codeFrame_;
    tarvel::CTreePropSheetSplitter outerSplitter_;
    tarvel::CTreePropSheetSplitter innerSplitter_;
    tarvel::CTipStatic tipLine_;
    tarvel::CToolBar24 toolBar_;
    tarvel::CTipStatic companyLine_;
    CTreeHoverPreview hoverPreview_;

    HWND parent_;
    // An entry was changed, added, deleted or moved since the last save.
    bool unsavedChanges_ = false;
    ExpansionTree entries_;
    Win32FilePort files_;
    MessageBoxReporter reporter_;
    TemplateStore store_;
    SnippetFileCommands snippetFiles_;
    TreeFilter filter_;
    WarningTip warningTip_;
    // An edit has asked for the warnings, which the timer brings.
    bool warningsDue_ = false;
};

}  // namespace tarvel
