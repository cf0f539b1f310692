// The overlay window: the express-key panel's picture, on top of everything
// and half transparent, with a red label beside each key drawn once, half a
// second after it appears.
#pragma once

#include "CWnd.h"
#include "MappedSection.h"

#include <string>

class CKeyOverlayWnd : public CWnd {
public:
    // Opens the key area; a missing one (no service) leaves it unmapped.
    CKeyOverlayWnd();

    bool CreateOverlay(const char* title);
    bool KeyAreaMapped() const { return keyArea_.IsMapped(); }

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC& dc);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnContextMenu(HWND window, CPoint point);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    LRESULT OnCloseRequest(WPARAM wParam, LPARAM lParam);

    int BackgroundId() const;
    HBITMAP LoadBitmapResource(int id) const;
    void DrawLabel(int x, int y, const std::string& text, bool rightAligned);

    MappedSection keyArea_;
    int bitmapWidth_ = 0;
    int bitmapHeight_ = 0;
};
