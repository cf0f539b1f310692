// A track bar drawn as a round knob with GDI+. The track bar keeps range
// and position; the knob replaces its painting and its mouse and keyboard
// behaviour, and tells one window of every change with one message.
#pragma once
#include <cstdint>
#include "CSliderCtrl.h"
#include "CToolTipCtrl.h"
#include "GdiplusHeaders.h"
#include "KnobGeometry.h"

class CKnobControlKX : public CSliderCtrl {
public:
    CKnobControlKX();
    ~CKnobControlKX() override;

    void SetTickStep(int step, bool repaint);
    void SetPageStep(int step, bool repaint);
    void SetTickColor(std::uint32_t argb, bool repaint);
    int SetTransparent(bool repaint);
    int SetNotify(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void SendNotify();
    void ClearIcon(bool destroy);
    void CreateTooltip();

    int PointToValue(int x, int y) const;
    CPoint PointerPosition(const KnobSquare& square) const;
    CPoint TickPoint(int inset, int value, const KnobSquare& square) const;
    void DrawKnob(Gdiplus::Graphics& target);

    const KnobSquare& Square() const { return m_square; }
    CPoint Centre() const { return m_centre; }
    bool IsDragging() const { return m_dragging != 0; }

    BOOL PreTranslateMessage(MSG* message) override;
    // Public: the owner dialog ends a drag with it wherever the button is released.
    void OnLButtonUp(UINT flags, CPoint point);
    // The second brand's release: ends a drag, then sets the value under the
    // desktop pointer when it lies on the knob.
    void EndDragAtCursor();

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    virtual void DrawBackground(Gdiplus::Graphics& graphics, const Gdiplus::Rect& client);
    virtual void DrawIcon(Gdiplus::Graphics& graphics, const Gdiplus::Rect& square);

private:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC& dc);
    HBRUSH CtlColor(CDC& dc, UINT kind);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    BOOL OnMouseWheel(UINT keys, short delta, CPoint point);
    KnobRange Range() const { return {GetRangeMin(), GetRangeMax()}; }
    void MoveTo(int value);
    bool HandleKey(UINT key);
    void Draw3DArc(Gdiplus::Graphics& graphics, int x, int y, int width, int height, const Gdiplus::Pen& pen);

    CToolTipCtrl m_toolTip;
    int m_transparent = 0;
    int m_tickStep = 50;
    int m_pageStep = 10;
    std::uint32_t m_knobColour;
    std::uint32_t m_backgroundColour;
    std::uint32_t m_tickColour = 0xFF000000;
    KnobSquare m_square;
    CPoint m_centre;
    int m_dragging = 0;
    HICON m_icon = nullptr;
    std::uint8_t m_iconHeight = 0;
    std::uint8_t m_iconWidth = 0;
    HWND m_notifyWindow = nullptr;
    UINT m_notifyMessage = 0;
    WPARAM m_notifyWParam = 0;
    LPARAM m_notifyLParam = 0;
    int m_wheelRemainder = 0;  // part of a notch not yet turned into a step
};
