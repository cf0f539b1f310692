#include <doctest/doctest.h>

#include "CGDIpInitializer.h"
#include "CXPMenu.h"
#include "GalleryFixture.h"
#include "GalleryResource.h"

TEST_SUITE("flat menu") {
    TEST_CASE("every item is 130 by 22") {
        CXPMenu menu;
        MEASUREITEMSTRUCT item{};
        item.itemData = 0;
        menu.MeasureItem(&item);
        CHECK(item.itemWidth == 130u);
        CHECK(item.itemHeight == 22u);
    }

    TEST_CASE("an unselected row shows the band, a selected one the frame and fill") {
        CXPMenu menu;
        XPMenuItem record{"Scroll Up"};
        MemoryCanvas canvas(130, 22);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_MENU;
        item.itemData = reinterpret_cast<ULONG_PTR>(&record);
        item.hDC = canvas.dc();
        item.rcItem = RECT{0, 0, 130, 22};
        menu.DrawItem(&item);
        CHECK(canvas.At(0, 0) == CXPMenu::kBandColour);
        CHECK(canvas.At(24, 21) == CXPMenu::kBandColour);
        CHECK(canvas.At(25, 0) == CXPMenu::kBodyColour);
        CHECK(canvas.At(129, 21) == CXPMenu::kBodyColour);

        item.itemState = ODS_SELECTED | ODS_GRAYED;  // other state bits change nothing
        menu.DrawItem(&item);
        CHECK(canvas.At(0, 0) == RGB(0, 0, 0));
        CHECK(canvas.At(129, 21) == RGB(0, 0, 0));
        CHECK(canvas.At(1, 1) == CXPMenu::kSelectedColour);
        CHECK(canvas.At(10, 11) == CXPMenu::kSelectedColour);
    }

    TEST_CASE("text starts 33 pixels in and stays on one line") {
        CXPMenu menu;
        XPMenuItem record{"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"};
        MemoryCanvas canvas(130, 44);
        DRAWITEMSTRUCT item{};
        item.itemData = reinterpret_cast<ULONG_PTR>(&record);
        item.hDC = canvas.dc();
        item.rcItem = RECT{0, 0, 130, 22};
        SetTextColor(canvas.dc(), RGB(255, 0, 0));
        menu.DrawItem(&item);
        int firstRed = -1;
        for (int x = 0; x < 130 && firstRed < 0; ++x) {
            for (int y = 0; y < 22; ++y) {
                if (canvas.At(x, y) == RGB(255, 0, 0)) {
                    firstRed = x;
                    break;
                }
            }
        }
        CHECK(firstRed >= 33);
        CHECK(firstRed <= 36);
        for (int x = 0; x < 130; ++x) CHECK(canvas.At(x, 30) == RGB(0, 0, 0));  // nothing below the row
    }

    TEST_CASE("an item without data is left alone") {
        CXPMenu menu;
        MemoryCanvas canvas(130, 22);
        DRAWITEMSTRUCT item{};
        item.hDC = canvas.dc();
        item.rcItem = RECT{0, 0, 130, 22};
        menu.DrawItem(&item);
        CHECK(canvas.At(0, 0) == RGB(0, 0, 0));
        CHECK(canvas.At(60, 10) == RGB(0, 0, 0));
    }

    TEST_CASE_FIXTURE(GalleryFixture, "driven by keys, the function menu sends its command") {
        REQUIRE(created);
        gallery.PostMessage(WM_KEYDOWN, VK_DOWN, 0);
        gallery.PostMessage(WM_KEYDOWN, VK_DOWN, 0);
        gallery.PostMessage(WM_KEYDOWN, VK_DOWN, 0);
        gallery.PostMessage(WM_KEYDOWN, VK_RETURN, 0);
        gallery.ShowFunctionMenu();
        PumpPending();
        CHECK(gallery.m_lastCommand == ID_FUNCTION_FIRST + 2);
        CHECK(std::string(gallery.m_label.GetText()) == "Middle Key");
    }

    TEST_CASE_FIXTURE(GalleryFixture, "Escape closes the function menu without a command") {
        REQUIRE(created);
        gallery.PostMessage(WM_KEYDOWN, VK_DOWN, 0);
        gallery.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        gallery.ShowFunctionMenu();
        PumpPending();
        CHECK(gallery.m_lastCommand == 0u);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "the drop-down image menu sends its choice to the menu owner") {
        REQUIRE(created);
        gallery.PostMessage(WM_KEYDOWN, VK_DOWN, 0);
        gallery.PostMessage(WM_KEYDOWN, VK_DOWN, 0);
        gallery.PostMessage(WM_KEYDOWN, VK_RETURN, 0);
        gallery.m_dropDown.SendMessage(BM_CLICK);
        PumpPending();
        CHECK(gallery.m_lastCommand == static_cast<UINT>(ID_DROPDOWN_SAVE));
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a mnemonic picks a drop-down entry") {
        REQUIRE(created);
        gallery.PostMessage(WM_CHAR, 'c', 0);
        gallery.m_dropDown.SendMessage(BM_CLICK);
        PumpPending();
        CHECK(gallery.m_lastCommand == static_cast<UINT>(ID_DROPDOWN_CLOSE));
    }
}

TEST_SUITE("GDI+ guard") {
    TEST_CASE("the first guard starts GDI+, the others only count") {
        const int before = CGDIpInitializer::UseCount();
        CGDIpInitializer first(false), second(false);
        first.Initialize();
        second.Initialize();
        CHECK(first.StartedHere());
        CHECK_FALSE(second.StartedHere());
        CHECK(CGDIpInitializer::UseCount() == before + 2);
        second.Deinitialize();
        CHECK(first.StartedHere());
        first.Deinitialize();
        CHECK_FALSE(first.StartedHere());
        CHECK(CGDIpInitializer::UseCount() == before);
    }

    TEST_CASE("the starter leaves GDI+ running when another guard is still in") {
        CGDIpInitializer first(false), second(false);
        first.Initialize();
        second.Initialize();
        first.Deinitialize();
        CHECK(first.StartedHere());  // the count fell from 2, not from 1
        second.Deinitialize();
        CHECK(first.StartedHere());
        first.Deinitialize();  // unmatched: lowers the count only
        CHECK(first.StartedHere());
        first.Initialize();
        first.Deinitialize();
    }

    TEST_CASE("a Deinitialize without Initialize changes nothing but the count") {
        CGDIpInitializer guard(false);
        const int before = CGDIpInitializer::UseCount();
        guard.Deinitialize();
        CHECK(CGDIpInitializer::UseCount() == before - 1);
        CHECK_FALSE(guard.StartedHere());
        guard.Initialize();
        CHECK(CGDIpInitializer::UseCount() == before);
    }
}
