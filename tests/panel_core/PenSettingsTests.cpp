// The pen page's arithmetic: the parameter list of both brands, the clamped
// sensitivities, the click marker, the curve points and the tilt dial.
#include "PenParameters.h"
#include "PressureCurve.h"
#include "TiltDial.h"
#include "TryHereStroke.h"

#include <doctest/doctest.h>

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

PENSETTINGS PenWith(int32_t pressure, int32_t click, int32_t tilt)
{
    PENSETTINGS pen;
    std::memset(&pen, 0, sizeof pen);
    pen.pressureSensitivity = pressure;
    pen.clickSensitivity = click;
    pen.tiltSensitivity = tilt;
    return pen;
}

wintab::PANELPACKET Packet(uint32_t cursor, uint32_t pressure, int32_t azimuth = 0, int32_t altitude = 0)
{
    wintab::PANELPACKET packet{};
    packet.cursor = cursor;
    packet.normalPressure = pressure;
    packet.azimuth = azimuth;
    packet.altitude = altitude;
    return packet;
}

}  // namespace

TEST_SUITE("pen settings")
{
    TEST_CASE("the parameter list by brand and model, and what each entry edits")
    {
        struct Case {
            const PenPagePolicy* policy;
            bool modelFlag;
            PenParameter expected[3];
            int count;
        } cases[] = {
            {&kStyloraPenPage, false, {PenParameter::Pressure, PenParameter::Tilt, PenParameter::Click}, 3},
            {&kStyloraPenPage, true, {PenParameter::Pressure, PenParameter::Click}, 2},
            {&kPenmiraPenPage, false, {PenParameter::Pressure, PenParameter::Click}, 2},
        };
        for (const Case& c : cases) {
            PenParameters list(*c.policy, c.modelFlag);
            REQUIRE(list.Count() == c.count);
            for (int i = 0; i < c.count; ++i) {
                PenParameterEntry entry{};
                REQUIRE(list.EntryAt(i, entry));
                CHECK(entry.parameter == c.expected[i]);
            }
            PenParameterEntry entry{};
            CHECK_FALSE(list.EntryAt(-1, entry));  // no choice: nothing happens
            CHECK_FALSE(list.EntryAt(c.count, entry));
        }
        PenParameterEntry second{};
        REQUIRE(PenParameters(kStyloraPenPage, true).EntryAt(1, second));
        CHECK(std::strcmp(second.englishText, "Nib Click Sensitivity") == 0);

        // Each entry reads and writes its own field and nothing else.
        PENSETTINGS pen = PenWith(1, 2, 3);
        PenParameters::Write(pen, PenParameter::Tilt, 150);
        CHECK(pen.tiltSensitivity == 150);
        CHECK(pen.pressureSensitivity == 1);
        CHECK(pen.clickSensitivity == 2);
        PenParameters::Write(pen, PenParameter::Click, 60);
        CHECK(PenParameters::Read(pen, PenParameter::Click) == 60);
        CHECK(PenParameters::DefaultOf(PenParameter::Click) == 43);
        CHECK(PenParameters::DefaultOf(PenParameter::Pressure) == 100);
        CHECK(PenParameters::DefaultOf(PenParameter::Tilt) == 100);
    }

    TEST_CASE("sensitivities outside 0..200 are clamped wherever they are shown or stored")
    {
        const PENSETTINGS wild = PenWith(INT_MIN, 5000, -7);
        CHECK(PenParameters::Read(wild, PenParameter::Pressure) == 0);
        CHECK(PenParameters::Read(wild, PenParameter::Click) == 200);
        CHECK(PenParameters::Read(wild, PenParameter::Tilt) == 0);
        PENSETTINGS pen = wild;
        PenParameters::Write(pen, PenParameter::Pressure, INT_MAX);
        CHECK(pen.pressureSensitivity == 200);

        // The click marker, the dial marker and the curve stay within their windows.
        CHECK(PenParameters::ClickMarker(INT_MIN) == 23);
        CHECK(PenParameters::ClickMarker(INT_MAX) == 68);
        CHECK(PenParameters::TiltMarker(INT_MAX) == 20);
        CHECK(PenParameters::TiltMarker(-1) == 0);
        PressureCurve curve;
        curve.Compute(INT_MAX);
        CHECK(curve.Sensitivity() == 200);
        curve.Compute(INT_MIN);
        CHECK(curve.Sensitivity() == 0);
        CHECK(curve.OnSetMessage(static_cast<uintptr_t>(-1), 1));
        CHECK(curve.MarkerX() == 200);
    }

    TEST_CASE("click marker and the messages each value sends")
    {
        const int32_t values[][2] = {{0, 23}, {43, 32}, {100, 43}, {200, 68}, {99, 43}, {101, 43}, {104, 44}, {95, 42}};
        for (const auto& pair : values) {
            CAPTURE(pair[0]);
            CHECK(PenParameters::ClickMarker(pair[0]) == pair[1]);
        }
        const PenViewMessage click = PenParameters::MessageFor(PenParameter::Click, 43);
        CHECK(click.target == PenViewMessage::Curve);
        CHECK(click.wParam == 32);
        CHECK(click.lParam == 1);
        const PenViewMessage tilt = PenParameters::MessageFor(PenParameter::Tilt, 150);
        CHECK(tilt.target == PenViewMessage::Dial);
        CHECK(tilt.wParam == 15);
        const PenViewMessage pressure = PenParameters::MessageFor(PenParameter::Pressure, 300);
        CHECK(pressure.target == PenViewMessage::Curve);
        CHECK(pressure.wParam == 200);
        CHECK(pressure.lParam == 0);
    }

    TEST_CASE("pressure curve points for soft, linear and firm sensitivities")
    {
        PressureCurve curve;
        for (int i = 0; i < PressureCurve::kPointCount; ++i) {
            CHECK(curve.PointAt(i).x == (i == 199 ? 200 : i));
            CHECK(curve.PointAt(i).y == (i == 199 ? 0 : 200 - i));
        }
        CHECK(curve.MarkerX() == 43);

        struct Case {
            int32_t sensitivity;
            int point;
            int32_t y;
        } cases[] = {{100, 100, 100}, {200, 100, 152}, {0, 100, 57}, {100, 1, 199}, {0, 1, 186}};
        for (const Case& c : cases) {
            CAPTURE(c.sensitivity);
            CAPTURE(c.point);
            curve.Compute(c.sensitivity);
            CHECK(curve.PointAt(c.point).x == c.point);
            CHECK(curve.PointAt(c.point).y == c.y);
            CHECK(curve.PointAt(0).y == 200);
            CHECK(curve.PointAt(199).x == 200);
            CHECK(curve.PointAt(199).y == 0);
            for (int i = 0; i < PressureCurve::kPointCount; ++i)
                CHECK(curve.PointAt(i).y >= 0);
        }
        // Firm curves rise above the window near their start (drawn clipped),
        // soft ones fall monotonically.
        curve.Compute(200);
        CHECK(curve.PointAt(1).y > 200);
        curve.Compute(0);
        for (int i = 1; i < PressureCurve::kPointCount; ++i)
            CHECK(curve.PointAt(i).y <= curve.PointAt(i - 1).y);

        // A marker message keeps the last sensitivity's curve; other lParams change nothing.
        curve.Compute(200);
        REQUIRE(curve.OnSetMessage(32, 1));
        CHECK(curve.MarkerX() == 32);
        CHECK(curve.Sensitivity() == 200);
        CHECK(curve.PointAt(100).y == 152);
        CHECK_FALSE(curve.OnSetMessage(100, 2));
        CHECK(curve.Sensitivity() == 200);
        REQUIRE(curve.OnSetMessage(0, 0));
        CHECK(curve.PointAt(100).y == 57);
    }

    TEST_CASE("tilt dial: factors from the axes, needle from the packets, marker from the sensitivity")
    {
        // Our WinTab32 reports tenths of a degree: 3600 per circle, altitude -900..900.
        wintab::AXIS axes[3] = {{0, 3599, 3, 3600u << 16}, {-900, 900, 3, 3600u << 16}, {0, 3599, 3, 3600u << 16}};
        TiltDial::Factors factors;
        REQUIRE(TiltDial::FactorsFromAxes(axes, factors));
        CHECK(factors.azimuthPerRadian == doctest::Approx(3600.0 / 6.28318530718));
        CHECK(factors.altitudeScale == doctest::Approx(3.6));
        CHECK(factors.altitudeMaximum == doctest::Approx(250.0));
        CHECK(TiltDial::FixedToReal(0x00018000u) == doctest::Approx(1.5));

        // A zero resolution leaves the factors at 1.0.
        TiltDial::Factors unchanged;
        axes[1].axResolution = 0;
        CHECK_FALSE(TiltDial::FactorsFromAxes(axes, unchanged));
        CHECK(unchanged.altitudeScale == 1.0);

        TiltDial dial;
        CHECK(dial.NeedleEnd().x == 20);
        CHECK(dial.NeedleEnd().y == 20);
        dial.SetFactors(factors);
        // Upright: no needle. Flat towards azimuth 0: straight up. Towards 90 degrees: to the right.
        dial.Feed(Packet(1, 0, 0, 900));
        CHECK(dial.NeedleEnd().x == 20);
        CHECK(dial.NeedleEnd().y == 20);
        dial.Feed(Packet(1, 0, 0, 0));
        CHECK(dial.NeedleEnd().x == 20);
        CHECK(dial.NeedleEnd().y == 20 - 41);
        dial.Feed(Packet(1, 0, 900, 450));
        CHECK(dial.NeedleEnd().x == 20 + 20);
        CHECK(dial.NeedleEnd().y == 20);
        // The eraser's negative altitude counts by its size; the extremes stay finite.
        dial.Feed(Packet(2, 0, 900, -450));
        CHECK(dial.NeedleEnd().x == 40);
        dial.Feed(Packet(1, 0, INT_MIN, INT_MIN));
        CHECK(std::abs(dial.NeedleEnd().x) <= 10020);
        CHECK(std::abs(dial.NeedleEnd().y) <= 10020);

        dial.SetMarker(PenParameters::TiltMarker(150));
        CHECK(dial.MarkerEnd().x == 20);
        CHECK(dial.MarkerEnd().y == 35);
        dial.SetMarker(UINT32_MAX);
        CHECK(dial.MarkerEnd().y == 20 + 10000);
    }

    TEST_CASE("try-here packets: width by pressure, the eraser, and the stroke flag")
    {
        TryHereStroke stylora(kStyloraPenPage);
        struct Case {
            uint32_t cursor;
            uint32_t pressure;
            TryHereStroke::Kind kind;
            int32_t size;
        } cases[] = {
            {1, 80, TryHereStroke::Kind::Draw, 2},     {1, 2046, TryHereStroke::Kind::Draw, 26},
            {1, 2047, TryHereStroke::Kind::Nothing, 0}, {1, 0, TryHereStroke::Kind::Nothing, 0},
            {1, UINT32_MAX, TryHereStroke::Kind::Nothing, 0}, {2, 400, TryHereStroke::Kind::Erase, 6},
            {3, 400, TryHereStroke::Kind::Nothing, 0},  {0, 400, TryHereStroke::Kind::Nothing, 0},
        };
        for (const Case& c : cases) {
            CAPTURE(c.cursor);
            CAPTURE(c.pressure);
            const TryHereStroke::Step step = stylora.Classify(Packet(c.cursor, c.pressure));
            CHECK(step.kind == c.kind);
            CHECK(step.size == c.size);
        }
        TryHereStroke penmira(kPenmiraPenPage);
        CHECK(penmira.Classify(Packet(1, 1023)).size == 26);
        CHECK(penmira.Classify(Packet(1, 1024)).kind == TryHereStroke::Kind::Nothing);

        // A stroke starts joined at the press, breaks outside the area and restarts inside.
        using Move = TryHereStroke::Move;
        CHECK(stylora.Advance(true) == Move::MoveTo);
        CHECK(stylora.Advance(true) == Move::LineTo);
        stylora.Begin();
        CHECK(stylora.Advance(true) == Move::LineTo);
        CHECK(stylora.Advance(false) == Move::Skip);
        CHECK(stylora.Advance(true) == Move::MoveTo);
        CHECK(penmira.Advance(false) == Move::LineTo);
    }
}
