// The panel's readers and writers of records: the plugged-in tablet list,
// the pen settings file of older systems, and the main dialog's rules.
#include "ConnectedTablets.h"
#include "MainDialogRules.h"
#include "MemoryFileSystem.h"
#include "TabletRecordBuilder.h"

#include <doctest/doctest.h>

#include <cstring>
#include <vector>

namespace {

constexpr const char* kTable = "C:\\pf\\Tablet\\StyloraInfo.ked";

TABLETINFO Model(uint16_t vid, uint16_t pid, int32_t keys)
{
    return TabletRecordBuilder(vid, pid).Keys(keys).Model();
}

std::vector<uint8_t> TableOf(const std::vector<TABLETINFO>& models)
{
    std::vector<uint8_t> bytes(models.size() * sizeof(TABLETINFO));
    if (!models.empty())
        std::memcpy(bytes.data(), models.data(), bytes.size());
    return bytes;
}

}  // namespace

TEST_CASE("the tablet list keeps each reported model once, in file order")
{
    MemoryFileSystem files;
    files.files[kTable] = TableOf({Model(0x7A4B, 0x5A22, 8), Model(0x7A4B, 0x6B12, 0), Model(0x1111, 0x2222, 4),
                                   Model(0x7A4B, 0x5A22, 12)});
    const USBIDPAIR reported[] = {{0x7A4B, 0x5A22}, {0x7A4B, 0x5A22}, {0x1111, 0x2222}, {0x845E, 0x0001}};

    const std::vector<TABLETINFO> kept = ConnectedTablets::Match(files, kTable, reported, 4);
    REQUIRE(kept.size() == 3);
    CHECK(kept[0].keyCount == 8);
    CHECK(kept[1].PID == 0x2222);
    CHECK(kept[2].keyCount == 12);
    CHECK(files.openFiles == 0);

    SUBCASE("no device reported: the file is read, nothing kept")
    {
        CHECK(ConnectedTablets::Match(files, kTable, reported, 0).empty());
    }
    SUBCASE("a count from the library is never trusted past the panel's room")
    {
        std::vector<USBIDPAIR> room(ConnectedTablets::kMaxReportedDevices + 8, USBIDPAIR{0, 0});
        room[ConnectedTablets::kMaxReportedDevices] = {0x1111, 0x2222};  // past the room: never looked at
        CHECK(ConnectedTablets::Match(files, kTable, room.data(), 1000).empty());
        CHECK(ConnectedTablets::Match(files, kTable, reported, -3).empty());
        CHECK(ConnectedTablets::UsableCount(65) == 64);
        CHECK(ConnectedTablets::UsableCount(-1) == 0);
    }
}

TEST_CASE("a short, garbage or missing device table gives what whole records it holds")
{
    MemoryFileSystem files;
    const USBIDPAIR reported[] = {{0x7A4B, 0x5A22}};
    CHECK(ConnectedTablets::Match(files, kTable, reported, 1).empty());

    std::vector<uint8_t> bytes = TableOf({Model(0x7A4B, 0x5A22, 8)});
    bytes.resize(bytes.size() + 100, 0x4B);  // a cut record after the whole one
    files.files[kTable] = bytes;
    CHECK(ConnectedTablets::Match(files, kTable, reported, 1).size() == 1);

    files.files[kTable] = std::vector<uint8_t>(159, 0x4B);
    CHECK(ConnectedTablets::Match(files, kTable, reported, 1).empty());

    files.files[kTable] = TableOf({Model(0x7A4B, 0x5A22, 8), Model(0x7A4B, 0x5A22, 9)});
    files.failAfter = 1;  // the second read fails
    CHECK(ConnectedTablets::Match(files, kTable, reported, 1).size() == 1);
    CHECK(files.openFiles == 0);
}

TEST_CASE("main dialog rules: pen id, plain models, page anchor, language item")
{
    CHECK(MainDialogRules::PenIdText(5, 1, false) == "ID: 500000001");
    CHECK(MainDialogRules::PenIdText(0x10005, 0xDEADBEEF, false) == "ID: 5DEADBEEF");
    CHECK(MainDialogRules::PenIdText(5, 1, true).empty());
    const uint8_t block[8] = {0, 0, 0xA, 0x12, 0x34, 0x56, 0x78, 0};
    CHECK(MainDialogRules::PenIdTextFromBlock(block, false) == "ID: A12345678");

    for (uint16_t pid : {0x5A21, 0x5A24, 0x5A25, 0x6B12, 0x6B13})
        CHECK(MainDialogRules::IsPlainModel(pid));
    CHECK_FALSE(MainDialogRules::IsPlainModel(0x5A22));

    const PageAnchor anchor = MainDialogRules::AnchorBeside({103, 131, 208, 173}, {100, 100, 620, 640});
    CHECK(anchor.x == 212);
    CHECK(anchor.y == 130);
    CHECK(anchor.cx == 620 - 212 - 2);
    CHECK(anchor.cy == 640 - 130 - 4);

    CHECK(MainDialogRules::OpensLanguageDialog(16));
    CHECK(MainDialogRules::OpensLanguageDialog(31));
    CHECK_FALSE(MainDialogRules::OpensLanguageDialog(32));
    CHECK_FALSE(MainDialogRules::OpensLanguageDialog(15));
}
