#include "pages/CPropPageSnippetCode.h"

#include "pages/CodeContextMenu.h"
#include "pages/EditorSetup.h"
#include "pages/LanguageLexer.h"
#include "res/resource.h"
#include "store/AutotextEntry.h"

#include <algorithm>
#include <array>

namespace tarvel {

namespace {

struct EditCommand {
    UINT id;
    UINT message;
};
constexpr std::array<EditCommand, 7> kEditCommands{{
    {ID_CODE_UNDO, SCI_UNDO},
    {ID_CODE_REDO, SCI_REDO},
    {ID_CODE_CUT, SCI_CUT},
    {ID_CODE_COPY, SCI_COPY},
    {ID_CODE_PASTE, SCI_PASTE},
    {ID_CODE_DELETE, SCI_CLEAR},
    {ID_CODE_SELECT_ALL, SCI_SELECTALL},
}};

// What the user may still do while no entry is shown: nothing to change.
bool ChangesText(UINT message) { return message != SCI_COPY && message != SCI_SELECTALL; }

constexpr POINT kKeyboardMenuPoint{-1, -1};

// The changes the page acts on: edits, the check before an insertion, and
// fold levels. Each other kind would cost a notification per change.
constexpr int kWatchedChanges = SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT | SC_MOD_INSERTCHECK | SC_MOD_CHANGEFOLD;

}  // namespace

CPropPageSnippetCode::CPropPageSnippetCode(HINSTANCE module) : CEditorPage(module, IDD_CODE_PAGE, IDI_CODE_PAGE) {}

BOOL CPropPageSnippetCode::OnInitDialog() {
    CEditorPage::OnInitDialog();
    if (tarvel::CreateEditorWindow(editor_, GetHwnd(), tarvel::EditorForm::Editable)) {
        tarvel::ApplyEditorDefaults(editor_);
        editor_.SetModEventMask(kWatchedChanges);
    }
    AddAnchor(IDC_CODE_PLACEHOLDER, tarvel::TOP_LEFT, tarvel::BOTTOM_RIGHT);
    AddAnchor(IDC_CODE_EDITOR, tarvel::TOP_LEFT, tarvel::BOTTOM_RIGHT);
    return TRUE;
}

void CPropPageSnippetCode::ApplyLanguage(int language) {
    if (language == languageShown_) {
        return;
    }
    tarvel::ApplyLanguageLexer(editor_, language);
    languageShown_ = language;
}

void CPropPageSnippetCode::LoadCode(const std::string& code) {
    ::EnableWindow(editor_, TRUE);
    editor_.SetWholeText(code);
    editor_.EmptyUndoBuffer();
}

void CPropPageSnippetCode::ClearCode() {
    editor_.ClearAll();
    editor_.EmptyUndoBuffer();
    ::EnableWindow(editor_, FALSE);
}

bool CPropPageSnippetCode::OnMessage(const Message& message, LRESULT& result) {
    static const auto map = tarvel::MessageMap<CPropPageSnippetCode>()
                                .OnMessage(WM_NOTIFY, &CPropPageSnippetCode::OnEditorNotify)
                                .OnMessage(WM_CONTEXTMENU, &CPropPageSnippetCode::OnContextMenu)
                                .OnMessage(WM_COMMAND, &CPropPageSnippetCode::OnCommand);
    return map.Dispatch(*this, message, result) || CEditorPage::OnMessage(message, result);
}

// The editor's own change commands carry nothing the page needs.
LRESULT CPropPageSnippetCode::OnCommand(const Message& message) {
    const bool fromEditor = editor_.GetHwnd() && message.CommandWindow() == editor_.GetHwnd();
    if (!fromEditor && !(message.lParam == 0 && OnMenuCommand(message.CommandId()))) {
        SetMsgHandled(false);
    }
    return 0;
}

// Folding first, then every edit the user makes goes into the entry. Seen
// here first, then by the base class as well.
LRESULT CPropPageSnippetCode::OnEditorNotify(const Message& message) {
    SetMsgHandled(false);
    if (!editor_.GetHwnd() || message.Notify()->hwndFrom != editor_.GetHwnd()) {
        return 0;
    }
    const auto& notification = *reinterpret_cast<const SCNotification*>(message.lParam);
    editor_.HandleEditorNotification(notification);
    if (notification.nmhdr.code == SCN_MODIFIED && notification.linesAdded != 0) {
        marginFitDue_ = true;
    } else if (notification.nmhdr.code == SCN_UPDATEUI && marginFitDue_) {
        marginFitDue_ = false;
        tarvel::FitLineNumberMargin(editor_);
    }
    if (notification.nmhdr.code != SCN_MODIFIED || !IsEntryShown() || !Site()->IsEditorSyncEnabled()) {
        return 0;
    }
    if (notification.modificationType & SC_MOD_INSERTCHECK) {
        DropFormFeeds(notification);
    }
    if (notification.modificationType & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT)) {
        CopyEditToEntry(notification);
        Site()->MarkCurrentEntryModified();
        Site()->EnableApply(true);
    }
    return 0;
}

bool CPropPageSnippetCode::IsEntryShown() const { return Site() && Site()->CurrentEntry(); }

// The entry's code follows the edit itself, so that a keystroke costs the
// same in a large entry as in a small one, provided the entry held the
// editor's text before the edit: a save gives the entry LF breaks while the
// editor keeps CR LF ones, and then the editor's whole text is taken. Either
// way the code is stored whole, however long, NUL bytes and all, and empty
// when the editor is.
void CPropPageSnippetCode::CopyEditToEntry(const SCNotification& edit) const {
    std::string& code = Site()->CurrentEntry()->code;
    const auto position = static_cast<size_t>(edit.position);
    const auto length = static_cast<size_t>(edit.length);
    const bool insert = (edit.modificationType & SC_MOD_INSERTTEXT) != 0;
    const auto editorLength = static_cast<size_t>(editor_.GetLength());
    const size_t lengthBefore = insert ? editorLength - length : editorLength + length;
    if (code.size() == lengthBefore && position <= code.size()) {
        if (insert && edit.text) {
            code.insert(position, edit.text, length);
            return;
        }
        if (!insert && length <= code.size() - position) {
            code.erase(position, length);
            return;
        }
    }
    code = editor_.GetWholeText();
}

// A form feed would end the entry in its template file: whatever the user
// types, pastes or drops goes in without them.
void CPropPageSnippetCode::DropFormFeeds(const SCNotification& insertion) const {
    if (insertion.text == nullptr) {
        return;
    }
    std::string kept(insertion.text, static_cast<size_t>(insertion.length));
    const auto formFeeds = std::remove(kept.begin(), kept.end(), '\f');
    if (formFeeds == kept.end()) {
        return;
    }
    kept.erase(formFeeds, kept.end());
    editor_.ChangeInsertion(kept.size(), kept.data());
    Site()->ReportRemovedFormFeeds();
}

LRESULT CPropPageSnippetCode::OnContextMenu(const Message& message) {
    POINT point{static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))};
    if (point.x == kKeyboardMenuPoint.x && point.y == kKeyboardMenuPoint.y) {
        ::GetCursorPos(&point);
    }
    const AutotextEntry* entry = IsEntryShown() ? Site()->CurrentEntry() : nullptr;
    const CodeContextMenu menu(Module(), entry ? entry->title : std::string(), entry != nullptr);
    menu.Track(GetHwnd(), point);
    return 0;
}

bool CPropPageSnippetCode::OnMenuCommand(UINT commandId) {
    if (RunEditCommand(commandId)) {
        return true;
    }
    const std::string variable = CodeContextMenu::VariableOf(commandId);
    if (variable.empty()) {
        return false;
    }
    if (IsEntryShown()) {
        editor_.AddText(variable.size(), variable.data());
    }
    return true;
}

bool CPropPageSnippetCode::RunEditCommand(UINT commandId) const {
    for (const EditCommand& command : kEditCommands) {
        if (command.id == commandId) {
            if (IsEntryShown() || !ChangesText(command.message)) {
                editor_.Send(command.message);
            }
            return true;
        }
    }
    return false;
}

// Ctrl+S applies, with or without Shift. Escape cancels the editor as it
// does from every other field: the editor would keep it for itself.
bool CPropPageSnippetCode::PreTranslateMessage(MSG& message) {
    if (message.message == WM_KEYDOWN && Site()) {
        const bool controlHeld = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
        if (message.wParam == 'S' && controlHeld) {
            Site()->RunCommand(IDC_APPLY);
            return true;
        }
        if (message.wParam == VK_ESCAPE && message.hwnd == editor_.GetHwnd()) {
            Site()->RunCommand(IDCANCEL);
            return true;
        }
    }
    return CEditorPage::PreTranslateMessage(message);
}

}  // namespace tarvel
