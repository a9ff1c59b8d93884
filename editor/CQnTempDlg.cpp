#include "editor/CQnTempDlg.h"

#include "editor/EditorSyncPause.h"
#include "editor/EditorTexts.h"
#include "editor/SnippetFileTexts.h"
#include "handles/PaintScope.h"
#include "pages/PageTexts.h"
#include "store/StoreTexts.h"
#include "res/resource.h"
#include "layout/LayoutGeometry.h"
#include "widgets/DisplayDpi.h"

#include <algorithm>
#include <vector>

namespace tarvel {

namespace {

constexpr int kSplitterMinimumPane = 75;
constexpr int kSplitterBarWidth = 5;
constexpr UINT kSplitterId = 0xE900;
// The room left below the splitters for the buttons and the tip line, at
// 96 dots per inch; the dialog's controls grow with the resolution, so does it.
constexpr int kButtonRowHeight = 35;
constexpr SIZE kToolBarImageSize{16, 16};
constexpr COLORREF kToolBarMask = RGB(255, 0, 255);
constexpr COLORREF kTreeImageMask = RGB(0, 255, 0);
constexpr int kTreeImageWidth = 16;
constexpr int kCompanyFadeSteps = 20;
constexpr int kTipFadeSteps = 20;
// Between the filter box and the tree below it, in dialog units.
constexpr int kFilterSpacingDlu = 2;
constexpr int kEntryCommands[] = {ID_ENTRY_NEW, ID_ENTRY_SAVE, ID_ENTRY_DELETE, ID_ENTRY_DUPLICATE};
// The warnings are looked for this long after an edit, once for a burst of
// keys: looking means reading the whole entry, which a keystroke into a long
// one should not wait for.
constexpr UINT_PTR kWarningTimer = 1;
constexpr UINT kWarningDelay = 300;

// Shared icons belong to the module: nothing to free.
HICON LoadDialogIcon(HINSTANCE module, int widthMetric, int heightMetric) {
    return static_cast<HICON>(::LoadImageA(module, MAKEINTRESOURCEA(IDI_AUTOTEXT), IMAGE_ICON,
                                           ::GetSystemMetrics(widthMetric), ::GetSystemMetrics(heightMetric),
                                           LR_SHARED));
}

}  // namespace

CQnTempDlg::CQnTempDlg(HINSTANCE module, const tarvel::CProfile& profile, EditorSession& session,
                       std::string templateDirectory, HWND parent)
    : CResizableDialog(module, IDD_AUTOTEXT_EDITOR),
      profile_(profile),
      session_(session),
      codePage_(module),
      titlePage_(module),
      templateDirectory_(std::move(templateDirectory)),
      icon_(LoadDialogIcon(module, SM_CXICON, SM_CYICON)),
      smallIcon_(LoadDialogIcon(module, SM_CXSMICON, SM_CYSMICON)),
      titleFrame_(module),
      codeFrame_(module),
      outerSplitter_(module, 2, tarvel::CTreePropSheetSplitter::Orientation::SideBySide, kSplitterMinimumPane,
                     kSplitterBarWidth),
      innerSplitter_(module, 2, tarvel::CTreePropSheetSplitter::Orientation::Stacked, kSplitterMinimumPane,
                     kSplitterBarWidth),
      toolBar_(module),
      parent_(parent),
      entries_(tree_, session_),
      store_(templateDirectory_, files_, reporter_),
      snippetFiles_(module, profile_, entries_, files_, reporter_),
      filter_(entries_, tree_, *this),
      warningTip_(tipLine_, entries_) {
    titlePage_.SetSite(this);
    codePage_.SetSite(this);
}

void CQnTempDlg::DoDataExchange(tarvel::CDataExchange& exchange) {
    exchange.Control(IDC_EXPANSION_TREE, tree_);
    exchange.Control(IDC_TREE_FILTER, filter_.Box());
    exchange.Control(IDC_TIP_LINE, tipLine_);
    exchange.Control(IDC_COMPANY_LINE, companyLine_);
}

bool CQnTempDlg::OnMessage(const Message& message, LRESULT& result) {
    static const auto map = tarvel::MessageMap<CQnTempDlg>()
                                .OnSize(&CQnTempDlg::OnSize)
                                .OnMessage(WM_PAINT, &CQnTempDlg::OnPaint)
                                .OnMessage(WM_QUERYDRAGICON, &CQnTempDlg::OnQueryDragIcon)
                                .OnMessage(tarvel::WM_KICKIDLE, &CQnTempDlg::OnKickIdle)
                                .OnMessage(WM_DESTROY, &CQnTempDlg::OnDestroy)
                                .OnMessage(WM_TIMER, &CQnTempDlg::OnTimer)
                                .OnCommand(IDC_APPLY, &CQnTempDlg::OnApply)
                                .OnCommand(ID_ENTRY_SAVE, &CQnTempDlg::OnSaveCommand)
                                .OnCommand(ID_ENTRY_NEW, &CQnTempDlg::OnNewCommand)
                                .OnCommand(ID_ENTRY_DELETE, &CQnTempDlg::OnDeleteCommand)
                                .OnCommand(ID_ENTRY_DUPLICATE, &CQnTempDlg::OnDuplicateCommand)
                                .OnCommand(IDC_PREVIOUS_TIP, &CQnTempDlg::OnPreviousTip)
                                .OnCommand(IDC_NEXT_TIP, &CQnTempDlg::OnNextTip)
                                .OnCommand(IDC_TREE_FILTER, &CQnTempDlg::OnFilterChange, EN_CHANGE)
                                .OnNotify(IDC_EXPANSION_TREE, TVN_SELCHANGINGA, &CQnTempDlg::OnSelChanging)
                                .OnNotify(IDC_EXPANSION_TREE, TVN_SELCHANGEDA, &CQnTempDlg::OnTreeNotifyIgnored)
                                .OnNotify(IDC_EXPANSION_TREE, NM_CLICK, &CQnTempDlg::OnTreeNotifyIgnored)
                                .OnNotify(IDC_EXPANSION_TREE, NM_RCLICK, &CQnTempDlg::OnTreeRightClick)
                                .OnNotify(0, kTooltipDisplayNotification, &CQnTempDlg::ShowHoverPreview);
    return map.Dispatch(*this, message, result) || CResizableDialog::OnMessage(message, result);
}

BOOL CQnTempDlg::OnInitDialog() {
    CResizableDialog::OnInitDialog();
    reporter_.SetOwner(GetHwnd());

    RECT initial{};
    ::GetWindowRect(GetHwnd(), &initial);
    SetMinTrackSize({(initial.right - initial.left) / 2 + 100, initial.bottom - initial.top});
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));

    // The dialog still shows without a toolbar, but with nothing in it.
    if (!CreateToolBar()) {
        EnableApply(false);
        return -1;
    }
    BuildLanguageRoots();
    filter_.Attach();
    CreatePageFrame(titleFrame_, IDC_TITLE_FRAME);
    CreatePageFrame(codeFrame_, IDC_CODE_FRAME);
    CreateSplitters();
    AnchorControls();
    hoverPreview_.Create(GetHwnd(), tree_, entries_, toolBar_);
    EnableApply(false);
    for (auto* frame : {&titleFrame_, &codeFrame_}) {
        ::SetWindowLongA(*frame, GWL_EXSTYLE, ::GetWindowLongA(*frame, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
        ::SetWindowPos(*frame, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    titlePage_.SetTitlePageState(CPropPageSnippetTitle::kNoEntry);
    CenterOverOwner();
    EnableSaveRestore(profile_, EditorTexts::kProfileSection);
    RestoreSelection();
    ::SetFocus(tree_);
    FillTipLine();
    warningTip_.Update(CurrentEntry());
    ShowCompanyLine();
    return FALSE;
}

bool CQnTempDlg::CreateToolBar() {
    if (!toolBar_.Create(GetHwnd(), tarvel::CToolBar24::kFirstBarId) || !toolBar_.LoadToolBar(IDR_ENTRY_TOOLBAR))
        return false;
    toolBar_.LoadTrueColorImages(IDB_ENTRY_TOOLBAR24, kToolBarMask, kToolBarImageSize);
    toolBar_.StretchToParent();
    return true;
}

bool CQnTempDlg::CreatePageFrame(tarvel::CTreePropSheetBordered& frame, UINT placeholderId) {
    if (GetItem(static_cast<int>(placeholderId)) == nullptr)
        return false;
    frame.AddPage(placeholderId == IDC_TITLE_FRAME ? static_cast<tarvel::CPropertyPage&>(titlePage_)
                                                   : static_cast<tarvel::CPropertyPage&>(codePage_));
    if (!frame.Create(GetHwnd(), WS_VISIBLE, WS_EX_CONTROLPARENT, RECT{}, placeholderId + 0x100))
        return false;
    const HWND tab = frame.GetTabControl();
    ::SetWindowLongA(tab, GWL_STYLE, ::GetWindowLongA(tab, GWL_STYLE) & ~WS_TABSTOP);
    return true;
}

int CQnTempDlg::ButtonRowHeight() const { return tarvel::AtDisplayDpi(kButtonRowHeight, GetHwnd()); }

void CQnTempDlg::CreateSplitters() {
    const RECT client = GetClientRect();
    // The company line stands on the toolbar's strip. Its font grows with the
    // resolution, the toolbar's images do not: where the line reaches below
    // the toolbar, the splitters start below the line so that it covers no frame.
    const LONG top = std::max(toolBar_.GetRectInParent().bottom, companyLine_.GetRectInParent().bottom);
    outerSplitter_.Create(GetHwnd(), RECT{0, top, client.right, client.bottom - ButtonRowHeight()}, kSplitterId);
    innerSplitter_.Create(outerSplitter_, outerSplitter_.GetPaneRect(1), kSplitterId);
    outerSplitter_.SetPane(0, tree_);
    // The filter box keeps the height the dialog's font gave it.
    const RECT box = filter_.Box().GetRectInParent();
    RECT spacing{0, 0, 0, kFilterSpacingDlu};
    ::MapDialogRect(GetHwnd(), &spacing);
    outerSplitter_.SetPaneHeader(0, filter_.Box(), box.bottom - box.top, spacing.bottom);
    outerSplitter_.SetPane(1, innerSplitter_);
    innerSplitter_.SetPane(0, titleFrame_);
    innerSplitter_.SetPane(1, codeFrame_);
    outerSplitter_.SetPaneProportions({30, 70});
    innerSplitter_.SetPaneProportions({45, 55});
    outerSplitter_.RecalcLayout();
    innerSplitter_.RecalcLayout();
}

void CQnTempDlg::AnchorControls() {
    using namespace tarvel;
    AddAnchor(outerSplitter_, TOP_LEFT, BOTTOM_RIGHT);
    AddAnchor(IDC_PREVIOUS_TIP, BOTTOM_LEFT);
    AddAnchor(IDC_NEXT_TIP, BOTTOM_LEFT);
    AddAnchor(IDC_APPLY, BOTTOM_RIGHT);
    AddAnchor(IDCANCEL, BOTTOM_RIGHT);
    AddAnchor(IDOK, BOTTOM_RIGHT);
    AddAnchor(IDC_TIP_LINE, BOTTOM_LEFT, BOTTOM_RIGHT);
    AddAnchor(IDC_COMPANY_LINE, TOP_RIGHT, TOP_RIGHT);
}

// The tab order reads like the dialog: filter, tree, title, shortcut,
// description, code, the tip buttons, OK, Cancel, Apply. The dialog manager
// does not step out of a page nested in a frame, so the dialog steps itself.
std::vector<HWND> CQnTempDlg::TabOrder() const {
    return {GetItem(IDC_TREE_FILTER),
            tree_.GetHwnd(),
            titlePage_.Field(IDC_TITLE),
            titlePage_.Field(IDC_SHORTCUT),
            titlePage_.Field(IDC_DESCRIPTION),
            codePage_.CodeWindow(),
            GetItem(IDC_PREVIOUS_TIP),
            GetItem(IDC_NEXT_TIP),
            GetItem(IDOK),
            GetItem(IDCANCEL),
            GetItem(IDC_APPLY)};
}

bool CQnTempDlg::FocusNextInTabOrder(bool backwards) {
    const std::vector<HWND> order = TabOrder();
    const HWND focus = ::GetFocus();
    const auto count = static_cast<int>(order.size());
    int at = static_cast<int>(std::find(order.begin(), order.end(), focus) - order.begin());
    if (at == count)
        return false;
    for (int step = 1; step < count; ++step) {
        const HWND next = order[static_cast<size_t>((at + (backwards ? count - step : step)) % count)];
        if (next != nullptr && ::IsWindowVisible(next) && ::IsWindowEnabled(next)) {
            // As the dialog manager does: an edit entered by Tab has its text
            // selected. Not the code: the next Tab would replace or indent it all.
            if (next != codePage_.CodeWindow() && (::SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL))
                ::SendMessageA(next, EM_SETSEL, 0, -1);
            ::SetFocus(next);
            return true;
        }
    }
    return true;
}

// A stored placement moves the dialog again; without one it opens over its
// owner, or in the middle of the work area when there is none.
void CQnTempDlg::CenterOverOwner() const {
    RECT area{};
    const HWND owner = ::GetWindow(GetHwnd(), GW_OWNER);
    if (owner == nullptr || !::IsWindowVisible(owner) || ::IsIconic(owner) || !::GetWindowRect(owner, &area))
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT window{};
    ::GetWindowRect(GetHwnd(), &window);
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    const tarvel::LayoutRect centered =
        tarvel::CenterOver({area.left, area.top, area.right, area.bottom}, width, height);
    ::SetWindowPos(GetHwnd(), nullptr, centered.left, centered.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CQnTempDlg::FillTipLine() {
    for (const char* tip : EditorTexts::kHelpTips)
        tipLine_.AddText(tip);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    tipLine_.SetBackgroundColor(face);
    tipLine_.SetAlignment(tarvel::CTipStatic::kAlignLeft);
    tipLine_.SetEngraved(false);
    // Below the dialog's default width the longer tips take a second line.
    tipLine_.SetWordWrap(true);
    tipLine_.ShowTip(0, kTipFadeSteps, face);
}

LRESULT CQnTempDlg::OnPreviousTip(const Message&) {
    tipLine_.ShowPrevious(kTipFadeSteps);
    return 0;
}

LRESULT CQnTempDlg::OnNextTip(const Message&) {
    tipLine_.ShowNext(kTipFadeSteps);
    return 0;
}

void CQnTempDlg::ShowCompanyLine() {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    companyLine_.SetBackgroundColor(face);
    companyLine_.SetAlignment(tarvel::CTipStatic::kAlignRight);
    companyLine_.ShowText(EditorTexts::kCompanyName, kCompanyFadeSteps, face);
    companyLine_.SetEngraved(true);
}

// ---- The expansion tree ----

void CQnTempDlg::BuildLanguageRoots() {
    treeImages_.reset(::ImageList_LoadImageA(Module(), MAKEINTRESOURCEA(IDB_TREE_IMAGES), kTreeImageWidth, 1,
                                             kTreeImageMask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
    tree_.SetImageList(treeImages_.get());
    entries_.BuildLanguageRoots(store_);
    // A moved entry is an unsaved change like an edited one.
    entries_.SetMoveListener([this] { EnableApply(true); });
    tree_.SetDragSite(&entries_);
}

void CQnTempDlg::RestoreSelection() {
    const int rootNode = profile_.GetInt(EditorTexts::kProfileSection, EditorTexts::kRootNodeEntry, 0);
    const int branchNode = profile_.GetInt(EditorTexts::kProfileSection, EditorTexts::kBranchNodeEntry, 0);
    const HTREEITEM firstRoot = entries_.Root(0);
    if (rootNode == -1) {
        tree_.SelectItem(firstRoot);
        tree_.EnsureVisible(firstRoot);
        return;
    }
    const HTREEITEM root = entries_.Root(rootNode) != nullptr ? entries_.Root(rootNode) : firstRoot;
    const HTREEITEM chosen = entries_.FindEntryByOrdinal(root, branchNode);
    tree_.Expand(root, TVE_EXPAND);
    tree_.SelectItem(chosen);
    tree_.EnsureVisible(chosen);
}

LRESULT CQnTempDlg::OnSelChanging(const Message& message) {
    if (filter_.IsRebuilding())
        return 0;
    const auto* change = reinterpret_cast<const NMTREEVIEWA*>(message.lParam);
    ShowItem(change->itemNew.hItem);
    return 0;
}

void CQnTempDlg::ShowItem(HTREEITEM item) {
    if (firstSelection_ == 1) {
        titleFrame_.SetActivePage(0);
        codeFrame_.SetActivePage(0);
        firstSelection_ = 0;
    }
    const HTREEITEM parent = item ? tree_.GetParentItem(item) : nullptr;
    if (parent == nullptr) {
        ShowNoEntry();
        return;
    }
    codePage_.ApplyLanguage(entries_.LanguageIndexOfRoot(parent));
    AutotextEntry* entry = entries_.EntryOf(item);
    if (entry == nullptr) {
        ShowNoEntry();
        return;
    }
    if (entry->kind != 0)
        return;
    session_.currentEntry = entry;
    {
        const EditorSyncPause pause(session_);
        codePage_.LoadCode(entry->code);
    }
    titlePage_.ShowEntryTexts(*entry);
    titlePage_.SetTitlePageState(CPropPageSnippetTitle::kEntryShown);
    UpdateWarnings();
}

void CQnTempDlg::ShowNoEntry() {
    session_.currentEntry = nullptr;
    titlePage_.SetTitlePageState(CPropPageSnippetTitle::kNoEntry);
    {
        const EditorSyncPause pause(session_);
        codePage_.ClearCode();
    }
    UpdateWarnings();
}

void CQnTempDlg::UpdateWarnings() {
    if (warningsDue_)
        ::KillTimer(GetHwnd(), kWarningTimer);
    warningsDue_ = false;
    warningTip_.Update(CurrentEntry());
}

LRESULT CQnTempDlg::OnTimer(const Message& message) {
    if (message.TimerId() != kWarningTimer)
        return Default(message);
    UpdateWarnings();
    return 0;
}

// ---- The pages' site ----

// Only an entry that the tree still shows: an entry whose item went (a drop
// re-creates items) takes no more edits.
AutotextEntry* CQnTempDlg::CurrentEntry() const {
    AutotextEntry* current = session_.currentEntry;
    if (current == nullptr || current->treeItem == nullptr)
        return nullptr;
    return entries_.EntryOf(static_cast<HTREEITEM>(current->treeItem)) == current ? current : nullptr;
}

bool CQnTempDlg::IsEditorSyncEnabled() const { return session_.editorSyncEnabled; }

void CQnTempDlg::MarkCurrentEntryModified() {
    if (!warningsDue_)
        warningsDue_ = ::SetTimer(GetHwnd(), kWarningTimer, kWarningDelay, nullptr) != 0;
    if (entries_.EntryOf(tree_.GetSelectedItem()) == nullptr || session_.dragInProgress)
        return;
    if (const AutotextEntry* current = CurrentEntry())
        entries_.MarkModified(*current);
}

void CQnTempDlg::CurrentEntryRelabelled() {
    if (const AutotextEntry* current = CurrentEntry())
        entries_.Relabel(*current);
}

void CQnTempDlg::RunCommand(unsigned int commandId) { Send(WM_COMMAND, MAKEWPARAM(commandId, BN_CLICKED)); }

// A disabled field (no entry selected) or the code page's placeholder takes
// no focus: the focus stays where it was, so that the next plain key goes
// where the user left it.
void CQnTempDlg::FocusField(Field field) {
    HWND target = nullptr;
    switch (field) {
        case Field::Title:
            target = titlePage_.Field(IDC_TITLE);
            break;
        case Field::Shortcut:
            target = titlePage_.Field(IDC_SHORTCUT);
            break;
        case Field::Description:
            target = titlePage_.Field(IDC_DESCRIPTION);
            break;
        case Field::Code:
            target = codePage_.CodeWindow();
            break;
    }
    if (target == nullptr || !::IsWindowVisible(target) || !::IsWindowEnabled(target))
        return;
    ::SetFocus(target);
    // As Tab into an edit does, so that typing replaces the field's text.
    if (field != Field::Code)
        ::SendMessageA(target, EM_SETSEL, 0, -1);
}

void CQnTempDlg::ReportRemovedFormFeeds() {
    tipLine_.ShowWarning(EditorTexts::kFormFeedsRemoved, kTipFadeSteps, ::GetSysColor(COLOR_BTNFACE));
}

// ---- Saving and closing ----

bool CQnTempDlg::SaveAllTemplates() {
    if (entries_.HasRoots() && !store_.SaveAllTemplates(entries_.EntriesInTreeOrder()))
        return false;
    unsavedChanges_ = false;
    return true;
}

// Every change that is not saved yet enables Apply.
void CQnTempDlg::EnableApply(bool enable) {
    if (enable)
        unsavedChanges_ = true;
    // Every keystroke asks: only a change reaches the button.
    const HWND apply = GetItem(IDC_APPLY);
    if ((::IsWindowEnabled(apply) != FALSE) != enable)
        ::EnableWindow(apply, enable ? TRUE : FALSE);
}

// After a failed save the editor stays open with its edits: the user has
// seen why and can retry or cancel, and the host's 1 always means saved.
void CQnTempDlg::OnOK() {
    if (!SaveAllTemplates())
        return;
    CResizableDialog::OnOK();
}

// Escape, Alt+C, the Cancel button and a close request all come here: one
// stray key must not drop a session's edits unasked.
void CQnTempDlg::OnCancel() {
    if (unsavedChanges_ && ::MessageBoxA(GetHwnd(), EditorTexts::kDiscardQuestion, StoreTexts::kCaption,
                                         MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    CResizableDialog::OnCancel();
}

LRESULT CQnTempDlg::OnApply(const Message&) {
    if (!SaveAllTemplates())
        return 0;
    // A disabled window cannot keep the focus; without one the keyboard is dead.
    if (::GetFocus() == GetItem(IDC_APPLY))
        Send(WM_NEXTDLGCTL);
    EnableApply(false);
    return 0;
}

LRESULT CQnTempDlg::OnSaveCommand(const Message&) {
    if (!SaveAllTemplates())
        EnableApply(true);
    return 0;
}

LRESULT CQnTempDlg::OnTreeNotifyIgnored(const Message&) { return 0; }

LRESULT CQnTempDlg::OnFilterChange(const Message&) {
    filter_.Apply();
    return 0;
}

// ---- Entry commands ----

// The toolbar's commands act on the selected item, and only while the tree
// holds the focus: elsewhere the user is typing into an entry.
LRESULT CQnTempDlg::OnNewCommand(const Message&) {
    if (TreeHasFocus())
        RunNew(tree_.GetSelectedItem());
    return 0;
}

LRESULT CQnTempDlg::OnDeleteCommand(const Message&) {
    if (!TreeHasFocus())
        return 0;
    const HTREEITEM selected = tree_.GetSelectedItem();
    if (entries_.EntryOf(selected) == nullptr)
        Refuse(EditorTexts::kCannotDeleteRoot, StoreTexts::kCaption);
    else
        RunConfirmedDelete(selected);
    return 0;
}

LRESULT CQnTempDlg::OnDuplicateCommand(const Message&) {
    if (TreeHasFocus())
        RunDuplicate(tree_.GetSelectedItem());
    return 0;
}

// The new entry's title is focused and selected, so that typing names it.
void CQnTempDlg::RunNew(HTREEITEM item) {
    if (entries_.NewEntry(item) == nullptr)
        return;
    EnableApply(true);
    MarkCurrentEntryModified();
    FocusField(Field::Title);
}

// Apply changes only with the entries: a refusal or a cancelled question
// leaves it as it was, so that it still tells whether anything is unsaved.
void CQnTempDlg::RunDuplicate(HTREEITEM item) {
    if (entries_.EntryOf(item) == nullptr) {
        Refuse(EditorTexts::kCannotDuplicateRoot, StoreTexts::kCaption);
        return;
    }
    if (entries_.DuplicateEntry(item) == nullptr)
        return;
    EnableApply(true);
    MarkCurrentEntryModified();
}

void CQnTempDlg::RunConfirmedDelete(HTREEITEM item) {
    if (entries_.EntryOf(item) == nullptr) {
        Refuse(EditorTexts::kCannotDeleteRoots, PageTexts::kErrorCaption);
        return;
    }
    const int answer = ::MessageBoxA(GetHwnd(), EditorTexts::kDeleteQuestion, EditorTexts::kDeleteQuestionCaption,
                                     MB_OKCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDOK && entries_.DeleteEntry(item))
        EnableApply(true);
}

void CQnTempDlg::Refuse(const char* text, const char* caption) const {
    ::MessageBoxA(GetHwnd(), text, caption, MB_OK | MB_ICONSTOP);
}

// The item under the mouse, found in the tree's own coordinates wherever the
// tree sits in the dialog, is selected and, when the click hit its icon or
// label, offered the menu.
LRESULT CQnTempDlg::OnTreeRightClick(const Message&) {
    POINT cursor{};
    if (!::GetCursorPos(&cursor))
        return 0;
    POINT inTree = cursor;
    ::ScreenToClient(tree_, &inTree);
    UINT flags = 0;
    const HTREEITEM item = tree_.HitTest(inTree, &flags);
    tree_.SelectItem(item);
    if (item == nullptr || (flags & TVHT_ONITEM) == 0)
        return 0;
    RunTreeMenuCommand(TrackTreeMenu(cursor, entries_.EntryOf(item) == nullptr), item);
    return 0;
}

void CQnTempDlg::RunTreeMenuCommand(UINT command, HTREEITEM item) {
    switch (command) {
        case ID_TREE_MENU_NEW:
            RunNew(item);
            break;
        case ID_TREE_MENU_DUPLICATE:
            RunDuplicate(item);
            break;
        case ID_TREE_MENU_SAVE:
            RunCommand(ID_ENTRY_SAVE);
            break;
        case ID_TREE_MENU_DELETE:
            RunConfirmedDelete(item);
            break;
        case ID_TREE_MENU_IMPORT:
            if (snippetFiles_.Import(GetHwnd(), item))
                EnableApply(true);
            break;
        case ID_TREE_MENU_EXPORT:
            snippetFiles_.Export(GetHwnd(), item);
            break;
        default:
            break;
    }
}

// A language root also offers other editors' snippets in and its own out.
UINT CQnTempDlg::TrackTreeMenu(POINT screen, bool onRoot) const {
    const tarvel::UniqueMenu menu(::CreatePopupMenu());
    if (!menu)
        return 0;
    ::AppendMenuA(menu.get(), MF_STRING, ID_TREE_MENU_NEW, EditorTexts::kMenuNew);
    ::AppendMenuA(menu.get(), MF_STRING, ID_TREE_MENU_DUPLICATE, EditorTexts::kMenuDuplicate);
    ::AppendMenuA(menu.get(), MF_STRING, ID_TREE_MENU_SAVE, EditorTexts::kMenuSave);
    ::AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu.get(), MF_STRING, ID_TREE_MENU_DELETE, EditorTexts::kMenuDelete);
    if (onRoot) {
        ::AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(menu.get(), MF_STRING, ID_TREE_MENU_IMPORT, SnippetFileTexts::kMenuImport);
        ::AppendMenuA(menu.get(), MF_STRING, ID_TREE_MENU_EXPORT, SnippetFileTexts::kMenuExport);
    }
    return static_cast<UINT>(::TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x, screen.y, 0,
                                              GetHwnd(), nullptr));
}

LRESULT CQnTempDlg::OnDestroy(const Message& message) {
    hoverPreview_.Destroy();
    const LRESULT result = CResizableDialog::OnDestroy(message);
    UpdateData(true);
    const AutotextEntry* current = session_.currentEntry;
    // Without its tree the dialog never showed an entry: keep the last restore point.
    if (entries_.HasRoots()) {
        profile_.WriteInt(EditorTexts::kProfileSection, EditorTexts::kRootNodeEntry, current ? current->language : -1);
        profile_.WriteInt(EditorTexts::kProfileSection, EditorTexts::kBranchNodeEntry, current ? current->ordinal : -1);
    }
    session_.currentEntry = nullptr;
    entries_.ReleaseEntries();
    return result;
}

// ---- Window messages ----

void CQnTempDlg::OnSize(UINT kind, SIZE size) {
    CResizableDialog::OnSize(kind, size);
    if (toolBar_.GetHwnd() != nullptr)
        toolBar_.StretchToParent();
}

LRESULT CQnTempDlg::OnPaint(const Message& message) {
    if (!::IsIconic(GetHwnd()))
        return Default(message);
    tarvel::PaintScope paint(GetHwnd());
    Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.dc()));
    const RECT client = GetClientRect();
    const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(paint.dc(), x, y, icon_);
    return 0;
}

LRESULT CQnTempDlg::OnQueryDragIcon(const Message&) { return reinterpret_cast<LRESULT>(icon_); }

LRESULT CQnTempDlg::OnKickIdle(const Message&) {
    if (!::IsWindowVisible(GetHwnd()) || ::GetFocus() == nullptr || toolBar_.GetHwnd() == nullptr)
        return 0;
    const bool enable = TreeHasFocus();
    for (int command : kEntryCommands)
        toolBar_.EnableButton(static_cast<UINT>(command), enable);
    return 0;
}

// ---- Keyboard ----

bool CQnTempDlg::TreeHasFocus() const {
    return dynamic_cast<tarvel::CTreeCtrlEx*>(tarvel::CWindow::FromHandle(::GetFocus())) != nullptr;
}

// Only keys pressed with Alt held, in a window of the editor: with no focus
// Windows sends plain keys as system keys too, and the host's other windows
// share this thread.
bool CQnTempDlg::PreTranslateMessage(MSG& message) {
    hoverPreview_.Relay(message);
    const bool altHeld = (HIWORD(message.lParam) & KF_ALTDOWN) != 0;
    const bool inEditor = message.hwnd == GetHwnd() || ::IsChild(GetHwnd(), message.hwnd);
    if (message.message == WM_SYSKEYDOWN && altHeld && inEditor && HandleSystemKey(message.wParam))
        return true;
    if (inEditor && filter_.HandleKey(message))
        return true;
    if (message.message == WM_KEYDOWN && inEditor && HandleEntryKey(message.wParam))
        return true;
    // Dispatched as it is: the focused window takes the character or drops it.
    if (inEditor && IsPlainMnemonic(message))
        return false;
    // A drag keeps the focus in the tree, where Escape ends it. Tab in the
    // code editor indents, as in any code editor; Ctrl+Tab leaves it.
    const bool inCode = message.hwnd != nullptr && message.hwnd == codePage_.CodeWindow();
    if (inEditor && message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
        (::GetKeyState(VK_CONTROL) < 0) == inCode && !tree_.IsDragging() &&
        FocusNextInTabOrder(::GetKeyState(VK_SHIFT) < 0))
        return true;
    return CResizableDialog::PreTranslateMessage(message);
}

// The dialog manager takes a plain letter or digit for a button mnemonic
// when the focus is on a window that does not want characters; then "c"
// would cancel the editor and lose its edits. Only Alt+letter is a mnemonic
// here; with no focus a plain letter comes as a system character without Alt.
bool CQnTempDlg::IsPlainMnemonic(const MSG& message) const {
    if (message.message == WM_SYSCHAR && (HIWORD(message.lParam) & KF_ALTDOWN) == 0)
        return true;
    if (message.message != WM_CHAR || !::IsCharAlphaNumericA(static_cast<CHAR>(message.wParam)))
        return false;
    const HWND focus = ::GetFocus();
    const auto code =
        focus ? ::SendMessageA(focus, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message)) : 0;
    return (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) == 0;
}

// Insert, Delete, F2 and Ctrl+C are entry commands in the tree only; elsewhere
// they edit and copy text as usual. Insert and Delete go on to the tree.
// F2 renames, as in a file list: it takes the user to the title.
// While a drag runs they wait: a Delete would free the dragged item under
// the drag, an Insert would add an item beneath it.
bool CQnTempDlg::HandleEntryKey(WPARAM key) {
    if (!TreeHasFocus() || tree_.IsDragging())
        return false;
    switch (key) {
        case VK_INSERT:
            RunNew(tree_.GetSelectedItem());
            return false;
        case VK_DELETE:
            RunConfirmedDelete(tree_.GetSelectedItem());
            return false;
        case VK_F2:
            FocusField(Field::Title);
            return true;
        case 'C':
            if (::GetKeyState(VK_CONTROL) >= 0)
                return false;
            RunDuplicate(tree_.GetSelectedItem());
            return true;
        default:
            return false;
    }
}

// The Alt keys work wherever the focus is in the editor.
bool CQnTempDlg::HandleSystemKey(WPARAM key) {
    switch (key) {
        case 'A':
            Send(WM_COMMAND, IDC_APPLY);
            return true;
        case 'C':
            Send(WM_COMMAND, IDCANCEL);
            return true;
        case 'O':
            Send(WM_COMMAND, IDOK);
            return true;
        case 'T':
            FocusField(Field::Title);
            return true;
        case 'S':
            FocusField(Field::Shortcut);
            return true;
        case 'D':
            FocusField(Field::Description);
            return true;
        case 'E':
            FocusField(Field::Code);
            return true;
        default:
            return false;
    }
}

// ---- Hover previews ----

LRESULT CQnTempDlg::ShowHoverPreview(NMHDR& header) {
    hoverPreview_.ShowHoverPreview(reinterpret_cast<TooltipDisplayNotify&>(header));
    return 0;
}

}  // namespace tarvel
