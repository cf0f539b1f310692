// The "Try Here" area of the main dialog: strokes of the pen tip drawn on the
// area with a width that follows the pressure, squares cleared by the eraser,
// "Clean", and the tilt dial fed from every packet read.
//
// The area is a plain static that never repaints its inside, so clearing
// means repainting the main dialog's background behind it, then the static's
// own frame and the dial over it.
#pragma once

#include "CTabletContext.h"
#include "CTiltDialWnd.h"
#include "PenPagePolicy.h"
#include "TryHereStroke.h"

#include <windows.h>

class CTryHereArea {
public:
    explicit CTryHereArea(const PenPagePolicy& policy) : m_stroke(policy) {}
    ~CTryHereArea();
    CTryHereArea(const CTryHereArea&) = delete;
    CTryHereArea& operator=(const CTryHereArea&) = delete;

    // Takes the area's DC for the dialog's life and puts the tilt dial in its corner.
    bool Attach(HWND dialog, HWND area);
    CTiltDialWnd& Dial() { return m_dial; }

    // A press in the area starts a stroke at the pointer; queued packets are dropped.
    void OnButtonDown(HWND childUnderPoint, CTabletContext& context);
    // Draws what the queued packets say while the button is held over the
    // area, and turns the dial for every packet read.
    void OnMouseMove(UINT flags, HWND childUnderPoint, CTabletContext& context);
    // Clears every stroke.
    void Clean();

private:
    void DrawTo(int width);
    void EraseAt(int side);
    // Repaints the dialog behind a rectangle of the area, then the area's frame and the dial.
    void RedrawBehind(const RECT& inArea);
    POINT CursorInArea() const;

    TryHereStroke m_stroke;
    HWND m_dialog = nullptr;
    HWND m_area = nullptr;
    HDC m_areaDc = nullptr;
    CTiltDialWnd m_dial;
};
