#include <doctest/doctest.h>

#include "GalleryFixture.h"

namespace {

// Distinct colours, so that every blend shows in every channel.
const ShadeColours kColours{RGB(20, 40, 60), RGB(120, 140, 160), RGB(250, 230, 10)};

RandomSource Constant(int value) {
    return [value] { return value; };
}

BYTE Blend(BYTE toward, BYTE from, int percent) {
    return static_cast<BYTE>((toward * percent + from * (100 - percent)) / 100);
}

COLORREF ColourAt(const CCeXDib& picture, int x, int y) {
    const RGBQUAD entry = picture.GetPaletteEntry(picture.GetPixelIndex(x, y));
    return RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
}

}  // namespace

TEST_SUITE("shaded button") {
    TEST_CASE("the hover picture is the normal one with its palette 10 percent nearer the highlight") {
        CShadeButtonKX button;
        CCeXDib plain;
        REQUIRE(plain.Create(2, 2, 8));
        ShadeEffect::FillPalette(plain, kColours);
        const COLORREF tint = RGB(200, 0, 100);
        button.BuildShadePictures(40, 20, 6, 8, 10, 30, tint, kColours, Constant(0));
        const CCeXDib& normal = button.NormalPicture();
        const CCeXDib& hover = button.HoverPicture();
        REQUIRE(hover.GetWidth() == 40);
        REQUIRE(hover.GetHeight() == 20);
        for (int index : {0, 100, 128, 255}) {
            CAPTURE(index);
            const RGBQUAD base = plain.GetPaletteEntry(index);
            const RGBQUAD coloured = normal.GetPaletteEntry(index);
            CHECK(coloured.rgbRed == Blend(GetRValue(tint), base.rgbRed, 30));
            CHECK(coloured.rgbBlue == Blend(GetBValue(tint), base.rgbBlue, 30));
            const RGBQUAD lifted = hover.GetPaletteEntry(index);
            CHECK(lifted.rgbRed == Blend(GetRValue(kColours.highlight), coloured.rgbRed, 10));
            CHECK(lifted.rgbGreen == Blend(GetGValue(kColours.highlight), coloured.rgbGreen, 10));
            CHECK(lifted.rgbBlue == Blend(GetBValue(kColours.highlight), coloured.rgbBlue, 10));
        }
        CHECK(std::equal(normal.GetBits(), normal.GetBits() + normal.GetRowSize() * 20, hover.GetBits()));
    }

    TEST_CASE_FIXTURE(GalleryFixture, "the background is the normal picture at rest, the hover one while the pointer is over it") {
        REQUIRE(created);
        CShadeButtonKX& button = gallery.m_shadeSelect;
        const CRect client = button.GetClientRect();
        button.BuildShadePictures(client.Width(), client.Height(), 6, 8, 10, 0, 0, kColours, Constant(0));
        const CCeXDib& normal = button.NormalPicture();
        const CCeXDib& hover = button.HoverPicture();
        REQUIRE(ColourAt(normal, 3, 3) != ColourAt(hover, 3, 3));
        struct Case { const char* name; bool over; UINT state; const CCeXDib* picture; int shift; };
        const Case cases[] = {
            {"at rest", false, 0, &normal, 0},
            {"pressed without the pointer", false, ODS_SELECTED, &normal, 0},
            {"pointer over it", true, 0, &hover, 0},
            {"pressed under the pointer", true, ODS_SELECTED, &hover, 1},
        };
        for (const Case& c : cases) {
            CAPTURE(std::string(c.name));
            if (c.over) button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
            REQUIRE(button.IsHovering() == c.over);
            MemoryCanvas canvas(client.Width(), client.Height());
            DRAWITEMSTRUCT item = canvas.Item(button, c.state);
            button.DrawItem(&item);
            CHECK(canvas.At(3, 3) == ColourAt(*c.picture, 3 - c.shift, 3 - c.shift));
            CHECK(canvas.At(client.Width() - 4, 4) ==
                  ColourAt(*c.picture, client.Width() - 4 - c.shift, 4 - c.shift));
            button.SendMessage(WM_MOUSELEAVE);
        }
    }
}
