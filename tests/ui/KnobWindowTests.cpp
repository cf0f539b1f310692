#include <doctest/doctest.h>

#include "GalleryFixture.h"

namespace {

// The knob's notifications must agree with its value and the track bar's
// position at every step.
void CheckAgreement(GalleryDlg& gallery, std::size_t expectedCount) {
    REQUIRE(gallery.m_knobPositions.size() == expectedCount);
    CHECK(gallery.m_knobPositions.back() == gallery.m_knob.GetPos());
    CHECK(gallery.m_knob.GetPos() == static_cast<int>(gallery.m_knob.SendMessage(TBM_GETPOS)));
}

void PressKey(CKnobControlKX& knob, UINT key) {
    knob.PostMessage(WM_KEYDOWN, key, 1);
    PumpPending();
}

LPARAM At(CPoint point) { return MAKELPARAM(point.x, point.y); }

}  // namespace

TEST_SUITE("knob window") {
    TEST_CASE_FIXTURE(GalleryFixture, "the first paint places the disc in the client area") {
        REQUIRE(created);
        const CRect client = gallery.m_knob.GetClientRect();
        CHECK(gallery.m_knob.Square() == KnobGeometry::SquareForClient(client.Width(), client.Height()));
        CHECK(gallery.m_knob.Centre() == KnobGeometry::Centre(gallery.m_knob.Square()));
    }

    TEST_CASE_FIXTURE(GalleryFixture, "keys move the value and notify, limits consume them silently") {
        REQUIRE(created);
        CKnobControlKX& knob = gallery.m_knob;
        knob.SetFocus();
        knob.SetPos(100);
        struct Step { UINT key; int position; std::size_t notifications; };
        const Step steps[] = {
            {VK_UP, 101, 1},   {VK_RIGHT, 102, 2}, {VK_LEFT, 101, 3}, {VK_DOWN, 100, 4},
            {VK_PRIOR, 100, 5},  // page step 0: same value, still told
            {VK_NEXT, 100, 6},   {VK_HOME, 200, 7}, {VK_HOME, 200, 7}, {VK_UP, 200, 7},
            {VK_END, 0, 8},      {VK_END, 0, 8},    {VK_DOWN, 0, 8},   {VK_LEFT, 0, 8},
        };
        for (const Step& step : steps) {
            CAPTURE(step.key);
            PressKey(knob, step.key);
            CHECK(knob.GetPos() == step.position);
            CheckAgreement(gallery, step.notifications);
        }
        knob.SetPageStep(30, false);
        PressKey(knob, VK_PRIOR);
        CHECK(knob.GetPos() == 30);
        knob.SetPos(190);
        PressKey(knob, VK_PRIOR);
        CHECK(knob.GetPos() == 200);
        CheckAgreement(gallery, 10);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a click on the disc sets the value under the pointer") {
        REQUIRE(created);
        CKnobControlKX& knob = gallery.m_knob;
        const KnobSquare square = knob.Square();
        const CPoint centre = knob.Centre();
        const CPoint left(square.x + 2, centre.y);
        knob.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(left));
        CHECK(knob.IsDragging());
        knob.SendMessage(WM_LBUTTONUP, 0, At(left));
        CHECK_FALSE(knob.IsDragging());
        CHECK(knob.GetPos() == knob.PointToValue(left.x, left.y));
        CHECK(knob.GetPos() == 33);
        CheckAgreement(gallery, 1);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a drag follows the pointer, also outside the window") {
        REQUIRE(created);
        CKnobControlKX& knob = gallery.m_knob;
        const CPoint centre = knob.Centre();
        knob.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(centre));
        const CPoint path[] = {{centre.x - 20, centre.y}, {centre.x, centre.y - 20}, {centre.x + 300, centre.y - 1},
                               {centre.x + 5, centre.y + 30}};
        const int values[] = {33, 100, 166, 200};
        for (std::size_t i = 0; i < 4; ++i) {
            CAPTURE(i);
            knob.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(path[i]));
            CHECK(knob.GetPos() == values[i]);
            CheckAgreement(gallery, i + 1);
        }
        knob.SendMessage(WM_LBUTTONUP, 0, At(CPoint(-50, -50)));
        knob.SendMessage(WM_MOUSEMOVE, 0, At(centre));
        CHECK(knob.GetPos() == 200);
        CheckAgreement(gallery, 4);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a press outside the disc drags nothing, a release inside sets the value") {
        REQUIRE(created);
        CKnobControlKX& knob = gallery.m_knob;
        knob.SetPos(50);
        const CRect client = knob.GetClientRect();
        const CPoint corner(client.right - 1, client.bottom - 1);
        knob.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(corner));
        CHECK_FALSE(knob.IsDragging());
        knob.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(knob.Centre()));
        CHECK(gallery.m_knobPositions.empty());
        const CPoint top(knob.Centre().x, knob.Square().y + 3);
        knob.SendMessage(WM_LBUTTONUP, 0, At(top));
        CHECK(knob.GetPos() == 100);
        CheckAgreement(gallery, 1);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a press beside the track bar's thumb never changes the value unseen") {
        REQUIRE(created);
        CKnobControlKX& knob = gallery.m_knob;
        knob.SetPos(100);
        const CRect client = knob.GetClientRect();
        for (const CPoint beside : {CPoint(1, client.Height() / 2), CPoint(client.right - 2, client.Height() / 2),
                                    CPoint(client.right - 2, 3)}) {
            knob.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(beside));
            PumpPending(700);  // longer than the track bar's auto-page delay
            knob.SendMessage(WM_LBUTTONUP, 0, At(beside));
            PumpPending();
        }
        CHECK(knob.GetPos() == 100);
        CHECK(gallery.m_knobPositions.empty());
    }

    TEST_CASE_FIXTURE(GalleryFixture, "the wheel turns the knob and notifies") {
        REQUIRE(created);
        CKnobControlKX& knob = gallery.m_knob;
        knob.SetPos(100);
        UINT lines = 3;
        SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        const LPARAM screen = MAKELPARAM(10, 10);
        knob.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), screen);
        CHECK(knob.GetPos() == 100 + static_cast<int>(lines));
        CheckAgreement(gallery, 1);
        knob.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA), screen);
        CHECK(knob.GetPos() == 100 - static_cast<int>(lines));
        CheckAgreement(gallery, 2);
        knob.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), screen);  // half a notch
        CHECK(knob.GetPos() == 100 - static_cast<int>(lines));
        knob.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), screen);
        CHECK(knob.GetPos() == 100 - 2 * static_cast<int>(lines));
        CheckAgreement(gallery, 4);
        knob.SetPos(1);
        knob.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), screen);
        CHECK(knob.GetPos() == 0);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "steps out of their limits draw no marks instead of hanging") {
        REQUIRE(created);
        CKnobControlKX& knob = gallery.m_knobPlain;
        knob.SetTickStep(0, true);
        knob.UpdateWindow();
        knob.SetTickStep(-4, true);
        knob.SetPageStep(-10, true);
        knob.UpdateWindow();
        CHECK(knob.Square().width > 0);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "the opaque knob paints its background, the ticks and the disc") {
        REQUIRE(created);
        CKnobControlKX& knob = gallery.m_knobPlain;
        knob.Invalidate();
        knob.UpdateWindow();
        const CRect client = knob.GetClientRect();
        const COLORREF background = GetSysColor(COLOR_BTNHIGHLIGHT);
        CHECK(ScreenPixel(knob, 1, 1) == background);
        CHECK(ScreenPixel(knob, client.right - 2, client.bottom - 2) == background);
        // The long tick at the top (page step 10 from 0 reaches 50, the middle of 0..100).
        const KnobSquare square = knob.Square();
        const CPoint tick = KnobGeometry::TickPoint(1, 50, square, KnobRange{0, 100});
        CHECK(ScreenPixel(knob, tick.x, tick.y) == RGB(0, 0, 0));
    }
}
