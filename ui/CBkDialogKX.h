// The base of the panel's dialog pages: an optional background bitmap placed
// by one of 13 draw modes, an optional window shape cut from a transparent
// colour of it, drag by the client area, light-grey control colours, and a
// repaint of the background behind one child.
#pragma once
#include "BackgroundPlacement.h"
#include "CDialog.h"
#include "GdiObjects.h"

class CBkDialogKX : public CDialog {
public:
    static constexpr COLORREF kNoTransparentColour = 0xFFFFFFFF;
    static constexpr COLORREF kControlBackground = RGB(245, 245, 245);
    // The help link's text on the About page; such labels keep the system colours.
    static constexpr const char* kHelpAddress = "http://www.stylora.example/support";

    CBkDialogKX(UINT templateId, CWnd* parent = nullptr);
    ~CBkDialogKX() override;

    // 0 ok, 1 the bitmap's header cannot be read, 3 no region could be made.
    // The dialog owns the bitmap from here on (also on failure).
    int SetBitmap(HBITMAP bitmap, COLORREF transparent = kNoTransparentColour);
    int SetBitmap(UINT resourceId, COLORREF transparent = kNoTransparentColour);
    void FreeBackground(bool deleteObjects);
    void InvalidateBehindItem(int controlId);

    // Sets a child's text, then repaints the background behind it so the
    // old text does not stay visible under a transparent label.
    void SetItemTextRedraw(int controlId, const char* text);

    // Pages shown beside the main dialog keep where they belong (screen
    // coordinates) and the main dialog's window.
    void SetAnchor(int x, int y, int cx, int cy) { m_anchor = {x, y, x + cx, y + cy}; }
    void SetAnchorOrigin(int x, int y) { m_anchor = {x, y, x + m_anchor.Width(), y + m_anchor.Height()}; }
    const CRect& Anchor() const { return m_anchor; }
    // A page may lay its controls out again once it is in place.
    virtual void MoveToAnchor() { MoveWindow(m_anchor.left, m_anchor.top, m_anchor.Width(), m_anchor.Height(), true); }
    void SetMainWindow(HWND window) { m_mainWindow = window; }
    HWND MainWindow() const { return m_mainWindow; }

    bool HasWindowRegion() const { return m_regionApplied; }
    SIZE GetBitmapSize() const { return {m_bitmapWidth, m_bitmapHeight}; }

    // The region of the bitmap's pixels that are not (red, green, blue); its
    // width is the bitmap's rounded down to a multiple of 4. Null on failure.
    static HRGN RegionFromBitmap(HBITMAP bitmap, BYTE red, BYTE green, BYTE blue);
    // The rectangle InvalidateBehindItem repaints, from the three window rectangles.
    static CRect BehindItemRect(const RECT& dialogWindow, const RECT& dialogClient, const RECT& item);
    // Whether a static's text marks it as a help link.
    static bool IsHelpLinkText(const char* text);

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    virtual void OnBackgroundDrawn(CDC* composition);

    BOOL OnEraseBkgnd(CDC& dc);
    void OnSize(UINT type, int width, int height);
    HBRUSH OnCtlColor(CDC& dc, HWND control, UINT kind);
    void OnLButtonDown(UINT flags, CPoint point);

private:
    void ComposeBackground(CDC& target);

    CBitmap m_background;
    bool m_regionApplied = false;  // the window owns the region itself
    int m_bitmapWidth = 0;
    int m_bitmapHeight = 0;
    unsigned char m_drawMode = 0;
    int m_dragByClientArea = 0;
    HBRUSH m_controlBrush;  // the hollow stock brush, never deleted
    CRect m_anchor;
    HWND m_mainWindow = nullptr;
};
