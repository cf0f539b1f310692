#include <doctest/doctest.h>

#include <vector>
#include "BackgroundPlacement.h"
#include "CBkDialogKX.h"

namespace {

std::vector<CPoint> Points(std::initializer_list<CPoint> points) { return points; }

}  // namespace

TEST_SUITE("background placement") {
    TEST_CASE("each draw mode places its copies") {
        const SIZE client{100, 70};
        const SIZE bitmap{40, 30};
        struct Case { unsigned mode; std::vector<CPoint> copies; };
        const Case cases[] = {
            {kTile, Points({{0, 0}, {40, 0}, {80, 0}, {0, 30}, {40, 30}, {80, 30}, {0, 60}, {40, 60}, {80, 60}})},
            {kCentre, Points({{30, 20}})},
            {kTileTop, Points({{0, 0}, {40, 0}, {80, 0}})},
            {kTileBottom, Points({{0, 40}, {40, 40}, {80, 40}})},
            {kTileLeft, Points({{0, 0}, {0, 30}, {0, 60}})},
            {kTileRight, Points({{60, 0}, {60, 30}, {60, 60}})},
            {kTopLeft, Points({{0, 0}})},
            {kTopRight, Points({{60, 0}})},
            {kTopCentre, Points({{30, 0}})},
            {kBottomLeft, Points({{0, 40}})},
            {kBottomRight, Points({{60, 40}})},
            {kBottomCentre, Points({{30, 40}})},
            {13, Points({})},
            {255, Points({})},
        };
        for (const Case& c : cases) {
            CAPTURE(c.mode);
            const BackgroundPlacement placement = PlaceBackground(c.mode, client, bitmap);
            CHECK_FALSE(placement.stretch);
            CHECK(placement.copies == c.copies);
        }
    }

    TEST_CASE("stretch mode draws once over the whole area") {
        const BackgroundPlacement placement = PlaceBackground(kStretch, {100, 70}, {40, 30});
        CHECK(placement.stretch);
        CHECK(placement.copies.empty());
    }

    TEST_CASE("a bitmap larger than the area tiles exactly once") {
        CHECK(PlaceBackground(kTile, {100, 70}, {300, 200}).copies == Points({{0, 0}}));
    }

    TEST_CASE("a centred bitmap larger than the area is centred over it") {
        CHECK(PlaceBackground(kCentre, {100, 70}, {140, 90}).copies == Points({{-20, -10}}));
    }

    TEST_CASE("an empty bitmap places nothing instead of tiling forever") {
        CHECK(PlaceBackground(kTile, {100, 70}, {0, 30}).copies.empty());
        CHECK(PlaceBackground(kTileLeft, {100, 70}, {40, 0}).copies.empty());
    }

    TEST_CASE("the area behind an item allows for a 4-pixel frame and 2 more pixels below") {
        const RECT dialogWindow{100, 50, 500, 400};
        const RECT dialogClient{0, 0, 392, 320};  // bottom 80 above the window's bottom edge
        const RECT item{150, 120, 250, 140};
        CHECK(CBkDialogKX::BehindItemRect(dialogWindow, dialogClient, item) == CRect(46, 40, 146, 62));
    }

    TEST_CASE("help links are told by their text") {
        CHECK(CBkDialogKX::IsHelpLinkText("Help"));
        CHECK(CBkDialogKX::IsHelpLinkText("\xB2\xE9\xBF\xB4\xB0\xEF\xD6\xFA"));
        CHECK(CBkDialogKX::IsHelpLinkText(CBkDialogKX::kHelpAddress));
        CHECK_FALSE(CBkDialogKX::IsHelpLinkText("help"));
        CHECK_FALSE(CBkDialogKX::IsHelpLinkText("Help me"));
    }
}
