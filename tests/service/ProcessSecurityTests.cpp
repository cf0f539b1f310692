// The service opens its own process to every user, so that clients running
// as the interactive user can reach its unnamed command event; seen from a
// second process that reads the service process's access list back.
#include "ObjectAccessList.h"
#include "RunningService.h"
#include "ServiceCommander.h"

#include <doctest/doctest.h>

#include <cstring>

TEST_SUITE("process security")
{
    TEST_CASE("the service keeps its process's access list and adds all access for Everyone at the end")
    {
        RunningService service;
        REQUIRE(service.Start());
        HANDLE process = OpenProcess(READ_CONTROL, FALSE, service.ProcessId());
        REQUIRE(process != nullptr);
        const ObjectAccessList theirs(process);
        CloseHandle(process);
        // This process started with the same access list as the service did.
        const ObjectAccessList ours(GetCurrentProcess());
        REQUIRE(ours.Count() >= 0);
        REQUIRE(theirs.Count() == ours.Count() + 1);
        for (int index = 0; index < ours.Count(); ++index) {
            CAPTURE(index);
            REQUIRE(theirs.Ace(index) != nullptr);
            REQUIRE(theirs.Ace(index)->AceSize == ours.Ace(index)->AceSize);
            CHECK(std::memcmp(theirs.Ace(index), ours.Ace(index), ours.Ace(index)->AceSize) == 0);
        }
        const ACE_HEADER* added = theirs.Ace(ours.Count());
        REQUIRE(added != nullptr);
        REQUIRE(added->AceType == ACCESS_ALLOWED_ACE_TYPE);
        const ACCESS_ALLOWED_ACE& allowed = *reinterpret_cast<const ACCESS_ALLOWED_ACE*>(added);
        CHECK(allowed.Mask == 0x1FFFFF);
        CHECK(ObjectAccessList::IsEveryone(allowed));

        // A client reaches the unnamed command event through the process.
        ServiceCommander commander;
        CHECK(commander.Open(true));
        CHECK(service.Stop() == 1);
    }
}
