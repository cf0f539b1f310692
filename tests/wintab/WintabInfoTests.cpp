// WTInfoA as the panel calls it: is there a tablet, the default system
// context and the orientation axes.
#include "WintabClient.h"

#include "ChildProcess.h"
#include "FakeService.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

wintab::LOGCONTEXTA DefaultSystemContext()
{
    wintab::LOGCONTEXTA context{};
    REQUIRE(WTInfoA(wintab::WTI_DEFSYSCTX, 0, &context) == sizeof context);
    return context;
}

}  // namespace

TEST_SUITE("wintab info")
{
    TEST_CASE("the library loaded is ours, not the system's")
    {
        HMODULE module = GetModuleHandleA("WinTab32.dll");
        REQUIRE(module != nullptr);
        char path[MAX_PATH] = {};
        GetModuleFileNameA(module, path, MAX_PATH - 1);
        CHECK(Lower(path) == Lower(PathNextToTest("WinTab32.dll")));
    }

    TEST_CASE("without a service there is no tablet interface and no context")
    {
        CHECK(WTInfoA(0, 0, nullptr) == 0);
        ContextWindow window;
        OpenContext context(window.Get());
        CHECK(context.Get() == nullptr);
    }

    TEST_CASE("either service build makes the tablet interface present")
    {
        for (FakeService::Form form : {FakeService::Form::ServiceProgram, FakeService::Form::Library}) {
            CAPTURE(static_cast<int>(form));
            FakeService service(form);
            REQUIRE(service.Start());
            CHECK(WTInfoA(0, 0, nullptr) == sizeof(wintab::LOGCONTEXTA));
        }
        CHECK(WTInfoA(0, 0, nullptr) == 0);
    }

    TEST_CASE("the default system context covers the key area's tablet and the desktop")
    {
        FakeService service;
        REQUIRE(service.Start());
        service.Tablet().xMin = 0;
        service.Tablet().xMax = 15200;
        service.Tablet().yMin = 0;
        service.Tablet().yMax = 9500;

        CHECK(WTInfoA(wintab::WTI_DEFSYSCTX, 0, nullptr) == sizeof(wintab::LOGCONTEXTA));
        wintab::LOGCONTEXTA context = DefaultSystemContext();
        CHECK(context.lcOptions == wintab::CXO_SYSTEM);
        CHECK(context.lcPktData == wintab::PANEL_PACKET_DATA);
        CHECK(context.lcInExtX == 15200);
        CHECK(context.lcInExtY == 9500);
        CHECK(context.lcOutOrgX == 0);
        CHECK(context.lcOutOrgY == 0);
        CHECK(context.lcOutExtX == 15200);
        CHECK(context.lcOutExtY == 9500);
        CHECK(context.lcSysOrgX == GetSystemMetrics(SM_XVIRTUALSCREEN));
        CHECK(context.lcSysOrgY == GetSystemMetrics(SM_YVIRTUALSCREEN));
        CHECK(context.lcSysExtX == GetSystemMetrics(SM_CXVIRTUALSCREEN));
        CHECK(context.lcSysExtY == GetSystemMetrics(SM_CYVIRTUALSCREEN));
        CHECK(context.lcSysExtX > 0);
    }

    TEST_CASE("a key area without a usable tablet gives the default tablet")
    {
        struct Case {
            const char* name;
            int32_t xMin, xMax, yMin, yMax;
        };
        const Case cases[] = {
            {"no device record", 0, 0, 0, 0},
            {"maximum below minimum", 500, 100, 0, 7000},
            {"negative minimum", -20, 100, 0, 7000},
        };
        FakeService service;
        REQUIRE(service.Start());
        for (const Case& c : cases) {
            CAPTURE(c.name);
            service.Tablet().xMin = c.xMin;
            service.Tablet().xMax = c.xMax;
            service.Tablet().yMin = c.yMin;
            service.Tablet().yMax = c.yMax;
            wintab::LOGCONTEXTA context = DefaultSystemContext();
            CHECK(context.lcInExtX == 10206);
            CHECK(context.lcInExtY == 7422);
        }
    }

    TEST_CASE("the orientation axes give the panel its tilt factors")
    {
        CHECK(WTInfoA(wintab::WTI_DEVICES, wintab::DVC_ORIENTATION, nullptr) == 3 * sizeof(wintab::AXIS));
        wintab::AXIS axes[3] = {};
        REQUIRE(WTInfoA(wintab::WTI_DEVICES, wintab::DVC_ORIENTATION, axes) == sizeof axes);
        CHECK(axes[0].axMin == 0);
        CHECK(axes[0].axMax == 3599);
        CHECK(axes[1].axMin == -900);
        CHECK(axes[1].axMax == 900);
        CHECK(axes[2].axMax == 3599);
        // The panel turns azimuth into radians with resolution / 2 pi: a full
        // circle of tenths must come out as 2 pi.
        double perRadian = (axes[0].axResolution >> 16) / 6.28318530718;
        CHECK(3600 / perRadian == doctest::Approx(6.28318530718));
        CHECK(axes[1].axResolution == 3600u << 16);
    }
}
