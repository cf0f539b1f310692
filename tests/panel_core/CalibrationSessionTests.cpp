// Calibration without the window: which lifts count, the order and size
// checks, the extrapolation of both brands and the second brand's tap filter.
#include "CalibrationSession.h"

#include <doctest/doctest.h>

#include <initializer_list>

namespace {

using Outcome = CalibrationSession::Outcome;

// One tap: the tip down at (x, y), then the lift somewhere else.
Outcome Tap(CalibrationSession& session, uint16_t x, uint16_t y, uint64_t now = 0)
{
    session.Feed(1, x, y, now);
    return session.Feed(0, 1, 1, now);
}

Outcome FourTaps(CalibrationSession& session, const uint16_t (&p)[8], uint64_t step = 1000)
{
    Outcome last = Outcome::None;
    for (int i = 0; i < 4; ++i)
        last = Tap(session, p[2 * i], p[2 * i + 1], step * static_cast<uint64_t>(i + 1));
    return last;
}

}  // namespace

TEST_CASE("only a lift right after the tip was down is a tap, at the last position while down")
{
    CalibrationSession session(StyloraCalibration(30), 1024, 768);
    CHECK(session.Feed(1, 500, 500, 0) == Outcome::None);
    CHECK(session.Feed(1, 510, 505, 0) == Outcome::None);   // several messages down: nothing
    CHECK(session.Feed(2, 600, 600, 0) == Outcome::None);   // a pen button, not the tip
    CHECK(session.Feed(0, 600, 600, 0) == Outcome::None);   // previous value 2: no tap
    CHECK(session.TapState() == 0);
    session.Feed(1, 510, 505, 0);
    CHECK(session.Feed(0, 9, 9, 0) == Outcome::NextTarget);
    CHECK((session.Tap(1).x == 510 && session.Tap(1).y == 505));
    CHECK(session.TapState() == 1);
    // Targets and erasures of the reference brand, inset 30.
    CHECK((session.Target(1).x == 30 && session.Target(1).y == 30));
    CHECK((session.Target(2).x == 994 && session.Target(2).y == 30));
    CHECK((session.Target(3).x == 994 && session.Target(3).y == 738));
    CHECK((session.Target(4).x == 30 && session.Target(4).y == 738));
    for (int n = 1; n <= 4; ++n)
        CHECK((session.ErasedAfter(n).x == session.Target(n).x && session.ErasedAfter(n).y == session.Target(n).y));
}

TEST_CASE("the reference brand extrapolates in double precision and clamps left and top at 0")
{
    struct Case {
        const char* name;
        uint16_t taps[8];
        Outcome outcome;
        RECT32 result;
    };
    const Case cases[] = {
        // L = 1000, R = 9000, T = 1000, B = 7000; 30 * 8000 / 964 = 248.96, 30 * 6000 / 708 = 254.2
        {"1024 x 768 at inset 30", {1000, 1000, 9000, 1000, 9000, 7000, 1000, 7000}, Outcome::Done,
         {751, 745, 9248, 7254}},
        {"left and top below 0 become 0", {100, 100, 9000, 100, 9000, 7000, 100, 7000}, Outcome::Done,
         {0, 0, 9276, 7292}},
        {"top-right tapped first", {9000, 1000, 1000, 1000, 9000, 7000, 1000, 7000}, Outcome::OrderError, {}},
        {"top taps at one x", {5000, 1000, 5000, 1000, 9000, 7000, 1000, 7000}, Outcome::OrderError, {}},
        {"left taps at one y", {1000, 1000, 9000, 1000, 9000, 7000, 1000, 1000}, Outcome::OrderError, {}},
        {"under 1000 units across", {1000, 1000, 1500, 1000, 1500, 7000, 1000, 7000}, Outcome::TooSmall, {}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        CalibrationSession session(StyloraCalibration(30), 1024, 768);
        const Outcome outcome = FourTaps(session, c.taps);
        CHECK(outcome == c.outcome);
        if (outcome == Outcome::Done) {
            CHECK(session.Result().left == c.result.left);
            CHECK(session.Result().top == c.result.top);
            CHECK(session.Result().right == c.result.right);
            CHECK(session.Result().bottom == c.result.bottom);
            CHECK(Tap(session, 5, 5) == Outcome::None);  // nothing after the result
        } else {
            // The pen answering the error box is no tap; then target 1 again.
            CHECK(session.TapState() == 4);
            CHECK(Tap(session, 5, 5) == Outcome::None);
            session.StartAgain();
            CHECK(Tap(session, 5, 5) == Outcome::NextTarget);
        }
    }
}

TEST_CASE("the second brand: insets by model, integer result without clamp, taps 500 ms apart")
{
    // The insets are the process's: a model's own stay for later tablets.
    PenmiraInsets insets;
    AdoptModelInsets(insets, 0x1234);
    CalibrationSession plain(PenmiraCalibration(insets), 1280, 1024);
    CHECK((plain.Target(2).x == 1135 && plain.Target(3).y == 879));
    AdoptModelInsets(insets, 0x6B01);
    AdoptModelInsets(insets, 0x1234);
    CHECK((PenmiraCalibration(insets).rightInset == 149 && PenmiraCalibration(insets).verticalInset == 149));
    AdoptModelInsets(insets, 0x6B13);

    CalibrationSession session(PenmiraCalibration(insets), 1280, 1024);
    CHECK((session.Target(1).x == 145 && session.Target(1).y == 145));
    CHECK((session.Target(2).x == 1280 - 149 && session.Target(2).y == 147));
    CHECK((session.Target(3).x == 1131 && session.Target(3).y == 1024 - 147));
    CHECK((session.Target(4).x == 145 && session.Target(4).y == 877));
    CHECK((session.ErasedAfter(1).x == 145 && session.ErasedAfter(1).y == 147));
    CHECK((session.ErasedAfter(4).x == 149 && session.ErasedAfter(4).y == 877));
    // Target 1 again: at (A, Y) after a wrong order, at (A, A) after a small rectangle.
    CHECK((session.RestartTarget(Outcome::OrderError).x == 145 && session.RestartTarget(Outcome::OrderError).y == 147));
    CHECK((session.RestartTarget(Outcome::TooSmall).x == 145 && session.RestartTarget(Outcome::TooSmall).y == 145));

    // Tap 2 only 400 ms after tap 1 is ignored, and restarts the wait.
    CHECK(Tap(session, 1000, 1000, 10000) == Outcome::NextTarget);
    CHECK(Tap(session, 9000, 1001, 10400) == Outcome::Ignored);
    CHECK(Tap(session, 9000, 1001, 10800) == Outcome::Ignored);
    CHECK(session.TapState() == 1);
    CHECK(Tap(session, 9001, 1001, 11300) == Outcome::NextTarget);
    CHECK(Tap(session, 9001, 7001, 11800) == Outcome::NextTarget);
    CHECK(Tap(session, 100, 7000, 12300) == Outcome::Done);
    // L = 550, R = 9001, T = 1000, B = 7000 (halved sums truncated); A = 145:
    // 8451 * 145 / 990 = 1237, 6000 * 145 / 734 = 1185; left stays negative.
    CHECK(session.Result().left == 550 - 1237);
    CHECK(session.Result().top == 1000 - 1185);
    CHECK(session.Result().right == 9001 + 1237);
    CHECK(session.Result().bottom == 7000 + 1185);
}

TEST_CASE("a window no wider or taller than twice the inset refuses calibration instead of dividing by zero")
{
    for (const CalibrationPolicy& policy : {StyloraCalibration(90), PenmiraCalibration(PenmiraInsets{})}) {
        CalibrationSession session(policy, 290, 180);
        CHECK_FALSE(session.HasRoom());
        session.Feed(1, 10, 10, 0);
        CHECK(session.Feed(0, 10, 10, 0) == Outcome::NoRoom);
        CHECK(session.TapState() == 0);
    }
    CHECK(CalibrationSession(StyloraCalibration(90), 181, 181).HasRoom());
}
