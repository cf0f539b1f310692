// The second-brand service turns the pen by the rotation in the tablet's
// record until the rotation command changes it: seen at the desktop pointer.
#include "PenReportBuilder.h"
#include "ServiceCodes.h"
#include "ServiceCommander.h"
#include "SharedSections.h"
#include "TabletRecordBuilder.h"
#include "TabletBench.h"

#include <doctest/doctest.h>

#include <vector>

namespace {

const TABLETINFO ROTATED_MODEL = Model(0x7A4B, 0x2C01, 10, 0, 2);

// A device record whose mapping spreads the whole tablet over the whole desktop.
std::vector<uint8_t> WholeScreenRecord(const TABLETINFO& model, int32_t rotationCode)
{
    return TabletRecordBuilder(model).Rotation(rotationCode).Monitors(1).WholeDesktop().Bytes();
}

// Hovers at a quarter of the tablet's width until the pointer settles; its X in pixels.
LONG PointerAfterHoverAtQuarter(TestPipe& tablet, TabletBench& bench)
{
    const uint16_t x = static_cast<uint16_t>(ROTATED_MODEL.xMax / 4);
    const uint16_t y = static_cast<uint16_t>(ROTATED_MODEL.yMax / 2);
    // The sink echoes a report before the pipeline takes it: the fifth echo
    // shows the fourth hover's pointer move done.
    for (int i = 0; i < 5; ++i) {
        const RawPenReport report = penreport::Pen(penreport::HOVER, x, y, 0);
        REQUIRE(tablet.Send(std::vector<uint8_t>(report.bytes, report.bytes + report.length)));
        ReportEcho echo{};
        REQUIRE(bench.NextEcho(echo));
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    return cursor.x;
}

}  // namespace

TEST_SUITE("second-brand service")
{
    TEST_CASE("the tablet record's rotation turns the pointer until the rotation command changes it")
    {
        TabletBench bench("InkbridPenmira.exe");
        TestPipe* started = bench.StartWithTablet(ROTATED_MODEL, WholeScreenRecord(ROTATED_MODEL, 0x200));
        REQUIRE(started != nullptr);
        TestPipe& tablet = *started;
        const LONG width = GetSystemMetrics(SM_CXVIRTUALSCREEN);

        const RawPenReport tool = penreport::Tool(0x802);
        REQUIRE(tablet.Send(std::vector<uint8_t>(tool.bytes, tool.bytes + tool.length)));
        ReportEcho echo{};
        REQUIRE(bench.NextEcho(echo));
        // Turned by half a turn: a quarter from the left lands a quarter from the right.
        const LONG turned = PointerAfterHoverAtQuarter(tablet, bench);
        CHECK(turned > width * 6 / 10);

        ServiceCommander commander;
        REQUIRE(commander.Open(true));
        bench.KeyArea()->record.info.rotationCode = 0;
        REQUIRE(commander.Send(CMD_SET_ROTATION));
        const LONG upright = PointerAfterHoverAtQuarter(tablet, bench);
        CHECK(upright < width * 4 / 10);
        CHECK(bench.Stop() == 1);
    }
}
