#include <doctest/doctest.h>

#include <cstring>
#include <string>
#include "CMyStatic.h"
#include "GalleryFixture.h"

namespace {

MSG MouseMove(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return MSG{window, WM_MOUSEMOVE, 0, 0, 0, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}};
}

}  // namespace

TEST_SUITE("balloon tooltip") {
    TEST_CASE("the text square lies inside the ellipse") {
        CHECK(CToolTipWnd::TextRectFor(RECT{0, 0, 200, 60}) == CRect(38, 9, 172, 51));
    }

    TEST_CASE_FIXTURE(GalleryFixture, "the balloon's region holds its tip, its middle and none of its corners") {
        REQUIRE(created);
        CRgn region;
        region.CreateRectRgn(0, 0, 0, 0);
        REQUIRE(GetWindowRgn(gallery.m_toolTip, region) != ERROR);
        struct Case { const char* where; int x, y; bool inside; };
        const Case cases[] = {
            {"tip", 5, 23, true},         {"tip base", 14, 30, true},  {"middle", 105, 30, true},
            {"text square", 45, 12, true}, {"top left", 10, 0, false}, {"top right", 199, 0, false},
            {"bottom left", 11, 59, false}, {"bottom right", 199, 59, false}, {"beside the tip", 2, 40, false},
        };
        for (const Case& c : cases) {
            CAPTURE(std::string(c.where));
            CHECK(region.Contains(c.x, c.y) == c.inside);
        }
    }

    TEST_CASE_FIXTURE(GalleryFixture, "the tip shows over a registered control and hides as the pointer moves on") {
        REQUIRE(created);
        CToolTipWnd& tip = gallery.m_toolTip;
        SetFocus(gallery.GetDlgItem(IDC_EDIT));
        HWND key1 = gallery.m_key1, key2 = gallery.m_key2;

        MSG over1 = MouseMove(key1);
        tip.RelayEvent(&over1);
        CHECK(tip.IsShowing());
        CHECK(tip.IsWindowVisible());
        CHECK(tip.CurrentControl() == key1);
        CHECK(tip.CurrentText() == "Left Key");
        CHECK(tip.GetWindowRect().TopLeft() == CPoint(over1.pt.x, over1.pt.y));

        tip.RelayEvent(&over1);  // still over it: unchanged
        CHECK(tip.IsWindowVisible());

        MSG over2 = MouseMove(key2);
        tip.RelayEvent(&over2);  // onto another control: hidden first
        CHECK_FALSE(tip.IsShowing());
        CHECK_FALSE(tip.IsWindowVisible());
        tip.RelayEvent(&over2);  // the next move shows its text
        CHECK(tip.IsWindowVisible());
        CHECK(tip.CurrentControl() == key2);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a click hides the tip until the pointer has left the control") {
        REQUIRE(created);
        CToolTipWnd& tip = gallery.m_toolTip;
        SetFocus(gallery.GetDlgItem(IDC_EDIT));
        MSG over = MouseMove(gallery.m_key1);
        tip.RelayEvent(&over);
        REQUIRE(tip.IsWindowVisible());
        MSG click{gallery.m_key1, WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, over.pt};
        tip.RelayEvent(&click);
        CHECK_FALSE(tip.IsWindowVisible());
        CHECK(tip.IsShowing());
        tip.RelayEvent(&over);
        CHECK_FALSE(tip.IsWindowVisible());
        MSG away = MouseMove(gallery.GetDlgItem(IDC_PLAIN_LABEL));
        tip.RelayEvent(&away);
        CHECK_FALSE(tip.IsShowing());
        tip.RelayEvent(&over);
        CHECK(tip.IsWindowVisible());
    }

    TEST_CASE_FIXTURE(GalleryFixture, "without a keyboard focus the pointer shows nothing") {
        REQUIRE(created);
        SetFocus(nullptr);
        MSG over = MouseMove(gallery.m_key1);
        gallery.m_toolTip.RelayEvent(&over);
        CHECK_FALSE(gallery.m_toolTip.IsShowing());
    }

    TEST_CASE_FIXTURE(GalleryFixture, "adding a known control again replaces only its text") {
        REQUIRE(created);
        CToolTipWnd& tip = gallery.m_toolTip;
        tip.AddTool(&gallery.m_key1, "Right Key", RGB(1, 2, 3));
        SetFocus(gallery.GetDlgItem(IDC_EDIT));
        MSG over = MouseMove(gallery.m_key1);
        tip.RelayEvent(&over);
        CHECK(tip.CurrentText() == "Right Key");
    }

    TEST_CASE_FIXTURE(GalleryFixture, "the balloon paints its fill inside and its text") {
        REQUIRE(created);
        CToolTipWnd& tip = gallery.m_toolTip;
        SetFocus(gallery.GetDlgItem(IDC_EDIT));
        MSG over = MouseMove(gallery.m_key1);
        tip.RelayEvent(&over);
        tip.UpdateWindow();
        CHECK(ScreenPixel(tip, 100, 12) == RGB(0xF5, 0xF5, 0xF5));
    }

    TEST_CASE_FIXTURE(GalleryFixture, "the balloon writes in the 12-pixel System face of any character set") {
        REQUIRE(created);
        LOGFONTA font{};
        REQUIRE(GetObjectA(gallery.m_toolTip.Font(), sizeof(font), &font) == sizeof(font));
        CHECK(std::string(font.lfFaceName) == "System");
        CHECK(font.lfCharSet == DEFAULT_CHARSET);
        CHECK(font.lfHeight == 12);
    }
}

TEST_SUITE("text label") {
    TEST_CASE_FIXTURE(GalleryFixture, "a text of 260 bytes or more is cut to 259") {
        REQUIRE(created);
        const std::string longText(400, 'K');
        gallery.m_label.SetText(longText.c_str());
        CHECK(std::strlen(gallery.m_label.GetText()) == CMyStatic::kTextCapacity - 1);
        gallery.m_label.SetText("Ctrl");
        CHECK(std::string(gallery.m_label.GetText()) == "Ctrl");
        gallery.m_label.SetText(nullptr);
        CHECK(std::string(gallery.m_label.GetText()).empty());
    }

    TEST_CASE_FIXTURE(GalleryFixture, "the label paints its text in its own colour and fills nothing") {
        REQUIRE(created);
        gallery.m_label.SetTextColor(RGB(255, 0, 0));
        gallery.m_label.SetText("MMMM");
        gallery.UpdateWindow();
        gallery.m_label.UpdateWindow();
        int red = 0;
        for (int x = 0; x < 40; ++x) {
            for (int y = 0; y < 12; ++y) red += ScreenPixel(gallery.m_label, x, y) == RGB(255, 0, 0);
        }
        CHECK(red > 10);
    }
}
