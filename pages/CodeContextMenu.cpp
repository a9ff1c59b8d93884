#include "pages/CodeContextMenu.h"

#include "pages/ReservedVariableTable.h"
#include "store/ReservedVariables.h"
#include "res/resource.h"

#include <array>
#include <cstring>

namespace tarvel {

namespace {

constexpr const char* kInsertText = "&Insert";
constexpr const char* kGuidText = "Guid";
constexpr const char* kRefactorText = "Refactor";
constexpr size_t kRefactorPrefixLength = 8;

constexpr std::array<UINT, 5> kTextChangingCommands{ID_CODE_UNDO, ID_CODE_REDO, ID_CODE_CUT, ID_CODE_PASTE,
                                                    ID_CODE_DELETE};

std::string ItemText(HMENU menu, UINT item, UINT flag) {
    char text[128] = {};
    const int length = ::GetMenuStringA(menu, item, text, sizeof(text), flag);
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

// Position of the first item whose whole text is text, or -1.
int FindItem(HMENU menu, const char* text) {
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        if (ItemText(menu, static_cast<UINT>(position), MF_BYPOSITION) == text) {
            return position;
        }
    }
    return -1;
}

HMENU InsertSubmenu(HMENU popup) {
    const int position = FindItem(popup, kInsertText);
    return position < 0 ? nullptr : ::GetSubMenu(popup, position);
}

bool IsRefactorTitle(const std::string& title) {
    return title.size() >= kRefactorPrefixLength && title.compare(0, kRefactorPrefixLength, kRefactorText) == 0;
}

}  // namespace

CodeContextMenu::CodeContextMenu(HINSTANCE module, const std::string& title, bool editable)
    : menu_(::LoadMenuA(module, MAKEINTRESOURCEA(IDR_CODE_MENU))) {
    if (!Popup()) {
        menu_.reset();
        return;
    }
    if (IsRefactorTitle(title)) {
        AddRefactorSubmenu();
    }
    if (!editable) {
        GreyTextChanges();
    }
}

HMENU CodeContextMenu::Popup() const noexcept { return menu_ ? ::GetSubMenu(menu_.get(), 0) : nullptr; }

void CodeContextMenu::AddRefactorSubmenu() const {
    HMENU insert = InsertSubmenu(Popup());
    const int guid = insert ? FindItem(insert, kGuidText) : -1;
    if (guid < 0) {
        return;
    }
    tarvel::UniqueMenu refactor(::CreatePopupMenu());
#define TARVEL_APPEND_ITEM(id, text) ::AppendMenuA(refactor.get(), MF_STRING, id, text);
    TARVEL_REFACTOR_VARIABLES(TARVEL_APPEND_ITEM)
#undef TARVEL_APPEND_ITEM
    // Once inserted, the submenu goes with the menu that holds it.
    if (::InsertMenuA(insert, static_cast<UINT>(guid + 1), MF_BYPOSITION | MF_POPUP | MF_STRING,
                      reinterpret_cast<UINT_PTR>(refactor.get()), kRefactorText)) {
        refactor.release();
    }
}

void CodeContextMenu::GreyTextChanges() const {
    HMENU popup = Popup();
    for (UINT command : kTextChangingCommands) {
        ::EnableMenuItem(popup, command, MF_BYCOMMAND | MF_GRAYED);
    }
    const int insert = FindItem(popup, kInsertText);
    if (insert >= 0) {
        ::EnableMenuItem(popup, static_cast<UINT>(insert), MF_BYPOSITION | MF_GRAYED);
    }
}

void CodeContextMenu::Track(HWND owner, POINT point) const {
    if (HMENU popup = Popup()) {
        ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, owner, nullptr);
    }
}

std::string CodeContextMenu::VariableOf(UINT commandId) {
    const tarvel::ReservedVariable* variable = tarvel::FindReservedVariable(commandId);
    return variable ? std::string(variable->text) : std::string();
}

}  // namespace tarvel
