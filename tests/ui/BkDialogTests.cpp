#include <doctest/doctest.h>

#include "GalleryFixture.h"
#include "GalleryResource.h"
#include "ShapedDlg.h"

namespace {

// A 24-bit bitmap of the given size filled with `fill`, with `marked` pixels in `mark`.
HBITMAP MakeBitmap(int width, int height, COLORREF fill, std::initializer_list<POINT> marked, COLORREF mark) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<DWORD*>(bits);
    auto pack = [](COLORREF c) { return static_cast<DWORD>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)); };
    for (int i = 0; i < width * height; ++i) pixels[i] = pack(fill);
    for (POINT p : marked) pixels[p.y * width + p.x] = pack(mark);
    return bitmap;
}

}  // namespace

TEST_SUITE("background dialog") {
    TEST_CASE("the region leaves out the transparent pixels and the columns past a multiple of 4") {
        HBITMAP bitmap = MakeBitmap(10, 3, RGB(1, 2, 3), {{2, 1}, {9, 0}}, RGB(255, 0, 255));
        CRgn region;
        region.Attach(CBkDialogKX::RegionFromBitmap(bitmap, 255, 0, 255));
        REQUIRE(region);
        RECT box{};
        GetRgnBox(region, &box);
        CHECK(CRect(box) == CRect(0, 0, 8, 3));
        CHECK_FALSE(region.Contains(2, 1));
        CHECK(region.Contains(3, 1));
        CHECK(region.Contains(7, 2));
        CHECK_FALSE(region.Contains(8, 0));
        DeleteObject(bitmap);
        CHECK(CBkDialogKX::RegionFromBitmap(nullptr, 0, 0, 0) == nullptr);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "the shaped popup is cut to its card and keeps no region of its own") {
        REQUIRE(created);
        ShapedDlg shaped(&gallery);
        REQUIRE(shaped.Create());
        CHECK(shaped.m_setBitmapResult == 0);
        CHECK(shaped.HasWindowRegion());
        CRgn region;
        region.CreateRectRgn(0, 0, 0, 0);
        REQUIRE(GetWindowRgn(shaped, region) != ERROR);
        CHECK(region.Contains(80, 60));
        CHECK(region.Contains(80, 1));
        CHECK_FALSE(region.Contains(0, 0));
        CHECK_FALSE(region.Contains(159, 119));
        // A new background gives the old region back to nobody: the window drops it.
        CHECK(shaped.SetBitmap(static_cast<HBITMAP>(nullptr)) == 0);
        CHECK_FALSE(shaped.HasWindowRegion());
        CHECK(GetWindowRgn(shaped, region) == ERROR);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a bitmap whose header cannot be read is refused") {
        REQUIRE(created);
        ShapedDlg shaped(&gallery);
        REQUIRE(shaped.Create());
        HBITMAP bogus = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x4321));
        CHECK(shaped.SetBitmap(bogus, ShapedDlg::kTransparent) == 1);
        CHECK(shaped.GetBitmapSize().cx == 0);
        CHECK_FALSE(shaped.HasWindowRegion());
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a bitmap entirely of the transparent colour makes no window") {
        REQUIRE(created);
        ShapedDlg shaped(&gallery);
        REQUIRE(shaped.Create());
        HBITMAP bitmap = MakeBitmap(8, 8, RGB(255, 0, 255), {}, 0);
        CHECK(shaped.SetBitmap(bitmap, ShapedDlg::kTransparent) == 0);
        CHECK(shaped.HasWindowRegion());
        CHECK(shaped.SetBitmap(static_cast<HBITMAP>(nullptr), ShapedDlg::kTransparent) == 0);
        CHECK_FALSE(shaped.HasWindowRegion());
    }

    TEST_CASE_FIXTURE(GalleryFixture, "labels get light-grey text cells, help links and others keep theirs") {
        REQUIRE(created);
        HDC dc = GetDC(gallery);
        auto colourFor = [&](UINT message, int id, COLORREF& background) {
            SetBkColor(dc, RGB(1, 1, 1));
            const LRESULT brush = gallery.SendMessage(message, reinterpret_cast<WPARAM>(dc),
                                                      reinterpret_cast<LPARAM>(gallery.GetDlgItem(id)));
            background = GetBkColor(dc);
            return reinterpret_cast<HBRUSH>(brush);
        };
        HBRUSH hollow = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        COLORREF background = 0;
        CHECK(colourFor(WM_CTLCOLORSTATIC, IDC_PLAIN_LABEL, background) == hollow);
        CHECK(background == RGB(245, 245, 245));
        CHECK(colourFor(WM_CTLCOLORBTN, IDC_PEN, background) == hollow);
        CHECK(background == RGB(245, 245, 245));
        CHECK(colourFor(WM_CTLCOLORSTATIC, IDC_HELP_LINK, background) != hollow);
        CHECK(background == GetSysColor(COLOR_BTNFACE));  // the dialog's own default
        CHECK(colourFor(WM_CTLCOLORSTATIC, IDC_KNOB, background) == hollow);  // the knob answers for itself
        CHECK(background == RGB(1, 1, 1));
        CHECK(colourFor(WM_CTLCOLOREDIT, IDC_EDIT, background) != hollow);
        CHECK(background == GetSysColor(COLOR_WINDOW));
        ReleaseDC(gallery, dc);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "the tiled background repeats the tile from the top left") {
        REQUIRE(created);
        gallery.Invalidate();
        gallery.UpdateWindow();
        CHECK(gallery.GetBitmapSize().cx == 32);
        const CRect client = gallery.GetClientRect();
        // The tile: paper in its top-left and bottom-right quarters, mist in the others.
        auto expected = [](int x, int y) {
            return ((x % 32 < 16) == (y % 32 < 16)) ? RGB(247, 248, 250) : RGB(232, 236, 242);
        };
        for (const CPoint p : {CPoint(client.Width() - 10, 3), CPoint(client.Width() - 10, 20),
                               CPoint(client.Width() - 30, client.Height() / 2), CPoint(3, client.Height() - 5)}) {
            CAPTURE(p.x);
            CAPTURE(p.y);
            CHECK(ScreenPixel(gallery, p.x, p.y) == expected(p.x, p.y));
        }
    }
}
