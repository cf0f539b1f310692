#include "ServiceFixture.h"

#include <doctest/doctest.h>

#include <atomic>
#include <thread>

namespace {

constexpr uint32_t WINDOW_A = 0x100;
constexpr uint32_t WINDOW_B = 0x200;

SystemCall Proximity(uint32_t window, int32_t id)
{
    return SystemCall::PostOf(window, WT_PROXIMITY, static_cast<uint32_t>(id), PROXIMITY_ENTER);
}

}  // namespace

TEST_SUITE("client contexts")
{
    TEST_CASE("adding a context in each build")
    {
        struct Row { const char* build; const BuildPolicy& policy; bool posts; };
        const Row rows[] = {
            {"reference", BuildPolicy::Reference(), false},
            // The second brand greets at once, even a window of Corel Painter.
            {"second brand", BuildPolicy::SecondBrand(), true},
            // The library runs the overlap rules, which check the title.
            {"library", BuildPolicy::Library(), false},
        };
        for (const Row& row : rows) {
            CAPTURE(row.build);
            ServiceFixture f(row.policy);
            f.system.titles[WINDOW_A] = "Corel Painter 2020";
            f.DirtyRing();
            f.Add(7, WINDOW_A, CTX_STATUS_ON_TOP, CTX_OPTION_SYSTEM_CURSOR);
            CHECK(f.registry.Count() == 1);
            CHECK(f.context.flags.clientListChanged == 1);
            CHECK(f.RingEmptied());
            CHECK(f.system.Of(SystemCall::Post) ==
                  (row.posts ? std::vector<SystemCall>{Proximity(WINDOW_A, 7)} : std::vector<SystemCall>{}));
        }
    }

    TEST_CASE("enabling a context posts proximity only when it comes on top outside Corel Painter")
    {
        struct Row { uint32_t before, after; const char* title; bool posts; int32_t pointer; };
        const Row rows[] = {
            {CTX_STATUS_DISABLED | CTX_STATUS_ON_TOP, CTX_STATUS_ON_TOP, "Sketch", true, 0},
            {CTX_STATUS_DISABLED | CTX_STATUS_ON_TOP, CTX_STATUS_ON_TOP, "Corel Painter 12", false, 0},
            {CTX_STATUS_DISABLED, 0, "Sketch", false, 1},                   // enabled but not on top
            {CTX_STATUS_ON_TOP, CTX_STATUS_ON_TOP, "Sketch", false, 0},      // no change in the disabled bit
            {CTX_STATUS_ON_TOP, CTX_STATUS_DISABLED | CTX_STATUS_ON_TOP, "Sketch", false, 1},
        };
        for (const Row& row : rows) {
            CAPTURE(row.before);
            CAPTURE(row.after);
            CAPTURE(row.title);
            ServiceFixture f;
            f.system.titles[WINDOW_A] = row.title;
            f.Add(3, WINDOW_A, row.before);
            f.DirtyRing();
            f.system.Clear();
            f.Fields(3, 0, row.after);
            f.registry.OnContextEnable();
            CHECK(f.Status(3) == row.after);
            CHECK(f.RingEmptied());
            CHECK(f.context.flags.pointerOutput == row.pointer);
            CHECK(f.system.Of(SystemCall::Post).size() == (row.posts ? 1u : 0u));
        }
    }

    TEST_CASE("the library's enable keeps the left-button bit for a context without the system cursor")
    {
        ServiceFixture f(BuildPolicy::Library());
        f.Add(3, WINDOW_A, CTX_STATUS_DISABLED);
        f.Fields(3, 0, CTX_STATUS_ON_TOP | CTX_STATUS_OBSCURED);  // (s & 5) == 4 although obscured
        f.registry.OnContextEnable();
        CHECK(f.context.flags.pointerOutput == 0);
        CHECK((f.context.flags.buttonState & 1u) == 1u);
    }

    TEST_CASE("bringing B on top obscures A and keeps A's disabled bit")
    {
        for (uint32_t a : {CTX_STATUS_ON_TOP, CTX_STATUS_ON_TOP | CTX_STATUS_DISABLED}) {
            CAPTURE(a);
            ServiceFixture f;
            f.Add(1, WINDOW_A, a);
            f.Add(2, WINDOW_B, 0, CTX_OPTION_SYSTEM_CURSOR);
            f.system.Clear();
            f.Fields(2, 0, CTX_STATUS_ON_TOP);
            f.registry.OnContextOverlap();
            CHECK(f.Status(1) == ((a & CTX_STATUS_DISABLED) | CTX_STATUS_OBSCURED));
            CHECK(f.Status(2) == CTX_STATUS_ON_TOP);
            CHECK(f.context.flags.pointerOutput == 1);
            CHECK(f.system.Of(SystemCall::Post) == std::vector<SystemCall>{Proximity(WINDOW_B, 2)});
        }
    }

    TEST_CASE("which status changes make an overlap greet the window, by build")
    {
        struct Row { uint32_t before, after; bool reference, secondBrand, library; };
        const Row rows[] = {
            {CTX_STATUS_DISABLED | CTX_STATUS_ON_TOP, CTX_STATUS_ON_TOP, true, false, false},
            {CTX_STATUS_OBSCURED | CTX_STATUS_ON_TOP, CTX_STATUS_ON_TOP, false, true, true},
            {0, CTX_STATUS_OBSCURED | CTX_STATUS_ON_TOP, false, false, true},
        };
        for (const Row& row : rows) {
            const std::pair<const BuildPolicy*, bool> builds[] = {{&BuildPolicy::Reference(), row.reference},
                                                                  {&BuildPolicy::SecondBrand(), row.secondBrand},
                                                                  {&BuildPolicy::Library(), row.library}};
            for (const auto& build : builds) {
                CAPTURE(row.before);
                CAPTURE(row.after);
                CAPTURE(static_cast<int>(build.first->build));
                ServiceFixture f(*build.first);
                f.Add(4, WINDOW_A, row.before);
                f.system.Clear();
                f.Fields(4, 0, row.after);
                f.registry.OnContextOverlap();
                CHECK(f.Status(4) == row.after);
                CHECK(f.system.Of(SystemCall::Post).size() == (build.second ? 1u : 0u));
            }
        }
    }

    TEST_CASE("on-top contexts for packets, by build, in list order")
    {
        const uint32_t statuses[] = {4, 6, 5, 12, 0, 4};
        struct Row { const BuildPolicy& policy; std::vector<int32_t> ids; };
        const Row rows[] = {{BuildPolicy::Reference(), {0, 5}},
                            {BuildPolicy::SecondBrand(), {0, 3, 5}},
                            {BuildPolicy::Library(), {0, 1, 3, 5}}};
        for (const Row& row : rows) {
            ServiceFixture f(row.policy);
            f.context.policy = &BuildPolicy::Reference();  // plain appends, no overlap rules
            for (int32_t i = 0; i < 6; ++i)
                f.Add(i, WINDOW_A + static_cast<uint32_t>(i), statuses[i], static_cast<uint32_t>(i));
            f.context.policy = &row.policy;
            OnTopContexts out;
            REQUIRE(f.registry.CollectOnTopContexts(out) == static_cast<int>(row.ids.size()));
            for (int i = 0; i < out.count; ++i) {
                CHECK(out.ids[i] == row.ids[static_cast<size_t>(i)]);
                CHECK(out.windows[i] == WINDOW_A + static_cast<uint32_t>(out.ids[i]));
                CHECK(out.options[i] == static_cast<uint32_t>(out.ids[i]));
                CHECK(out.onTop[i] == 1);
            }
        }
    }

    TEST_CASE("collection stops at 32 contexts")
    {
        ServiceFixture f;
        for (int32_t i = 0; i < 40; ++i)
            f.Add(i, WINDOW_A, CTX_STATUS_ON_TOP);
        OnTopContexts out;
        CHECK(f.registry.CollectOnTopContexts(out) == MAX_ON_TOP_CONTEXTS);
        CHECK(out.ids[31] == 31);
    }

    TEST_CASE("removing takes out the first context of that id and nothing else")
    {
        ServiceFixture f;
        f.Add(1, WINDOW_A, CTX_STATUS_ON_TOP, CTX_OPTION_SYSTEM_CURSOR);
        f.Add(2, WINDOW_B, 0);
        f.Add(1, WINDOW_B, 0);
        f.context.flags.clientListChanged = 0;
        f.DirtyRing();
        f.registry.RemoveContext(99);
        CHECK(f.registry.Count() == 3);
        f.registry.RemoveContext(1);
        CHECK(f.registry.Count() == 2);
        CHECK(f.Status(1) == 0);  // the later context with the same id stays
        CHECK(f.context.flags.clientListChanged == 0);
        CHECK_FALSE(f.RingEmptied());
        uint32_t cursor = 7;
        CHECK(f.registry.GetOnTopSystemCursor(cursor) == 0);
        CHECK(cursor == 7);
    }

    TEST_CASE("the library gives the pointer back before removing a context")
    {
        ServiceFixture f(BuildPolicy::Library());
        f.context.flags.pointerOutput = 0;
        f.registry.RemoveContext(5);
        CHECK(f.context.flags.pointerOutput == 1);
    }

    TEST_CASE("a read thread may collect while the command thread adds and frees contexts")
    {
        ServiceFixture f;
        std::atomic<bool> done{false};
        std::thread reader([&] {
            OnTopContexts out;
            while (!done)
                f.registry.CollectOnTopContexts(out);
        });
        for (int32_t i = 0; i < 2000; ++i) {
            f.Add(i, WINDOW_A, CTX_STATUS_ON_TOP);
            f.registry.RemoveContext(i - 1);
            if (i % 100 == 0)
                f.registry.FreeContexts();
        }
        done = true;
        reader.join();
        CHECK(f.registry.Count() <= 1);
    }
}
