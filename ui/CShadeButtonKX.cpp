#include "CShadeButtonKX.h"

#include <cstdlib>

namespace {

void FillAlternating(CCeXDib& strip) {
    std::uint8_t* bits = strip.GetBits();
    if (!bits) return;
    const int count = strip.GetWidth() * strip.GetHeight() == 0 ? 0 : std::max(strip.GetWidth(), strip.GetHeight());
    for (int i = 0; i < count; ++i) {
        const int x = strip.GetWidth() > 1 ? i : 0;
        const int y = strip.GetWidth() > 1 ? 0 : i;
        strip.SetPixelIndex(x, y, (i % 2 == 0) ? 0 : 255);
    }
}

}  // namespace

CShadeButtonKX::CShadeButtonKX() : m_random([] { return std::rand(); }) {}

CShadeButtonKX::~CShadeButtonKX() = default;

void CShadeButtonKX::ApplyShadeEffect(int effectType, int granularity, int highlight, int colouring, COLORREF colour) {
    const CRect window = GetWindowRect();
    const ShadeColours colours{GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE),
                               GetSysColor(COLOR_BTNHIGHLIGHT)};
    BuildShadePictures(window.Width(), window.Height(), effectType, granularity, highlight, colouring, colour, colours,
                       m_random);
}

void CShadeButtonKX::BuildShadePictures(int width, int height, int effectType, int granularity, int highlight,
                                        int colouring, COLORREF colour, const ShadeColours& colours,
                                        const RandomSource& random) {
    m_horizontalStrip.Create(width > 0 ? width : 1, 1, 8);
    m_verticalStrip.Create(1, height > 0 ? height : 1, 8);
    m_normal.Create(width, height, 8);
    for (CCeXDib* picture : {&m_horizontalStrip, &m_verticalStrip, &m_normal}) {
        ShadeEffect::FillPalette(*picture, colours);
    }
    m_normal.BlendPalette(colour, colouring);
    FillAlternating(m_horizontalStrip);
    FillAlternating(m_verticalStrip);
    ShadeEffect::FillIndices(m_normal, effectType, granularity, random);
    m_normalCopy.Clone(m_normal);
    m_hoverPicture.Clone(m_normal);
    m_hoverPicture.BlendPalette(colours.highlight, highlight);
    m_hoverCopy.Clone(m_hoverPicture);
}

void CShadeButtonKX::DrawBackground(CDC* dc, RECT*) {
    if (!m_hover) {
        m_normal.Draw(*dc, 0, 0);
    } else if (m_pressed) {
        m_hoverPicture.Draw(*dc, 1, 1);
    } else {
        m_hoverPicture.Draw(*dc, 0, 0);
    }
}

void CShadeButtonKX::DrawBorder(CDC* dc, RECT* rect) { CButtonKX::DrawBorder(dc, rect); }
