// The mapping page's arithmetic: monitor fractions, the preview, the tablet
// picture with its drag clamps, Auto Setting and display changes.
#include "DisplayChange.h"
#include "MappingBrand.h"
#include "MappingRecord.h"
#include "MonitorLayout.h"
#include "PreviewGeometry.h"
#include "TabletRecordBuilder.h"
#include "TabletPicture.h"

#include <doctest/doctest.h>

#include <climits>
#include <ostream>
#include <vector>

static bool operator==(const RECT32& a, const RECT32& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

static std::ostream& operator<<(std::ostream& out, const RECT32& r)
{
    return out << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}

namespace {

TABLETINFO Tablet(int32_t xMax, int32_t yMax, uint16_t width = 0, uint16_t height = 0)
{
    return TabletRecordBuilder(0x3C5E, 0x1F).Extent(xMax, yMax).SizeWords(width, height).Model();
}

const MonitorInfo PRIMARY{0, 0, 1920, 1080, MONITOR_FLAG_PRIMARY};
const MonitorInfo LEFT_OF_PRIMARY{-1280, 56, 1280, 1024, 0};
const MonitorInfo ABOVE_PRIMARY{0, -768, 1024, 768, 0};

}  // namespace

TEST_CASE("a monitor's screen area is a fraction of the whole desktop, measured from its top-left")
{
    struct Case {
        const char* name;
        std::vector<MonitorInfo> monitors;
        int selection;
        int32_t choice, flags;
        RECT32 area;
    };
    const Case cases[] = {
        {"one monitor", {PRIMARY}, 0, 0, 1, {0, 0, 0xFFFF, 0xFFFF}},
        {"whole desktop of two", {LEFT_OF_PRIMARY, PRIMARY}, 0, -1, 0, {0, 0, 0xFFFF, 0xFFFF}},
        {"the monitor left of the primary", {LEFT_OF_PRIMARY, PRIMARY}, 1, 0, 0, {0, 3398, 26214, 65535}},
        {"the primary right of it", {LEFT_OF_PRIMARY, PRIMARY}, 2, 1, 1, {26214, 0, 65535, 65535}},
        {"three monitors, one above", {LEFT_OF_PRIMARY, PRIMARY, ABOVE_PRIMARY}, 3, 2, 0, {26214, 0, 47185, 27235}},
        {"a selection past the list (monitor removed)", {LEFT_OF_PRIMARY, PRIMARY}, 7, -1, 0, {0, 0, 0xFFFF, 0xFFFF}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        const MonitorLayout layout(c.monitors);
        MappingRecord record = MappingRecord::Fresh(Tablet(10000, 8000), layout.Bounds());
        record.SelectMonitor(layout, layout.ComboEntryCount(), c.selection);
        CHECK(record.Mapping().monitorListCount == layout.ComboEntryCount());
        CHECK(record.Mapping().monitorChoice == c.choice);
        CHECK(record.Mapping().monitorFlags == c.flags);
        CHECK(record.Mapping().screenArea == c.area);
    }
}

TEST_CASE("desktop bounds, picked areas and degenerate monitor lists")
{
    const MonitorLayout two({LEFT_OF_PRIMARY, PRIMARY});
    CHECK(two.Bounds() == RECT32{-1280, 0, 1920, 1080});
    CHECK(two.ComboEntryCount() == 3);
    CHECK(two.SelectionRect(0) == two.Bounds());
    CHECK(two.SelectionRect(1) == RECT32{-1280, 56, 0, 1080});

    // An area picked on the left monitor, corners in (negative) screen pixels.
    MappingRecord record = MappingRecord::Fresh(Tablet(10000, 8000), two.Bounds());
    record.SetPickedArea(two, 3, {-1280, 0, 320, 540});
    CHECK(record.Mapping().monitorChoice == MONITOR_CHOICE_PICKED);
    CHECK(record.Mapping().monitorFlags == 0);
    CHECK(record.Mapping().screenArea == RECT32{0, 0, 32767, 32767});
    // Corners off the desktop are held to its edges.
    record.SetPickedArea(two, 3, {-5000, -10, INT32_MAX, INT32_MAX});
    CHECK(record.Mapping().screenArea == RECT32{0, 0, 0xFFFF, 0xFFFF});

    // No monitors, or monitors without size: the whole area, no division by zero.
    const MonitorLayout none(std::vector<MonitorInfo>{});
    CHECK(none.ComboEntryCount() == 1);
    CHECK(none.At(0) == nullptr);
    CHECK(none.FractionsOf({0, 0, 100, 100}) == RECT32{0, 0, 0xFFFF, 0xFFFF});
    const MonitorLayout flat({{5, 5, 0, 0, 1}});
    CHECK(flat.FractionsOf({5, 5, 5, 5}) == RECT32{0, 0, 0xFFFF, 0xFFFF});
    // Huge extents do not overflow.
    const MonitorLayout huge({{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 1}, {0, 0, INT32_MAX, INT32_MAX, 0}});
    CHECK(huge.Bounds() == RECT32{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
    CHECK(huge.FractionsOf(huge.MonitorRect(1)) == RECT32{32767, 32767, 0xFFFF, 0xFFFF});
}

TEST_CASE("the preview places thumbnails and the screen area, at scales never below 1")
{
    PreviewGeometry preview;
    // Page at (100, 100); group box at (115, 100), 645 x 555 pixels.
    preview.SetFrame({100, 100, 790, 856}, {115, 100, 760, 655});
    CHECK(preview.Frame() == RECT32{20, 15, 650, 530});

    const MonitorLayout two({LEFT_OF_PRIMARY, PRIMARY});
    preview.UpdateScales(two.Bounds());
    CHECK(preview.ScaleX() == 7);  // 3200 / (630 - 180)
    CHECK(preview.ScaleY() == 4);  // 1080 / (515 - 260)
    // The left monitor starts where the screen area's left edge 0 is drawn.
    const RECT32 left = preview.Thumbnail(*two.At(0), two.Bounds());
    const RECT32 area = preview.ScreenArea({0, 0, 0xFFFF, 0xFFFF}, two.Bounds());
    CHECK(left.left == area.left);
    CHECK(left == RECT32{20 + 1300 / 7, 15 + 56 / 4, 20 + 1300 / 7 + 1280 / 7, 15 + 56 / 4 + 1024 / 4});
    CHECK(area.right == 20 + (1300 + 3200) / 7);

    // A desktop smaller than the preview, a preview without room, an empty desktop.
    preview.UpdateScales({0, 0, 100, 100});
    CHECK((preview.ScaleX() == 1 && preview.ScaleY() == 1));
    preview.SetFrame({0, 0, 10, 10}, {0, 0, 10, 10});
    preview.UpdateScales({0, 0, 1920, 1080});
    CHECK((preview.ScaleX() == 1920 && preview.ScaleY() == 1080));
    preview.UpdateScales({0, 0, 0, 0});
    CHECK((preview.ScaleX() == 1 && preview.ScaleY() == 1));
}

TEST_CASE("the tablet picture converts areas both ways and survives a tablet without extent")
{
    const TABLETINFO tablet = Tablet(23000, 19000);
    TabletPicture picture;
    picture.ShowTabletArea(tablet, {0, 0, 23000, 19000});
    CHECK(picture.Area() == RECT32{194, 291, 309, 386});
    CHECK(picture.TabletAreaOf(tablet) == RECT32{0, 0, 23000, 19000});
    picture.ShowTabletArea(tablet, {11500, 9500, 23000, 19000});
    CHECK(picture.Area() == RECT32{251, 338, 309, 386});
    CHECK(picture.TabletAreaOf(tablet) == RECT32{11400, 9400, 23000, 19000});

    // The calibration's own scale: 139 and 116 pixels for the whole extent.
    picture.ShowCalibratedArea(tablet, {2300, 1900, 20700, 17100});
    CHECK(picture.Area() == RECT32{194 + 13, 291 + 11, 170 + 125, 270 + 104});

    // X max == X min, Y max == Y min: the whole picture, no division by zero.
    const TABLETINFO flat = Tablet(0, 0);
    picture.ShowTabletArea(flat, {0, 0, 100, 100});
    CHECK(picture.Area() == RECT32{194, 291, 309, 386});
    picture.ShowCalibratedArea(flat, {0, 0, 100, 100});
    CHECK(picture.Area() == RECT32{194, 291, 309, 386});
    CHECK(picture.TabletAreaOf(flat) == RECT32{0, 0, 0, 0});
    // Huge extents stay in range.
    const TABLETINFO huge = Tablet(INT32_MAX, INT32_MAX);
    picture.ShowTabletArea(huge, {0, 0, INT32_MAX, INT32_MAX});
    CHECK(picture.Area() == RECT32{194, 291, 309, 386});
    CHECK(picture.TabletAreaOf(huge) == RECT32{0, 0, INT32_MAX, INT32_MAX});
}

TEST_CASE("dragging handles and moving the tablet area keep it on the usable picture")
{
    struct Case {
        const char* name;
        RECT32 start;
        int32_t x, y, lastX, lastY;
        uint32_t keys;
        DragHandle handle;
        RECT32 end;
    };
    const RECT32 mid{220, 310, 280, 360};
    const Case cases[] = {
        {"top-left follows", mid, 222, 312, 220, 310, 1, DragHandle::TopLeft, {222, 312, 280, 360}},
        {"bottom-left: left stays 5 left of right", {270, 310, 280, 360}, 275, 362, 270, 360, 1, DragHandle::BottomLeft,
         {270, 310, 280, 362}},
        {"bottom-left: not left of the picture", {195, 310, 280, 360}, 190, 360, 195, 360, 1, DragHandle::BottomLeft,
         {195, 310, 280, 360}},
        {"bottom-right stops at the limit", {220, 310, 305, 382}, 309, 386, 305, 382, 1, DragHandle::BottomRight,
         {220, 310, 305, 382}},
        {"top-right follows", mid, 284, 306, 280, 310, 1, DragHandle::TopRight, {220, 306, 284, 360}},
        {"no drag without exactly the left button", mid, 222, 312, 220, 310, 1 | 4, DragHandle::TopLeft, mid},
        {"interior moves by the pointer", mid, 250, 340, 240, 330, 1, DragHandle::Interior, {230, 320, 290, 370}},
        {"interior move clamped right and down", mid, 300, 400, 240, 330, 1, DragHandle::Interior,
         {249, 336, 309, 386}},
        {"interior move clamped left and up", mid, 100, 100, 240, 330, 1, DragHandle::Interior, {194, 291, 254, 341}},
        {"no room to the left and up: nothing moves", {150, 250, 200, 300}, 165, 265, 175, 275, 1,
         DragHandle::Interior, {150, 250, 200, 300}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        TabletPicture picture;
        picture.SetArea(c.start);
        const DragHandle handle = picture.HitTest(c.lastX, c.lastY);
        CHECK(handle == c.handle);
        picture.Drag(handle, c.x, c.y, c.lastX, c.lastY, c.keys);
        CHECK(picture.Area() == c.end);
    }
    TabletPicture picture;
    picture.SetArea(mid);
    CHECK(picture.HitTest(100, 100) == DragHandle::None);
    CHECK_FALSE(picture.Drag(DragHandle::Interior, 250, 340, 250, 340, 1));
}

TEST_CASE("Auto Setting keeps the screen's aspect ratio on the whole tablet, with 64-bit arithmetic")
{
    struct Case {
        const char* name;
        int64_t w, h;
        uint16_t tw, th;
        int32_t xMax, yMax;
        RECT32 area;
        RECT32 preview;
    };
    const Case cases[] = {
        {"wide screen on a 4:3 tablet", 1920, 1080, 4000, 3000, 40000, 30000, {0, 0, 40000, 22500},
         {194, 291, 309, 270 + 87}},
        {"tall screen on a 4:3 tablet", 1024, 1280, 4000, 3000, 40000, 30000, {0, 0, 24000, 30000},
         {194, 291, 170 + 83, 386}},
        {"same ratio: the whole tablet", 1600, 1200, 4000, 3000, 40000, 30000, {0, 0, 40000, 30000},
         {194, 291, 309, 386}},
        {"zero width word: the whole tablet", 1920, 1080, 0, 3000, 40000, 30000, {0, 0, 40000, 30000},
         {194, 291, 309, 386}},
        {"zero height word: the whole tablet", 1920, 1080, 4000, 0, 40000, 30000, {0, 0, 40000, 30000},
         {194, 291, 309, 386}},
        {"huge extents overflow no product", 65535, 30000, 65535, 65535, INT32_MAX, INT32_MAX,
         {0, 0, INT32_MAX, 983054999}, {194, 291, 309, 270 + 53}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        MappingRecord record = MappingRecord::Fresh(Tablet(c.xMax, c.yMax, c.tw, c.th), {0, 0, 1920, 1080});
        const AspectFit fit = MappingRecord::FitOf(c.w, c.h, c.tw, c.th);
        record.FitTabletArea(fit);
        TabletPicture picture;
        picture.ShowFit(fit);
        CHECK(record.Mapping().tabletArea == c.area);
        CHECK(picture.Area() == c.preview);
    }
    // After a drag into the lower right, on tablets starting at 0 and above
    // it: the whole tablet again, the one edge measured from its minimum.
    struct Dragged {
        int32_t xMin, yMin;
        int64_t w, h;
        RECT32 area;
    };
    for (const Dragged& c : {Dragged{0, 0, 1920, 1080, {0, 0, 40000, 22500}},
                             Dragged{2000, 1000, 1024, 1280, {2000, 1000, 2000 + 22800, 30000}}}) {
        CAPTURE(c.xMin);
        MappingRecord dragged = MappingRecord::Fresh(
            TabletRecordBuilder(0x3C5E, 0x1F).Extent(40000, 30000, c.xMin, c.yMin).SizeWords(4000, 3000).Model(), {});
        dragged.SetTabletArea({30000, 25000, 35000, 28000});
        dragged.FitTabletArea(MappingRecord::FitOf(c.w, c.h, 4000, 3000));
        CHECK(dragged.Mapping().tabletArea == c.area);
    }
}

TEST_CASE("the second brand's page: rotation codes and the layout by language")
{
    for (int entry = 0; entry < 4; ++entry)
        CHECK(RotationEntryOf(RotationCodeOf(entry)) == entry);
    CHECK(RotationCodeOf(2) == 512);
    CHECK(RotationEntryOf(1024) == 0);  // a code the combo does not have
    CHECK(RotationEntryOf(-256) == 0);

    ControlPlace places[16];
    CHECK(MappingRelayout(3, places, 16) == 0);  // the template's own layout
    REQUIRE(MappingRelayout(4, places, 16) == 9);
    CHECK_FALSE(places[0].moves);                // the preview frame stays for index 4
    CHECK((places[3].id == 1060 && places[3].x == 47 && places[3].y == 477));
    REQUIRE(MappingRelayout(0, places, 16) == 9);
    CHECK((places[0].moves && places[0].width == 484 && places[0].height == 416));
    CHECK(MappingRelayout(7, places, 2) == 2);   // never more than the room given
}

TEST_CASE("a display change keeps the chosen monitor while it is there, and one monitor left is the whole screen")
{
    struct Case {
        const char* name;
        const MappingBrand* brand;
        std::vector<MonitorInfo> now;
        int stored;
        int entries, combo, kept;
        bool wholeScreen, publish, toDesktop;
    };
    const Case cases[] = {
        {"first brand, the monitor is still there", &kStyloraMapping, {LEFT_OF_PRIMARY, PRIMARY}, 2, 3, -1, 2, false,
         false, true},
        {"second brand, the monitor is still there", &kPenmiraMapping, {PRIMARY, ABOVE_PRIMARY}, 2, 3, -1, 2, false,
         false, false},
        {"second brand, the third monitor is gone", &kPenmiraMapping, {LEFT_OF_PRIMARY, PRIMARY}, 3, 3, -1, 0, false,
         false, false},
        {"first brand, one monitor left", &kStyloraMapping, {PRIMARY}, 2, 1, 0, 0, true, true, false},
        {"second brand, one monitor left", &kPenmiraMapping, {PRIMARY}, 1, 1, 0, 0, true, false, false},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        const DisplayChangePlan plan = PlanDisplayChange(*c.brand, MonitorLayout(c.now), c.stored);
        CHECK(plan.entries == c.entries);
        CHECK(plan.comboSelection == c.combo);
        CHECK(plan.storedSelection == c.kept);
        CHECK(plan.selectWholeScreen == c.wholeScreen);
        CHECK(plan.publish == c.publish);
        CHECK(plan.recordToDesktop == c.toDesktop);
    }
}
