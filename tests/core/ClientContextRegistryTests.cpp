#include "ServiceFixture.h"

#include <doctest/doctest.h>

#include <atomic>
#include <thread>

namespace {
constexpr uint32_t A = 0x100, B = 0x200;
const BuildPolicy& REF = BuildPolicy::Reference();
const BuildPolicy& BRAND2 = BuildPolicy::SecondBrand();
const BuildPolicy& LIB = BuildPolicy::Library();
}  // namespace

TEST_SUITE("client contexts")
{
    TEST_CASE("adding flags the change and empties the ring, only the second brand greets at once")
    {
        for (const BuildPolicy* policy : {&REF, &BRAND2, &LIB}) {
            ServiceFixture f(*policy);
            f.system.titles[A] = "Corel Painter 2020";
            f.connection->writeIndex = 9;
            f.Add(7, A, CTX_STATUS_ON_TOP);
            CHECK(f.context.flags.clientsOrToolChanged == 1);
            CHECK(f.connection->writeIndex == 0);
            CHECK(f.system.calls.size() == (policy == &BRAND2 ? 1u : 0u));
        }
    }

    TEST_CASE("enabling posts proximity only for an enabled on-top context outside Corel Painter")
    {
        struct Row { const BuildPolicy& policy; uint32_t before, after; const char* title; size_t posts; int pointer; };
        const Row rows[] = {{REF, 5, 4, "Sketch", 1, 0}, {REF, 5, 4, "Corel Painter 12", 0, 0},
                            {REF, 1, 0, "Sketch", 0, 1}, {LIB, 1, 6, "Sketch", 1, 0}};  // library: (s & 5) == 4
        for (const Row& row : rows) {
            ServiceFixture f(row.policy);
            f.system.titles[A] = row.title;
            f.Add(3, A, row.before);
            f.system.Clear();
            f.Fields(3, 0, row.after);
            f.connection->writeIndex = 9;
            f.registry.OnContextEnable();
            CHECK(f.connection->writeIndex == 0);
            CHECK(f.context.flags.pointerOutput == row.pointer);
            CHECK(f.system.calls.size() == row.posts);
            // The library holds the left button for a context that draws without the system cursor.
            CHECK(f.context.flags.buttonState == (&row.policy == &LIB ? 1u : 0u));
        }
    }

    TEST_CASE("bringing B on top obscures A and keeps A's disabled bit")
    {
        for (uint32_t a : {4u, 5u}) {
            ServiceFixture f(REF);
            f.Add(1, A, a);
            f.Add(2, B, 0, CTX_OPTION_SYSTEM_CURSOR);
            f.Fields(2, 0, CTX_STATUS_ON_TOP);
            f.registry.OnContextOverlap();
            CHECK(f.Status(1) == (a == 4 ? 2u : 3u));
            CHECK(f.context.flags.pointerOutput == 1);
            CHECK(f.system.calls == std::vector<SystemCall>{SystemCall::PostOf(B, WT_PROXIMITY, 2, 1)});
        }
    }

    TEST_CASE("remove, enable and overlap of an unknown id change nothing")
    {
        for (const BuildPolicy* policy : {&REF, &BRAND2, &LIB}) {
            ServiceFixture f(*policy);
            f.Add(1, A, CTX_STATUS_ON_TOP);
            f.context.flags.clientsOrToolChanged.store(0);
            f.connection->writeIndex = 9;
            f.system.Clear();
            f.Fields(99, B, CTX_STATUS_ON_TOP);
            f.registry.OnContextOverlap();
            f.registry.OnContextEnable();
            f.registry.RemoveContext(99);
            CHECK(f.Status(1) == CTX_STATUS_ON_TOP);
            CHECK(f.Status(99) == 0xDEAD);
            CHECK(f.context.flags.clientsOrToolChanged == 0);
            CHECK(f.connection->writeIndex == 9);
            CHECK(f.system.calls.empty());
        }
    }

    TEST_CASE("the status changes that make an overlap greet the window, by build")
    {
        struct Row { uint32_t before, after; size_t reference, secondBrand, library; };
        for (const Row& row : {Row{5, 4, 1, 0, 0}, Row{6, 4, 0, 1, 1}, Row{0, 6, 0, 0, 1}}) {
            for (const BuildPolicy* policy : {&REF, &BRAND2, &LIB}) {
                ServiceFixture f(*policy);
                f.Add(4, A, row.before);
                f.system.Clear();
                f.Fields(4, 0, row.after);
                f.registry.OnContextOverlap();
                CHECK(f.system.calls.size() ==
                      (policy == &REF ? row.reference : policy == &LIB ? row.library : row.secondBrand));
            }
        }
    }

    TEST_CASE("on-top contexts for packets, by build, in list order")
    {
        const uint32_t statuses[] = {4, 6, 5, 12, 0, 4};
        const std::pair<const BuildPolicy*, std::vector<int32_t>> rows[] = {
            {&REF, {0, 5}}, {&BRAND2, {0, 3, 5}}, {&LIB, {0, 1, 3, 5}}};
        for (const auto& row : rows) {
            ServiceFixture f(*row.first);
            f.context.policy = &REF;  // plain appends, without the library's overlap rules
            for (int32_t i = 0; i < 6; ++i)
                f.Add(i, A, statuses[i]);
            f.context.policy = row.first;
            OnTopContexts out;
            f.registry.CollectOnTopContexts(out);
            CHECK(std::vector<int32_t>(out.ids, out.ids + out.count) == row.second);
        }
    }

    TEST_CASE("a report's own copy of the on-top contexts follows every command and only then")
    {
        ServiceFixture f(REF);
        OnTopContexts view;
        uint32_t seen = 0;
        auto ids = [&] {
            f.registry.RefreshOnTopContexts(view, seen);
            return std::vector<int32_t>(view.ids, view.ids + view.count);
        };
        CHECK(ids().empty());
        f.Add(1, A, CTX_STATUS_ON_TOP);
        CHECK(ids() == std::vector<int32_t>{1});
        view.count = 0;  // nothing changed: the copy is not collected again
        CHECK(ids().empty());
        f.Add(2, B, CTX_STATUS_ON_TOP);
        CHECK(ids() == std::vector<int32_t>{1, 2});
        f.Fields(1, A, CTX_STATUS_ON_TOP | CTX_STATUS_DISABLED);
        f.registry.OnContextEnable();
        CHECK(ids() == std::vector<int32_t>{2});
        f.Fields(1, A, CTX_STATUS_ON_TOP);
        f.registry.OnContextOverlap();  // 1 comes on top of 2
        CHECK(ids() == std::vector<int32_t>{1});
        f.registry.RemoveContext(1);
        CHECK(ids().empty());
        f.Add(3, A, CTX_STATUS_ON_TOP);
        CHECK(ids() == std::vector<int32_t>{3});
        f.registry.FreeContexts();
        CHECK(ids().empty());
    }

    TEST_CASE("removing takes out the first context of that id only, the library gives the pointer back")
    {
        for (const BuildPolicy* policy : {&REF, &LIB}) {
            ServiceFixture f(*policy);
            f.Add(1, A, 0);
            f.Add(1, B, 2);
            f.context.flags.clientsOrToolChanged = f.context.flags.pointerOutput = 0;
            f.registry.RemoveContext(99);
            f.registry.RemoveContext(1);
            CHECK(f.Status(1) == 2);
            CHECK(f.context.flags.clientsOrToolChanged == 0);
            CHECK(f.context.flags.pointerOutput == (policy == &LIB ? 1 : 0));
        }
    }

    TEST_CASE("a read thread may collect while the command thread adds and frees contexts")
    {
        ServiceFixture f(REF);
        std::atomic<bool> done{false};
        std::thread reader([&] {
            OnTopContexts out;
            while (!done)
                f.registry.CollectOnTopContexts(out);
        });
        for (int32_t i = 0; i < 2000; ++i) {
            f.Add(i, A, CTX_STATUS_ON_TOP);
            f.registry.RemoveContext(i - 1);
            if (i % 100 == 0)
                f.registry.FreeContexts();
        }
        done = true;
        reader.join();
        CHECK(f.Status(1999) == CTX_STATUS_ON_TOP);
        CHECK(f.Status(1998) == 0xDEAD);
    }
}
