// A menu object: owns its menu handle (destroyed with the object unless
// detached) and answers the owner-draw requests of its items, which the
// owning window routes here.
#pragma once
#include <windows.h>

class CMenu {
public:
    CMenu() = default;
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU GetSafeHmenu() const { return m_hMenu; }
    static CMenu* FromHandlePermanent(HMENU menu);
    // The menu object whose menu (or a submenu of it) holds a command id;
    // the menu being tracked is asked first.
    static CMenu* FindMenuOfItem(UINT commandId);

    bool CreatePopupMenu();
    bool Attach(HMENU menu);
    HMENU Detach();
    virtual bool DestroyMenu();

    // Appends an item whose data is handed to DrawItem / MeasureItem.
    bool AppendOwnerDrawn(UINT flags, UINT_PTR id, const void* itemData);

    // Tracks the menu as a popup; with TPM_RETURNCMD returns the chosen id.
    int TrackPopupMenu(UINT flags, int x, int y, HWND owner, const RECT* exclude = nullptr);

    virtual void DrawItem(DRAWITEMSTRUCT* item);
    virtual void MeasureItem(MEASUREITEMSTRUCT* item);

protected:
    HMENU m_hMenu = nullptr;
};
