// A skinned button whose background is a generated, shaded 8-bit picture;
// a palette-brightened copy shows while the pointer is over it.
#pragma once
#include "CButtonKX.h"
#include "CCeXDib.h"
#include "ShadeEffect.h"

class CShadeButtonKX : public CButtonKX {
public:
    CShadeButtonKX();
    ~CShadeButtonKX() override;

    // Builds the pictures for the button's current size.
    void ApplyShadeEffect(int effectType, int granularity, int highlight, int colouring, COLORREF colour);
    // The same with explicit size, colours and random source (tests, seeded pictures).
    void BuildShadePictures(int width, int height, int effectType, int granularity, int highlight, int colouring,
                            COLORREF colour, const ShadeColours& colours, const RandomSource& random);
    void SetRandomSource(RandomSource random) { m_random = std::move(random); }

    const CCeXDib& NormalPicture() const { return m_normal; }
    const CCeXDib& HoverPicture() const { return m_hoverPicture; }

protected:
    void DrawBackground(CDC* dc, RECT* rect) override;
    void DrawBorder(CDC* dc, RECT* rect) override;

private:
    CCeXDib m_normal;
    CCeXDib m_normalCopy;
    CCeXDib m_hoverPicture;
    CCeXDib m_hoverCopy;
    CCeXDib m_horizontalStrip;
    CCeXDib m_verticalStrip;
    RandomSource m_random;
};
