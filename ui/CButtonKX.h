// The panel's owner-drawn push button and check box: flat look raised while
// the pointer is over it, icons (one for hover or pressed, one otherwise),
// optional copy of the parent's pixels as background, and an optional
// drop-down image menu.
#pragma once
#include <string>
#include <type_traits>
#include "CButton.h"
#include "CDC.h"
#include "CToolTipCtrl.h"
#include "GdiObjects.h"
#include "SkinBrand.h"
#include "TRMenu.h"

class CButtonKX : public CButton {
public:
    // A caption as the brand draws it: wide text of at most 260 characters, or
    // the second brand's ANSI text of any length.
    using CaptionChar = std::conditional_t<kPenmiraSkin, char, wchar_t>;
    using CaptionText = std::basic_string<CaptionChar>;

    // Passed as the out icon: a grey copy of the in icon is made.
    static HICON GreyOfInIcon() { return reinterpret_cast<HICON>(static_cast<INT_PTR>(-2)); }
    static constexpr UINT kGreyOfInIconId = static_cast<UINT>(-2);

    enum ImageAlignment : unsigned char { kImageLeft = 0, kImageTop = 1, kImageRight = 2 };
    enum ColourState { kColoursIn = 0, kColoursOut = 1, kColoursFocus = 2 };

    CButtonKX();
    ~CButtonKX() override;

    int SetIcon(UINT inId, UINT outId);
    // 0 ok, 1 an icon's information cannot be read. The button owns both icons.
    int SetIcon(HICON in, HICON out);
    void SetTransparent(bool repaint);
    int SetCheck(int check, bool repaint);
    int GetCheck() const { return m_check; }
    int SetDefaultColors(bool repaint);
    int SetPressedStyle(int style, bool repaint);
    int SetURL(const char* address);
    void SetMenuOwner(HWND owner) { m_menuOwner = owner; }
    TRMenu& Menu() { return m_menu; }

    bool IsCheckBox() const { return m_checkBox != 0; }
    bool IsDefaultButton() const { return m_default != 0; }
    bool IsHovering() const { return m_hover != 0; }
    SIZE InIconSize() const { return {m_inIconWidth, m_inIconHeight}; }
    HICON OutIcon() const { return m_outIcon.Get(); }

    void DrawItem(DRAWITEMSTRUCT* item) override;
    BOOL PreTranslateMessage(MSG* message) override;

    // A grey copy of an icon (same mask); null when it cannot be made.
    static HICON CreateGrayscaleIcon(HICON icon);
    // The image and caption rectangles for an image of w x h.
    static void PrepareImageRect(unsigned char alignment, bool hasCaption, const RECT& item, RECT& caption, int width,
                                 int height, SIZE margin, RECT& image);

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    void PreSubclassWindow() override;

    virtual void DrawBackground(CDC* dc, RECT* rect);
    virtual void DrawBorder(CDC* dc, RECT* rect);
    virtual void DrawIcon(CDC* dc, BOOL hasCaption, RECT* item, RECT* caption, BOOL pressed, BOOL disabled);
    virtual void DrawBitmap(CDC* dc, BOOL hasCaption, RECT* item, RECT* caption, BOOL pressed, BOOL disabled);
    virtual void DrawCaption(CDC* dc, const CaptionChar* text, RECT* item, RECT* caption, BOOL pressed, BOOL disabled);
    void DrawParentBackground(CDC* dc);
    void EndHover();
    int StateColours() const;

    int m_greyDisabledBitmap = 1;
    SIZE m_imageMargin{3, 3};
    SIZE m_pressedOffset{1, 1};
    int m_flat = 1;
    int m_hover = 0;
    int m_transparent = 0;
    int m_pressed = 0;
    int m_focus = 0;
    int m_disabled = 0;
    int m_default = 0;
    int m_checkBox = 0;
    unsigned char m_alignment = kImageLeft;
    int m_drawBorder = 1;
    int m_flatFocus = 0;
    COLORREF m_colours[3][2]{};  // [state][0 back, 1 fore]

private:
    struct Sound {
        std::string name;
        HMODULE module = nullptr;
        DWORD flags = 0;
        void Play() const;
    };

    BOOL OnSetCursor(HWND window, UINT hitTest, UINT message);
    void OnKillFocus(HWND next);
    void OnMouseMove(UINT flags, CPoint point);
    void OnSysColorChange();
    bool OnClicked();
    void OnActivate(UINT state, HWND other, BOOL minimized);
    void OnEnable(BOOL enabled);
    void OnCancelMode();
    UINT OnGetDlgCode();
    HBRUSH CtlColor(CDC& dc, UINT kind);
    LRESULT OnMenuChar(UINT character, UINT flags, HMENU menu);
    void OnMeasureItem(int id, MEASUREITEMSTRUCT* item);
    LRESULT OnSetStyle(WPARAM style, LPARAM redraw);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnSetCheckMessage(WPARAM check, LPARAM);
    LRESULT OnGetCheckMessage(WPARAM, LPARAM);
    void OpenDropDown();
    void DropParentCopy();
    void FreeImages();
    bool StoreIcon(HICON icon, CIconHandle& slot, int& width, int& height);

    HWND m_menuOwner = nullptr;
    int m_menuShown = 0;
    TRMenu m_menu;
    HCURSOR m_cursor = nullptr;
    CToolTipCtrl m_toolTip;
    CMemoryDC m_cacheDC;
    CBitmap m_cacheBitmap;
    HGDIOBJ m_cachePrevious = nullptr;
    int m_hoverInInactive = 1;
    int m_check = 0;
    int m_buttonType = 15;
    DWORD m_toolTipStyle = 0;
    char m_url[260] = {};
    CIconHandle m_inIcon;
    int m_inIconWidth = 0, m_inIconHeight = 0;
    CIconHandle m_outIcon;
    int m_outIconWidth = 0, m_outIconHeight = 0;
    CBitmap m_inBitmap, m_inMask, m_outBitmap, m_outMask;
    int m_inBitmapWidth = 0, m_inBitmapHeight = 0, m_outBitmapWidth = 0, m_outBitmapHeight = 0;
    HWND m_menuCallbackWindow = nullptr;
    UINT m_menuCallbackMessage = 0;
    LPARAM m_menuCallbackParam = 0;
    Sound m_hoverSound, m_clickSound;
};

// The hollow stock brush: controls that paint no background of their own.
HBRUSH HollowBrushCtlColor();
