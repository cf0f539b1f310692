// The service opens its own process to every user, so that clients running
// as the interactive user can reach its unnamed command event; seen from a
// second process that reads the service process's access list back.
#include "RunningService.h"
#include "ServiceCommander.h"

#include <doctest/doctest.h>

#include <cstring>
#include <vector>

namespace {

// A copy of a process's discretionary access list.
class ProcessAccessList {
public:
    explicit ProcessAccessList(HANDLE process)
    {
        DWORD needed = 0;
        GetKernelObjectSecurity(process, DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
        if (needed == 0)
            return;
        descriptor_.resize(needed);
        if (!GetKernelObjectSecurity(process, DACL_SECURITY_INFORMATION, descriptor_.data(), needed, &needed))
            descriptor_.clear();
    }

    PACL Acl() const
    {
        BOOL present = FALSE, defaulted = FALSE;
        PACL acl = nullptr;
        if (descriptor_.empty() ||
            !GetSecurityDescriptorDacl(const_cast<BYTE*>(descriptor_.data()), &present, &acl, &defaulted) || !present)
            return nullptr;
        return acl;
    }
    int Count() const { return Acl() != nullptr ? Acl()->AceCount : -1; }
    const ACE_HEADER* Ace(int index) const
    {
        void* ace = nullptr;
        return GetAce(Acl(), static_cast<DWORD>(index), &ace) ? static_cast<const ACE_HEADER*>(ace) : nullptr;
    }

private:
    std::vector<BYTE> descriptor_;
};

bool IsEveryone(const ACCESS_ALLOWED_ACE& ace)
{
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone))
        return false;
    const bool same = EqualSid(const_cast<DWORD*>(&ace.SidStart), everyone) != FALSE;
    FreeSid(everyone);
    return same;
}

}  // namespace

TEST_SUITE("process security")
{
    TEST_CASE("the service keeps its process's access list and adds all access for Everyone at the end")
    {
        RunningService service;
        REQUIRE(service.Start());
        HANDLE process = OpenProcess(READ_CONTROL, FALSE, service.ProcessId());
        REQUIRE(process != nullptr);
        const ProcessAccessList theirs(process);
        CloseHandle(process);
        // This process started with the same access list as the service did.
        const ProcessAccessList ours(GetCurrentProcess());
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
        CHECK(IsEveryone(allowed));

        // A client reaches the unnamed command event through the process.
        ServiceCommander commander;
        CHECK(commander.Open(true));
        CHECK(service.Stop() == 1);
    }
}
