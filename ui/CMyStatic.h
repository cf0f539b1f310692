// A label that paints its own text in its own colour and bold font over
// whatever lies behind it (it fills nothing).
#pragma once
#include "CStatic.h"
#include "GdiObjects.h"

class CMyStatic : public CStatic {
public:
    static constexpr std::size_t kTextCapacity = 260;

    CMyStatic();
    ~CMyStatic() override;

    // Keeps at most 259 bytes of the text (a longer one is cut) and repaints.
    void SetText(const char* text);
    const char* GetText() const { return m_text; }
    void SetTextColor(COLORREF colour) { m_textColour = colour; }
    void SetBkColor(COLORREF colour) { m_backgroundColour = colour; }
    void SetTextFont(int width, int height, const char* face);

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnPaint();

    char m_text[kTextCapacity] = {};
    COLORREF m_backgroundColour = 0xF3F3F3;
    COLORREF m_textColour = 0x0000FF;
    int m_transparent = 1;
    CFont m_font;
};
