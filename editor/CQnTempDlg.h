#pragma once

#include <array>
#include <string>

#include "editor/EntryOwner.h"
#include "editor/MessageBoxReporter.h"
#include "pages/CPropPageSnippetCode.h"
#include "pages/CPropPageSnippetTitle.h"
#include "store/TemplateLanguage.h"
#include "store/TemplateStore.h"
#include "store/Win32FilePort.h"
#include "widgets/CResizableDialog.h"
#include "widgets/CTipStatic.h"
#include "widgets/CToolBar24.h"
#include "widgets/CTreeCtrlEx.h"
#include "widgets/CTreePropSheetBordered.h"
#include "widgets/CTreePropSheetSplitter.h"
#include "widgets/UniqueHandle.h"

// The modal autotext editor: the expansion tree of the eight languages and
// their entries on the left, the title and code pages on the right, the
// entry toolbar on top, OK, Cancel and Apply below.
class CQnTempDlg : public tarvel::CResizableDialog {
public:
    CQnTempDlg(std::string templateDirectory, HWND parent);
    ~CQnTempDlg() override;

    INT_PTR DoModal() { return CResizableDialog::DoModal(parent_); }

    const tarvel::CTreeCtrlEx& Tree() const { return tree_; }
    tarvel::CTreeCtrlEx& Tree() { return tree_; }
    // Colours the current entry's label red; false while a root is selected.
    bool MarkCurrentEntryModified();
    void EnableApply(bool enable) const;
    // Whether every file was written.
    bool SaveAllTemplates();

    bool PreTranslateMessage(MSG& message) override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(tarvel::CDataExchange& exchange) override;
    void OnOK() override;
    bool OnMessage(const tarvel::Message& message, LRESULT& result) override;

private:
    // Layout
    bool CreateToolBar();
    bool CreatePageFrame(tarvel::CTreePropSheetBordered& frame, UINT placeholderId);
    int ButtonRowHeight() const;
    void CreateSplitters();
    void AnchorControls();
    void FillTipLine();
    void ShowCompanyLine();

    // Tree
    void BuildLanguageRoots();
    void RestoreSelection();
    HTREEITEM FindEntryByOrdinal(HTREEITEM root, int ordinal) const;
    void ShowItem(HTREEITEM item);
    void ShowNoEntry();
    TemplateStore::LanguageEntries EntriesInTreeOrder() const;

    // Keys and focus
    bool HandleSystemKey(WPARAM key);
    bool TreeHasFocus() const;
    void FocusTitleField(int controlId);
    void FocusCodePage();

    LRESULT OnSize(const tarvel::Message& message);
    LRESULT OnPaint(const tarvel::Message& message);
    LRESULT OnQueryDragIcon(const tarvel::Message& message);
    LRESULT OnKickIdle(const tarvel::Message& message);
    LRESULT OnDestroy(const tarvel::Message& message);
    LRESULT OnApply(const tarvel::Message& message);
    LRESULT OnSaveCommand(const tarvel::Message& message);
    LRESULT OnPreviousTip(const tarvel::Message& message);
    LRESULT OnNextTip(const tarvel::Message& message);
    LRESULT OnSelChanging(const tarvel::Message& message);
    LRESULT OnTreeNotifyIgnored(const tarvel::Message& message);

    CPropPageSnippetCode codePage_;
    CPropPageSnippetTitle titlePage_;
    tarvel::CTreeCtrlEx tree_;
    tarvel::UniqueImageList treeImages_;
    std::string templateDirectory_;
    std::array<HTREEITEM, TemplateLanguage::kCount> languageRoots_{};
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

    HWND parent_;
    EntryOwner entries_;
    Win32FilePort files_;
    MessageBoxReporter reporter_;
    TemplateStore store_;
    // Without its language roots the tree holds nothing to save: writing
    // then would empty every template file.
    bool rootsBuilt_ = false;
};
