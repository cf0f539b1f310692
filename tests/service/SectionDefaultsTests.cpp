// A second process opens the running service's sections by name and finds the
// creator's process id and the defaults the service writes without settings files.
#include "ChildProcess.h"
#include "ObjectNames.h"
#include "RunningService.h"
#include "SectionView.h"
#include "ServiceCodes.h"
#include "SharedSections.h"
#include "TabletRecordBuilder.h"
#include "TempFolder.h"

#include <doctest/doctest.h>

#include <cstring>

TEST_SUITE("shared sections")
{
    TEST_CASE("the service creates its three sections with their defaults")
    {
        RunningService service;
        REQUIRE(service.Start());
        const int32_t pid = static_cast<int32_t>(service.ProcessId());

        SectionView pen, keyArea, connection;
        REQUIRE(pen.Open(service.SectionName(objnames::PEN_SECTION)));
        REQUIRE(keyArea.Open(service.SectionName(objnames::KEY_AREA_SECTION)));
        REQUIRE(connection.Open(service.SectionName(objnames::CONNECTION_SECTION)));
        CHECK(pen.Int32At(0) == pid);
        CHECK(keyArea.Int32At(0) == pid);
        CHECK(connection.Int32At(0) == pid);

        const PENSETTINGS& settings = pen.As<PenSection>()->pen;
        CHECK(settings.toolId == -1);
        CHECK(settings.pressureSensitivity == 100);
        CHECK(settings.clickSensitivity == 43);
        CHECK(settings.tiltSensitivity == 100);
        CHECK(settings.penButtonCount == 1);
        CHECK(settings.disablePressure == 0);
        CHECK(settings.penButton[0].actionCode == ACTION_DOUBLE_CLICK);
        CHECK(settings.penButton[1].actionCode == ACTION_RIGHT_CLICK);

        const MAPPINGDEF& mapping = keyArea.As<KeyAreaSectionHead>()->record.mapping;
        CHECK(mapping.monitorListCount == 1);
        CHECK(mapping.monitorChoice == 0);
        CHECK(mapping.monitorFlags == 0);
        CHECK(mapping.screenArea.left == 0);
        CHECK(mapping.screenArea.right == 0xFFFF);
        CHECK(mapping.screenArea.bottom == 0xFFFF);
        CHECK(mapping.tabletArea.right == 10206);
        CHECK(mapping.tabletArea.bottom == 7422);

        const ConnectionSection* shared = connection.As<ConnectionSection>();
        CHECK(shared->registeredMessage == RegisterWindowMessageA(REGISTERED_MESSAGE_NAME));
        CHECK(shared->commandEvent != 0);
        CHECK(shared->readIndex == 0);
        CHECK(shared->writeIndex == 0);

        CHECK(service.Stop() == 1);
    }

    TEST_CASE("a pen settings file and a device record replace the defaults")
    {
        RunningService service;
        PENSETTINGS stored{};
        stored.toolId = 0x123;
        stored.pressureSensitivity = 150;
        stored.clickSensitivity = 60;
        std::vector<uint8_t> penFile(reinterpret_cast<uint8_t*>(&stored),
                                     reinterpret_cast<uint8_t*>(&stored) + sizeof stored);
        service.Settings().WriteFile("Tablet\\qxpen.ked", penFile);

        const std::vector<uint8_t> record = TabletRecordBuilder(0x7A4B, 0x5A24)
                                                .Keys(2)
                                                .Monitors(2)
                                                .TabletArea({10, 20, 3000, 2000})
                                                .Key(1, ACTION_SCROLL_UP)
                                                .Bytes();
        service.Settings().WriteFile("Tablet\\StyloraFind.ked", record);

        REQUIRE(service.Start());
        SectionView pen, keyArea;
        REQUIRE(pen.Open(service.SectionName(objnames::PEN_SECTION)));
        REQUIRE(keyArea.Open(service.SectionName(objnames::KEY_AREA_SECTION)));
        CHECK(pen.As<PenSection>()->pen.toolId == 0x123);
        CHECK(pen.As<PenSection>()->pen.pressureSensitivity == 150);
        const TABLETRECORD_HEAD& shown = keyArea.As<KeyAreaSectionHead>()->record;
        CHECK(shown.info.PID == 0x5A24);
        CHECK(shown.mapping.monitorListCount == 2);
        CHECK(shown.mapping.tabletArea.right == 3000);
        CHECK(RecordKeys(keyArea.Bytes() + KEYAREA_RECORD_OFFSET)[1].actionCode == ACTION_SCROLL_UP);
        CHECK(service.Stop() == 1);
    }

    TEST_CASE("a key area left smaller by the other build makes the start fail, not overrun it")
    {
        // The second brand's service made the key area for its 12 keys and still holds it.
        const std::string name = std::string(objnames::GLOBAL_PREFIX) + objnames::KEY_AREA_SECTION;
        HANDLE small = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                          static_cast<DWORD>(KEYAREA_SIZE_SECOND_BRAND), name.c_str());
        REQUIRE(small != nullptr);
        SectionView keyArea;
        REQUIRE(keyArea.Open(name));
        keyArea.As<KeyAreaSectionHead>()->processId = 4242;

        TempFolder settings;
        ChildProcess service;
        REQUIRE(service.Start("Inkbrid.exe", "-f", {"INKBRID_PROGRAM_FILES=" + settings.Path()}));
        // The foreground run's failure result, not a crash.
        CHECK(service.Wait(30000) == 0);
        CHECK(keyArea.Int32At(0) == 4242);
        SectionView pen;
        CHECK_FALSE(pen.Open(std::string(objnames::GLOBAL_PREFIX) + objnames::PEN_SECTION));
        keyArea.Close();
        CloseHandle(small);
    }
}
