// Contexts opened and closed through WTOpenA and WTClose reach the service
// as commands in the connection section.
#include "WintabClient.h"

#include "ChildProcess.h"
#include "FakeService.h"
#include "ServiceCodes.h"

#include <doctest/doctest.h>

#include <cstdio>
#include <memory>

namespace {

void CheckCommand(const RecordedCommand& command, int32_t code, int32_t id, HWND window, uint32_t options,
                  uint32_t status)
{
    CHECK(command.code == code);
    CHECK(command.contextId == id);
    CHECK(command.window == HandleToULong(window));
    CHECK(command.options == options);
    CHECK(command.status == status);
}

}  // namespace

TEST_SUITE("wintab contexts")
{
    TEST_CASE("an enabled context is added on top and brought over the others")
    {
        FakeService service;
        REQUIRE(service.Start());
        ContextWindow window;
        OpenContext context(window.Get());
        REQUIRE(context.Get() != nullptr);
        CHECK(context.Id() > 0);
        REQUIRE(service.WaitForCommands(2, 5000));
        std::vector<RecordedCommand> commands = service.Commands();
        uint32_t systemAndPackets = CTX_OPTION_SYSTEM_CURSOR | CTX_OPTION_PACKET_MESSAGES;
        CheckCommand(commands[0], CMD_ADD_CONTEXT, context.Id(), window.Get(), systemAndPackets, CTX_STATUS_ON_TOP);
        CheckCommand(commands[1], CMD_CONTEXT_OVERLAP, context.Id(), window.Get(), systemAndPackets,
                     CTX_STATUS_ON_TOP);
    }

    TEST_CASE("a context opened disabled is added disabled and left where it is")
    {
        FakeService service;
        REQUIRE(service.Start());
        ContextWindow window;
        OpenContext context(window.Get(), false);
        REQUIRE(context.Get() != nullptr);
        REQUIRE(service.WaitForCommands(1, 5000));
        REQUIRE(service.Settle(5000));
        std::vector<RecordedCommand> commands = service.Commands();
        REQUIRE(commands.size() == 1);
        CHECK(commands[0].code == CMD_ADD_CONTEXT);
        CHECK(commands[0].status == (CTX_STATUS_ON_TOP | CTX_STATUS_DISABLED));
    }

    TEST_CASE("context options become the service's option bits")
    {
        struct Case {
            uint32_t contextOptions;
            uint32_t serviceOptions;
        };
        const Case cases[] = {
            {0, 0},
            {wintab::CXO_SYSTEM, CTX_OPTION_SYSTEM_CURSOR},
            {wintab::CXO_MESSAGES, CTX_OPTION_PACKET_MESSAGES},
            {wintab::CXO_CSRMESSAGES, CTX_OPTION_CSRCHANGE_MESSAGES},
            {0x0002 | 0x4000 | 0x8000, 0},  // pen, margin options: nothing the service knows
            {0xFFFF, CTX_OPTION_SYSTEM_CURSOR | CTX_OPTION_PACKET_MESSAGES | CTX_OPTION_CSRCHANGE_MESSAGES},
        };
        FakeService service;
        REQUIRE(service.Start());
        ContextWindow window;
        size_t expected = 0;
        for (const Case& c : cases) {
            CAPTURE(c.contextOptions);
            wintab::LOGCONTEXTA logContext = PanelContext();
            logContext.lcOptions = c.contextOptions;
            HCTX handle = WTOpenA(window.Get(), &logContext, FALSE);
            REQUIRE(handle != nullptr);
            expected += 1;
            REQUIRE(service.WaitForCommands(expected, 5000));
            CHECK(service.Commands().back().options == c.serviceOptions);
            CHECK(WTClose(handle));
            expected += 1;
            REQUIRE(service.WaitForCommands(expected, 5000));
        }
    }

    TEST_CASE("closing a context removes it once")
    {
        FakeService service;
        REQUIRE(service.Start());
        ContextWindow window;
        wintab::LOGCONTEXTA logContext = PanelContext();
        HCTX handle = WTOpenA(window.Get(), &logContext, TRUE);
        REQUIRE(handle != nullptr);
        REQUIRE(service.WaitForCommands(2, 5000));
        CHECK(WTClose(handle));
        REQUIRE(service.WaitForCommands(3, 5000));
        RecordedCommand removed = service.Commands()[2];
        CHECK(removed.code == CMD_REMOVE_CONTEXT);
        CHECK(removed.contextId == static_cast<int32_t>(reinterpret_cast<uintptr_t>(handle)));

        CHECK_FALSE(WTClose(handle));
        REQUIRE(service.Settle(5000));
        CHECK(service.Commands().size() == 3);
    }

    TEST_CASE("contexts open at the same time have different ids")
    {
        FakeService service;
        REQUIRE(service.Start());
        ContextWindow window;
        OpenContext first(window.Get());
        OpenContext second(window.Get());
        REQUIRE(first.Get() != nullptr);
        REQUIRE(second.Get() != nullptr);
        CHECK(first.Id() != second.Id());
    }

    TEST_CASE("a context the library cannot serve is refused without a command")
    {
        FakeService service;
        REQUIRE(service.Start());
        ContextWindow window;
        wintab::LOGCONTEXTA panel = PanelContext();
        wintab::LOGCONTEXTA otherLayout = panel;
        otherLayout.lcPktData = 0x3FFF;
        CHECK(WTOpenA(window.Get(), nullptr, TRUE) == nullptr);
        CHECK(WTOpenA(nullptr, &panel, TRUE) == nullptr);
        CHECK(WTOpenA(reinterpret_cast<HWND>(static_cast<uintptr_t>(0x7654)), &panel, TRUE) == nullptr);
        CHECK(WTOpenA(window.Get(), &otherLayout, TRUE) == nullptr);
        CHECK(WTClose(nullptr) == FALSE);
        REQUIRE(service.Settle(5000));
        CHECK(service.Commands().empty());
    }

    TEST_CASE("the library form's commands go to its named event")
    {
        FakeService service(FakeService::Form::Library);
        REQUIRE(service.Start());
        // No handle to duplicate: only the name leads to the event.
        service.Connection().commandEvent = 0;
        ContextWindow window;
        {
            OpenContext context(window.Get());
            REQUIRE(context.Get() != nullptr);
        }
        REQUIRE(service.WaitForCommands(3, 5000));
        CHECK(service.Commands()[2].code == CMD_REMOVE_CONTEXT);
    }

    TEST_CASE("above version 5 the library form is preferred to the service program")
    {
        OSVERSIONINFOA version{};
        version.dwOSVersionInfoSize = sizeof version;
        REQUIRE(GetVersionExA(&version));
        REQUIRE(version.dwMajorVersion > 5);
        FakeService program(FakeService::Form::ServiceProgram);
        FakeService library(FakeService::Form::Library);
        REQUIRE(program.Start());
        REQUIRE(library.Start());
        ContextWindow window;
        OpenContext context(window.Get());
        REQUIRE(context.Get() != nullptr);
        REQUIRE(library.WaitForCommands(2, 5000));
        REQUIRE(program.Settle(5000));
        CHECK(program.Commands().empty());
    }

    TEST_CASE("a restarted service gets the commands through its new event")
    {
        auto first = std::make_unique<FakeService>();
        REQUIRE(first->Start());
        ContextWindow window;
        OpenContext context(window.Get());
        REQUIRE(context.Get() != nullptr);
        REQUIRE(first->WaitForCommands(2, 5000));

        // The new instance re-initialises the section the library still holds.
        FakeService second;
        REQUIRE(second.Start());
        first.reset();
        CHECK(WTClose(context.Get()));
        REQUIRE(second.WaitForCommands(1, 5000));
        CHECK(second.Commands()[0].code == CMD_REMOVE_CONTEXT);
        CHECK(second.Commands()[0].contextId == context.Id());
    }

    TEST_CASE("another process's contexts are added and removed, also when it forgets to close them")
    {
        for (const char* argument : {"close", "exit"}) {
            CAPTURE(argument);
            FakeService service;
            REQUIRE(service.Start());
            ChildProcess client;
            REQUIRE(client.Start("wintab_client.exe", argument));
            REQUIRE(client.Wait(20000) == 0);
            unsigned long id = 0, window = 0;
            REQUIRE(std::sscanf(client.Output().c_str(), "context %lu window %lu", &id, &window) == 2);
            REQUIRE(service.WaitForCommands(3, 5000));
            std::vector<RecordedCommand> commands = service.Commands();
            REQUIRE(commands.size() == 3);
            CheckCommand(commands[0], CMD_ADD_CONTEXT, static_cast<int32_t>(id),
                         reinterpret_cast<HWND>(static_cast<uintptr_t>(window)), CTX_OPTION_SYSTEM_CURSOR,
                         CTX_STATUS_ON_TOP);
            CHECK(commands[1].code == CMD_CONTEXT_OVERLAP);
            CHECK(commands[2].code == CMD_REMOVE_CONTEXT);
            CHECK(commands[2].contextId == static_cast<int32_t>(id));
        }
    }
}
