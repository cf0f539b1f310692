// An owner-drawn menu whose items carry small images from one process-wide
// image list, drawn in a classic 3-D style or a flat style with an image
// band; it can build itself from a menu resource and answers mnemonics.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <memory>
#include <string>
#include <vector>
#include "CDC.h"
#include "CMenu.h"

// One item of a TRMenu, owned by the menu.
struct TRMenuData {
    TRMenuData() = default;
    ~TRMenuData();
    TRMenuData(const TRMenuData&) = delete;
    TRMenuData& operator=(const TRMenuData&) = delete;

    void SetWideText(const wchar_t* value) { text = value ? value : L""; }

    std::wstring text;
    int imagePosition = -1;
    int globalImageOffset = -1;
    int ownImageIndex = -1;
    UINT flags = 0;
    UINT_PTR commandId = 0;
    int synced = 0;
    HIMAGELIST ownImageList = nullptr;
};

class TRMenu : public CMenu {
public:
    TRMenu();
    ~TRMenu() override;

    virtual bool LoadMenu(UINT resourceId);
    virtual bool LoadMenu(const char* resourceName);
    bool DestroyMenu() override;

    // No id and no MF_POPUP: an owner-drawn separator. imageResource < 0
    // reuses the global image of the same command id.
    bool AppendOwnerDrawItem(const wchar_t* text, UINT flags, UINT_PTR id, int imageResource = -1);

    void MeasureItem(MEASUREITEMSTRUCT* item) override;
    void DrawItem(DRAWITEMSTRUCT* item) override;

    // The WM_MENUCHAR answer for a mnemonic: MNC_EXECUTE and the position, or 0.
    static LRESULT FindMnemonicItem(UINT character, UINT flags, HMENU menu);
    // The menu (this one or a submenu) holding a command id, and its position.
    TRMenu* FindCommandOwner(UINT_PTR id, int& position);
    std::wstring GetItemText(UINT idOrPosition, UINT flags) const;
    void RebuildDataFromMenu();
    void ResyncPopupTexts();
    void AlignAcceleratorColumn();

    static int FindGlobalImage(UINT_PTR id);
    static bool IsOwnSubmenu(HMENU menu);
    static HBITMAP LoadMappedBitmap(UINT resourceId);
    static int CountDibColors(const BITMAPINFOHEADER& header);
    static COLORREF BlendTowardWhite(COLORREF colour, double factor);
    // 0 Win32s, 2 Windows 95, 3 Windows 98, 4 Windows Me, 5 NT 4, 6 Windows
    // 2000, 7 Windows XP, 1 other NT; without the version record 2 for a
    // non-NT system and 1 otherwise.
    static int ClassifyWindowsVersion(DWORD getVersionResult, const OSVERSIONINFOA* info);
    static int WindowsVersionCode();
    static bool IsClassicTheme();
    static bool UsesXpLook();

    // 1 flat style, 0 classic; a new menu takes the flat style under the XP
    // look. Images added in the flat style keep a faded and a shadow variant.
    void SetDrawMode(int mode) { m_drawMode = mode; }
    // Images drawn for checked items in place of the tick or dot, by index in
    // `list` (the menu owns it), selected and unselected; -1 keeps the drawn mark.
    void UseCheckImages(HIMAGELIST list, int selectedImage, int unselectedImage);

    std::size_t ItemCount() const { return m_items.size(); }
    const TRMenuData* ItemAt(std::size_t index) const { return index < m_items.size() ? m_items[index].get() : nullptr; }

private:
    bool BuildFromTemplate(const BYTE*& cursor, const BYTE* end);
    int AddGlobalImage(UINT_PTR id, int imageResource);
    TRMenuData* RecordOf(ULONG_PTR itemData) const;
    void DrawClassic(CDC& dc, const DRAWITEMSTRUCT& item, const TRMenuData& data);
    void DrawFlat(CDC& dc, const DRAWITEMSTRUCT& item, const TRMenuData& data);
    void DrawItemText(CDC& dc, const TRMenuData& data, RECT rect, COLORREF colour, bool emboss);
    void DrawCheckMark(CDC& dc, int x, int y, COLORREF colour);
    void DrawRadioDot(CDC& dc, int x, int y, COLORREF colour);
    // The check image for the state, the dot when the item carries a
    // check-mark bitmap, else the tick; `box` is the mark's box.
    void DrawCheckedMark(CDC& dc, const DRAWITEMSTRUCT& item, const RECT& box, POINT tickOffset, bool selected);
    void DrawImage(CDC& dc, int index, int x, int y, bool disabled);

    std::vector<std::unique_ptr<TRMenuData>> m_items;
    std::vector<std::unique_ptr<TRMenu>> m_submenus;
    int m_imageWidth = 16;
    int m_imageHeight = 15;
    COLORREF m_maskColour = RGB(192, 192, 192);
    int m_useMaskColour = 0;
    int m_disabledImageMethod = 0;
    HIMAGELIST m_imageList = nullptr;
    int m_sharedImageList = 0;
    int m_checkImageSelected = -1;
    int m_checkImageUnselected = -1;
    int m_iconImages = 0;
    int m_popupTexts = 0;
    int m_drawMode = UsesXpLook() ? 1 : 0;
};

// Composes one menu item off-screen and copies it to the target when it goes away.
class TRMenuMemDC : public CDC {
public:
    TRMenuMemDC(HDC target, const RECT& rect);
    ~TRMenuMemDC() override;

private:
    HDC m_target;
    RECT m_rect;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    bool m_memoryDC;
};
