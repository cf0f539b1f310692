#include "CMenu.h"

#include "CDialog.h"

#include <unordered_map>

namespace {

std::unordered_map<HMENU, CMenu*>& MenuMap() {
    static std::unordered_map<HMENU, CMenu*> map;
    return map;
}

thread_local CMenu* t_trackedMenu = nullptr;

bool MenuHolds(HMENU menu, UINT commandId) {
    return menu && ::GetMenuState(menu, commandId, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

}  // namespace

CMenu::~CMenu() { CMenu::DestroyMenu(); }

CMenu* CMenu::FromHandlePermanent(HMENU menu) {
    auto found = MenuMap().find(menu);
    return found == MenuMap().end() ? nullptr : found->second;
}

CMenu* CMenu::FindMenuOfItem(UINT commandId) {
    if (t_trackedMenu && MenuHolds(t_trackedMenu->m_hMenu, commandId)) return t_trackedMenu;
    for (auto& [handle, menu] : MenuMap()) {
        if (MenuHolds(handle, commandId)) return menu;
    }
    return nullptr;
}

bool CMenu::Attach(HMENU menu) {
    if (!menu || m_hMenu || FromHandlePermanent(menu)) return false;
    m_hMenu = menu;
    MenuMap()[menu] = this;
    return true;
}

HMENU CMenu::Detach() {
    HMENU menu = m_hMenu;
    if (menu) MenuMap().erase(menu);
    m_hMenu = nullptr;
    return menu;
}

bool CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }


bool CMenu::DestroyMenu() {
    HMENU menu = Detach();
    return menu && ::DestroyMenu(menu);
}

bool CMenu::AppendOwnerDrawn(UINT flags, UINT_PTR id, const void* itemData) {
    return ::AppendMenuA(m_hMenu, flags | MF_OWNERDRAW, id, static_cast<const char*>(itemData)) != FALSE;
}

int CMenu::TrackPopupMenu(UINT flags, int x, int y, HWND owner, const RECT* exclude) {
    const ModalCover cover(owner);  // the menu's loop runs over its owner's dialog
    CMenu* previous = t_trackedMenu;
    t_trackedMenu = this;
    TPMPARAMS params{sizeof(TPMPARAMS), exclude ? *exclude : RECT{}};
    const BOOL chosen = ::TrackPopupMenuEx(m_hMenu, flags, x, y, owner, exclude ? &params : nullptr);
    t_trackedMenu = previous;
    return chosen;
}

void CMenu::DrawItem(DRAWITEMSTRUCT*) {}

void CMenu::MeasureItem(MEASUREITEMSTRUCT*) {}
