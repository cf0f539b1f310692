#include "AttachedDeviceTable.h"
#include "PenButtonDefaults.h"
#include "RecordingSystem.h"
#include "ServiceCodes.h"
#include "ServiceContext.h"
#include "TabletRecordBuilder.h"
#include "TabletMatcher.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

namespace {

TABLETINFO Entry(uint16_t vid, uint16_t pid, uint16_t penLength, uint16_t keyLength, uint16_t outputLength = 0)
{
    return TabletRecordBuilder(vid, pid).PenReport(penLength).KeyReport(keyLength).OutputReport(outputLength).Model();
}

HidInterfaceInfo Interface(uint16_t vid, uint16_t pid, uint16_t usagePage, uint16_t usage, uint16_t input,
                           uint16_t output = 0)
{
    HidInterfaceInfo hid;
    hid.hasAttributes = true;
    hid.vid = vid;
    hid.pid = pid;
    hid.hasCaps = true;
    hid.usagePage = usagePage;
    hid.usage = usage;
    hid.inputReportLength = input;
    hid.outputReportLength = output;
    return hid;
}

// Two models, the second listed twice; then the end entry and one entry past it.
std::vector<TABLETINFO> SupportedTable()
{
    return {Entry(0x7A4B, 0x5A24, 10, 5), Entry(0x7A4B, 0x5A30, 8, 0), Entry(0x7A4B, 0x5A30, 9, 8), Entry(0, 0, 0, 0),
            Entry(0x1111, 0x2222, 10, 0)};
}

}  // namespace

TEST_SUITE("attached devices")
{
    TEST_CASE("a device takes the first free entry and a full table takes none")
    {
        AttachedDeviceTable table;
        CHECK(table.AddAttachedDevice({1, 2, 10, 5}));
        CHECK(table.AddAttachedDevice({3, 4, 8, 0}));
        CHECK(table.RemoveAttachedDevice(1, 2, 10));
        CHECK(table.AddAttachedDevice({5, 6, 10, 0}));
        CHECK(table.At(0).vid == 5);
        for (int filled = 2; filled < AttachedDeviceTable::CAPACITY; ++filled)
            REQUIRE(table.AddAttachedDevice({7, 8, 10, 0}));
        CHECK_FALSE(table.AddAttachedDevice({9, 9, 10, 0}));
        CHECK(table.At(AttachedDeviceTable::CAPACITY - 1).vid == 7);
    }

    TEST_CASE("removal clears the last entry that matches VID, PID and pen report length")
    {
        AttachedDeviceTable table;
        table.AddAttachedDevice({1, 2, 10, 5});
        table.AddAttachedDevice({1, 2, 8, 0});
        table.AddAttachedDevice({1, 2, 10, 7});
        CHECK(table.RemoveAttachedDevice(1, 2, 10));
        CHECK(table.At(2).IsFree());
        CHECK(table.At(0).keyReportLength == 5);
        CHECK(table.At(1).penReportLength == 8);
        CHECK_FALSE(table.RemoveAttachedDevice(1, 3, 10));
        CHECK_FALSE(table.At(0).IsFree());
        CHECK_FALSE(table.At(1).IsFree());
    }
}

TEST_SUITE("tablet matching")
{
    TEST_CASE("interfaces are classified by VID, PID and input report length")
    {
        struct Row {
            const char* what;
            HidInterfaceInfo hid;
            InterfaceKind kind;
            int entry;
        };
        HidInterfaceInfo noAttributes = Interface(0x7A4B, 0x5A24, 0x0D, 1, 10);
        noAttributes.hasAttributes = false;
        HidInterfaceInfo noCaps = Interface(0x7A4B, 0x5A24, 0x0D, 1, 10);
        noCaps.hasCaps = false;
        const Row rows[] = {
            {"pen interface", Interface(0x7A4B, 0x5A24, 0x0D, 1, 10), InterfaceKind::Pen, 0},
            {"key interface", Interface(0x7A4B, 0x5A24, 0xFF00, 1, 5), InterfaceKind::Key, 0},
            {"length of neither kind", Interface(0x7A4B, 0x5A24, 0x0D, 1, 12), InterfaceKind::None, -1},
            {"the first entry that matches decides", Interface(0x7A4B, 0x5A30, 0x0D, 1, 8), InterfaceKind::Pen, 1},
            {"a later entry of the same model", Interface(0x7A4B, 0x5A30, 0x0D, 1, 9), InterfaceKind::Pen, 2},
            {"unknown model", Interface(0x7A4B, 0x9999, 0x0D, 1, 10), InterfaceKind::None, -1},
            {"the mouse collection of a supported tablet", Interface(0x7A4B, 0x5A24, 1, 2, 10), InterfaceKind::None,
             -1},
            {"the mouse collection with the key length", Interface(0x7A4B, 0x5A24, 1, 2, 5), InterfaceKind::None, -1},
            {"Wine's virtual mouse", Interface(0x845E, 1, 1, 2, 5), InterfaceKind::None, -1},
            {"Wine's virtual keyboard", Interface(0x845E, 2, 1, 6, 9), InterfaceKind::None, -1},
            {"entries past the end entry are not read", Interface(0x1111, 0x2222, 0x0D, 1, 10), InterfaceKind::None,
             -1},
            {"no attributes", noAttributes, InterfaceKind::None, -1},
            {"no capabilities", noCaps, InterfaceKind::None, -1},
        };
        RecordingSystem system;
        TabletMatcher matcher(BuildPolicy::Reference(), system);
        const std::vector<TABLETINFO> table = SupportedTable();
        for (const Row& row : rows) {
            CAPTURE(row.what);
            const TabletMatch match = matcher.MatchTabletDevice(row.hid, table.data(), static_cast<int>(table.size()));
            CHECK(match.kind == row.kind);
            CHECK(match.entry == row.entry);
        }
    }

    TEST_CASE("a table without an end entry is walked no further than its size")
    {
        RecordingSystem system;
        TabletMatcher matcher(BuildPolicy::Reference(), system);
        const TABLETINFO table[] = {Entry(1, 2, 10, 0), Entry(3, 4, 10, 0)};
        CHECK(matcher.MatchTabletDevice(Interface(3, 4, 0x0D, 1, 10), table, 1).kind == InterfaceKind::None);
        CHECK(matcher.MatchTabletDevice(Interface(3, 4, 0x0D, 1, 10), table, 2).kind == InterfaceKind::Pen);
    }

    TEST_CASE("only the library form knows the virtual output device")
    {
        RecordingSystem system;
        const TABLETINFO table[] = {Entry(0x3C5E, 0x4E19, 0, 0, 19), Entry(0, 0, 0, 0)};
        const HidInterfaceInfo output = Interface(0x3C5E, 0x4E19, 0xFF00, 1, 0, 19);
        CHECK(TabletMatcher(BuildPolicy::Library(), system).MatchTabletDevice(output, table, 2).kind ==
              InterfaceKind::VirtualOutput);
        // Input length 0 equals the entry's pen length: the reference build sees a pen interface.
        CHECK(TabletMatcher(BuildPolicy::Reference(), system).MatchTabletDevice(output, table, 2).kind ==
              InterfaceKind::Pen);
        HidInterfaceInfo otherLength = output;
        otherLength.outputReportLength = 20;
        otherLength.inputReportLength = 3;
        CHECK(TabletMatcher(BuildPolicy::Library(), system).MatchTabletDevice(otherLength, table, 2).kind ==
              InterfaceKind::None);
    }

    TEST_CASE("the library form prints every entry it walks and every refusal")
    {
        RecordingSystem system;
        system.recordDebug = true;
        TabletMatcher matcher(BuildPolicy::Library(), system);
        const TABLETINFO table[] = {Entry(0x7A4B, 0x5A24, 10, 5, 0), Entry(0, 0, 0, 0)};
        matcher.MatchTabletDevice(Interface(0x7A4B, 0x5A24, 0x0D, 1, 12), table, 2);
        std::vector<SystemCall> lines = system.Of(SystemCall::Debug);
        REQUIRE(lines.size() == 4);
        CHECK(lines[0].text == "i 0:VID = 0x7a4b, PID = 0x5a24, OutputReportByteLength = 0, "
                               "InputReportByteLength_Pen = 10, InputReportByteLength_Key = 5\n");
        CHECK(lines[1].text == "HidAttributes: vid 0x7a4b, pid 0x5a24, outputLen = 0, inputLenPen = 12, "
                               "inputLenKey = 12\n");
        CHECK(lines[2].text.rfind("i 1:VID = 0x   0", 0) == 0);

        system.Clear();
        HidInterfaceInfo failing = Interface(0x7A4B, 0x5A24, 1, 2, 10);
        matcher.MatchTabletDevice(failing, table, 2);
        failing.hasCaps = false;
        matcher.MatchTabletDevice(failing, table, 2);
        failing.hasAttributes = false;
        matcher.MatchTabletDevice(failing, table, 2);
        lines = system.Of(SystemCall::Debug);
        REQUIRE(lines.size() == 3);
        CHECK(lines[0].text == "!!Mouse!!\n");
        CHECK(lines[1].text == "!!HidD_GetPreparsedData!!\n");
        CHECK(lines[2].text == "!!HidD_GetAttributes!!\n");

        RecordingSystem quiet;
        quiet.recordDebug = true;
        TabletMatcher(BuildPolicy::Reference(), quiet).MatchTabletDevice(failing, table, 2);
        CHECK(quiet.Of(SystemCall::Debug).empty());
    }
}

TEST_SUITE("pen-button defaults")
{
    TEST_CASE("the key area's product id picks the pen-button actions while they hold the default pair")
    {
        struct Row {
            uint16_t pid;
            int32_t before1;
            int32_t before2;
            int32_t button1;
            int32_t button2;
            int32_t modelFlag;
        };
        const int32_t dbl = ACTION_DOUBLE_CLICK, right = ACTION_RIGHT_CLICK;
        const Row rows[] = {{0x5A21, dbl, right, right, dbl, 1},
                            {0x5A24, right, dbl, right, dbl, 1},
                            {0x5A25, dbl, right, right, dbl, 1},
                            {0x5A22, right, dbl, dbl, right, 0},
                            {0x0000, dbl, right, dbl, right, 0},
                            // The user's choices stay; the model flag is set all the same.
                            {0x5A21, ACTION_KEYSTROKE, right, ACTION_KEYSTROKE, right, 1},
                            {0x5A22, right, right, right, right, 0},
                            {0x5A24, ACTION_DISABLED, ACTION_DISABLED, ACTION_DISABLED, ACTION_DISABLED, 1}};
        for (const Row& row : rows) {
            CAPTURE(row.pid);
            CAPTURE(row.before1);
            std::vector<uint8_t> keyArea(KEYAREA_SIZE_SERVICE, 0);
            PenSection pen{};
            pen.pen.penButton[0].actionCode = row.before1;
            pen.pen.penButton[1].actionCode = row.before2;
            pen.pen.penButton[0].data[0] = 'A';
            pen.pen.penButton[1].parameters[0] = 'B';
            ServiceContext context;
            context.policy = &BuildPolicy::Reference();
            context.keyArea = KeyAreaView{keyArea.data(), keyArea.size()};
            context.pen = &pen;
            context.keyArea.head()->record.info.PID = row.pid;

            ApplyPenButtonDefaults(context);
            CHECK(pen.pen.penButton[0].actionCode == row.button1);
            CHECK(pen.pen.penButton[1].actionCode == row.button2);
            CHECK(context.flags.modelFlag == row.modelFlag);
            // Only the action codes change.
            CHECK(pen.pen.penButton[0].data[0] == 'A');
            CHECK(pen.pen.penButton[1].parameters[0] == 'B');
        }
    }

    TEST_CASE("the library form keeps a right-click-first order once it saw such a model, the service does not")
    {
        struct Step {
            uint16_t pid;
            int32_t libraryButton1;
            int32_t serviceButton1;
        };
        // 0x6B12 is such a model only for the library form.
        const Step steps[] = {{0x5A22, ACTION_DOUBLE_CLICK, ACTION_DOUBLE_CLICK},
                              {0x6B12, ACTION_RIGHT_CLICK, ACTION_DOUBLE_CLICK},
                              {0x5A22, ACTION_RIGHT_CLICK, ACTION_DOUBLE_CLICK},
                              {0x5A24, ACTION_RIGHT_CLICK, ACTION_RIGHT_CLICK},
                              {0x0000, ACTION_RIGHT_CLICK, ACTION_DOUBLE_CLICK}};
        for (const BuildPolicy* policy : {&BuildPolicy::Library(), &BuildPolicy::Reference()}) {
            std::vector<uint8_t> keyArea(policy->keyAreaSize, 0);
            PenSection pen{};
            pen.pen.penButton[0].actionCode = ACTION_DOUBLE_CLICK;
            pen.pen.penButton[1].actionCode = ACTION_RIGHT_CLICK;
            ServiceContext context;
            context.policy = policy;
            context.keyArea = KeyAreaView{keyArea.data(), keyArea.size()};
            context.pen = &pen;
            for (const Step& step : steps) {
                CAPTURE(static_cast<int>(policy->build));
                CAPTURE(step.pid);
                context.keyArea.head()->record.info.PID = step.pid;
                ApplyPenButtonDefaults(context);
                const int32_t button1 = policy->penButtonsFollowModelFlag ? step.libraryButton1 : step.serviceButton1;
                CHECK(pen.pen.penButton[0].actionCode == button1);
                CHECK(pen.pen.penButton[1].actionCode ==
                      (button1 == ACTION_RIGHT_CLICK ? ACTION_DOUBLE_CLICK : ACTION_RIGHT_CLICK));
            }
            CHECK(context.flags.modelFlag == 1);
        }
    }
}
