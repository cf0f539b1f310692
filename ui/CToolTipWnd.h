// A balloon tooltip: an ellipse with a small pointer triangle on its left,
// showing the text registered for the control under the pointer.
#pragma once
#include <map>
#include <memory>
#include <string>
#include "CWnd.h"
#include "GdiObjects.h"

class CToolTipWnd : public CWnd {
public:
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 60;

    CToolTipWnd();
    ~CToolTipWnd() override;

    bool CreateTipWindow(CWnd* parent);
    // A known control only gets its text replaced; a colour of 0 takes the current text colour.
    void AddTool(CWnd* control, const std::string& text, COLORREF colour = 0);
    void RelayEvent(MSG* message);

    bool IsShowing() const { return m_showing != 0; }
    HWND CurrentControl() const { return m_currentControl; }
    const std::string& CurrentText() const { return m_text; }
    HFONT Font() const { return m_font; }
    // The shape for a client rectangle: the square inside the ellipse, the
    // ellipse and the pointer triangle.
    static CRect TextRectFor(const RECT& client);
    static bool BuildShape(const RECT& client, CRgn& ellipse, CRgn& triangle, CRgn& shape);

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    struct Entry {
        HWND control;
        std::string text;
        COLORREF colour;
    };

    int OnCreate(CREATESTRUCTA* create);
    void OnPaint();
    void Show(HWND control, POINT screenPoint);

    const char* m_className;
    HWND m_currentControl = nullptr;
    int m_followPointer = 0;
    CRgn m_ellipse;
    CRgn m_triangle;
    CRect m_textRect;
    CFont m_font;
    std::string m_text;
    int m_showing = 0;
    COLORREF m_textColour = 0;
    COLORREF m_fillColour = 0xF5F5F5;
    COLORREF m_frameColour = 0xFFFFFF;
    std::map<HWND, std::unique_ptr<Entry>> m_entries;
    int m_width = kWidth;
    int m_height = kHeight;
    int m_fontHeight = 12;
    std::string m_fontFace;
    HWND m_parent = nullptr;
};
