#include "DisplayRotation.h"
#include "RotationPublication.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

using namespace rotation;

namespace {

const std::string D1 = "\\\\.\\DISPLAY1";
const std::string D2 = "\\\\.\\DISPLAY2";
const std::string D3 = "\\\\.\\DISPLAY3";
constexpr MappedArea WHOLE{0, 0, 65535, 65535};

DisplayPath Path(int32_t x, int32_t y, int32_t width, int32_t height, int32_t turned, const std::string& name)
{
    DisplayPath path;
    path.x = x;
    path.y = y;
    path.width = width;
    path.height = height;
    path.rotation = turned;
    path.sourceName = name;
    return path;
}

}  // namespace

TEST_SUITE("rotation search")
{
    TEST_CASE("the one path among the first two that holds the mapped area gives the rotation and the target")
    {
        struct Row {
            const char* what;
            std::vector<DisplayPath> paths;
            int32_t state;
            std::string target;
            MappedArea area;
            int32_t found;
            std::string targetAfter;
        };
        const Row rows[] = {
            {"a single display turned to portrait", {Path(0, 0, 1024, 768, 2, D1)}, 1, D2, WHOLE, 2, D1},
            {"the turned target counts with its extents exchanged", {Path(0, 0, 1024, 768, 4, D1)}, 4, D1, WHOLE, 4,
             D1},
            {"an area spanning two displays", {Path(0, 0, 1024, 768, 1, D1), Path(1024, 0, 1024, 768, 1, D2)}, 1,
             D2, WHOLE, STATE_NO_DISPLAY, D2},
            {"the right half on the second display",
             {Path(0, 0, 1024, 768, 1, D1), Path(1024, 0, 1024, 768, 3, D2)}, 1, D1, {32768, 0, 65535, 65535}, 3,
             D2},
            {"a display left of the primary lies one width before it",
             {Path(0, 0, 1024, 1024, 1, D1), Path(-1000, 0, 1280, 1024, 4, D2)}, 1, D1, {0, 0, 32767, 65535}, 4,
             D2},
            {"an area taller than wide is laid on its side", {Path(0, 0, 1024, 768, 1, D1)}, 1, D1,
             {49152, 0, 65535, 65535}, STATE_NO_DISPLAY, D1},
            {"only the first two paths are recognised",
             {Path(0, 0, 800, 600, 1, D1), Path(800, 0, 800, 600, 1, D2), Path(1600, 0, 800, 600, 2, D3)}, 1, D2,
             {45000, 0, 65535, 65535}, STATE_NO_DISPLAY, D2},
            {"no active path", {}, 1, D2, WHOLE, STATE_NO_DISPLAY, D2},
            {"a long source name is kept to 12 characters", {Path(0, 0, 1024, 768, 1, "\\\\.\\DISPLAY10b")}, 1,
             D2, WHOLE, 1, "\\\\.\\DISPLAY1"},
        };
        for (const Row& row : rows) {
            CAPTURE(row.what);
            std::string target = row.target;
            CHECK(FindTabletDisplayRotation(row.paths, row.state, target, row.area) == row.found);
            CHECK(target == row.targetAfter);
        }
    }

    TEST_CASE("negative origins are replaced by the state's extents before the area is measured")
    {
        std::vector<DisplayPath> paths = {Path(0, 0, 1024, 768, 1, D1), Path(-5, -7, 1280, 1024, 1, D2)};
        const PixelRect pixels = AreaInPixels(paths, 2, D1, WHOLE);
        CHECK(paths[1].x == -1024);
        CHECK(paths[1].y == -1280);
        // D1 is the turned target (right edge x + height): a box of 1792 x 2304
        // from (-1024, -1280), whose 1791 x 2303 area is then laid on its side.
        CHECK(pixels.left == -1024);
        CHECK(pixels.top == -1280);
        CHECK(pixels.right == -1024 + 2303);
        CHECK(pixels.bottom == -1280 + 1791);

        // Exact fractions on the rounding edge: 1024 * 65503 = 1023 * 65535 + 32767.
        std::vector<DisplayPath> square = {Path(0, 0, 1024, 1024, 1, D1)};
        const PixelRect low = AreaInPixels(square, 1, D1, {65503, 65503, 65535, 65535});
        CHECK((low.left == 1023 && low.top == 1023));
        const PixelRect high = AreaInPixels(square, 1, D1, {0, 0, 65503, 65503});
        CHECK((high.right == 1023 && high.bottom == 1023));
    }

    TEST_CASE("the target display's rectangle as fractions of the attached displays")
    {
        const std::vector<AttachedDisplay> two = {{D1, 0, 0, 1024, 768}, {D2, 1024, 0, 1280, 1024}};
        PixelRect rect;
        MappedArea published;
        REQUIRE(ComputeTargetDisplayRect(two, D2, rect, published));
        CHECK(rect.left == 1024);
        CHECK(rect.right == 2304);
        CHECK(published.x0 == 29126);
        CHECK(published.y0 == 0);
        CHECK(published.x1 == 65535);
        CHECK(published.y1 == 65535);

        const std::vector<AttachedDisplay> leftOfPrimary = {{D1, 0, 0, 1024, 768}, {D2, -1280, -256, 1280, 1024}};
        REQUIRE(ComputeTargetDisplayRect(leftOfPrimary, D1, rect, published));
        CHECK(published.x0 == 36408);
        CHECK(published.y0 == 256 * 65535 / 1024);
        CHECK(published.x1 == 65535);
        CHECK(published.y1 == (256 + 768) * 65535 / 1024);
    }

    TEST_CASE("nothing to publish without an attached display, an empty desktop or a target never seen")
    {
        MappedArea published{1, 2, 3, 4};
        PixelRect rect;
        CHECK_FALSE(ComputeTargetDisplayRect({}, D1, rect, published));
        CHECK_FALSE(ComputeTargetDisplayRect({{D1, 0, 0, 0, 0}}, D1, rect, published));
        CHECK_FALSE(ComputeTargetDisplayRect({{D1, 0, 0, 1024, 768}}, D2, rect, published));
        CHECK(published.x0 == 1);
        CHECK(published.y1 == 4);

        // A target that is no longer attached keeps the rectangle it had.
        rect = {1024, 0, 2048, 768};
        REQUIRE(ComputeTargetDisplayRect({{D1, 0, 0, 1024, 768}}, D2, rect, published));
        CHECK(published.x0 == 65535);
        CHECK(published.x1 == 131070);

        // Only the first twelve displays are recorded.
        std::vector<AttachedDisplay> many;
        for (int i = 0; i < 13; ++i)
            many.push_back({"\\\\.\\DISPLAY" + std::to_string(i + 1), 640 * i, 0, 640, 480});
        PixelRect unseen;
        CHECK_FALSE(ComputeTargetDisplayRect(many, many.back().name, unseen, published));
        REQUIRE(ComputeTargetDisplayRect(many, many[11].name, unseen, published));
        CHECK(published.x1 == 65535);
    }

    TEST_CASE("the watch publishes only changes to 1..4 and retries a change it could not publish")
    {
        RotationWatch watch;
        watch.Seed(512);
        CHECK(watch.State() == 3);
        watch.Seed(0);
        CHECK(watch.State() == 3);  // seeded only while unknown
        watch.Settle(1, true);

        int32_t code = -5;
        CHECK_FALSE(watch.ChangeToPublish(1, code));
        REQUIRE(watch.ChangeToPublish(2, code));
        CHECK(code == 256);

        // Publishing failed: the old state stays, the next change tries again.
        watch.Settle(4, false);
        CHECK(watch.State() == 1);
        REQUIRE(watch.ChangeToPublish(4, code));
        CHECK(code == 768);
        watch.Settle(4, true);
        CHECK(watch.State() == 4);

        // After "no display" the same rotation as before is published again.
        CHECK_FALSE(watch.ChangeToPublish(STATE_NO_DISPLAY, code));
        watch.Settle(STATE_NO_DISPLAY, false);
        CHECK(watch.State() == STATE_NO_DISPLAY);
        REQUIRE(watch.ChangeToPublish(4, code));
        CHECK(code == 768);

        // A failed query re-seeds from the key area; unknown codes stay as they are.
        watch.Settle(STATE_UNKNOWN, true);
        watch.Seed(100);
        CHECK(watch.State() == 100);
        CHECK(StateFromRotationCode(768) == 4);
    }
}

TEST_SUITE("rotation publish")
{
    // Every write of a publish in the order it happens.
    struct WriteLog : PublicationTarget {
        std::vector<std::string> writes;
        void WriteCommand(int32_t command) override { writes.push_back("command " + std::to_string(command)); }
        void WriteKeyAreaInt32(size_t offset, int32_t value) override
        {
            writes.push_back("+" + std::to_string(offset) + " " + std::to_string(value));
        }
        void WakeService() override { writes.push_back("wake"); }
    };

    TEST_CASE("the command word is written first, then the rotation code and the area, and the wake comes last")
    {
        WriteLog log;
        WritePublication(768, MappedArea{32767, 0, 65535, 65535}, log);
        CHECK(log.writes == std::vector<std::string>{"command 8", "+96 768", "+208 32767", "+212 0", "+216 65535",
                                                     "+220 65535", "wake"});
    }
}
