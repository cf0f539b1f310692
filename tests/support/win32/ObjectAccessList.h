// A copy of a kernel object's discretionary access list (a process, a
// section, an event), read through a handle opened with READ_CONTROL.
#pragma once

#include <windows.h>

#include <vector>

class ObjectAccessList {
public:
    explicit ObjectAccessList(HANDLE object)
    {
        DWORD needed = 0;
        GetKernelObjectSecurity(object, DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
        if (needed == 0)
            return;
        descriptor_.resize(needed);
        if (!GetKernelObjectSecurity(object, DACL_SECURITY_INFORMATION, descriptor_.data(), needed, &needed))
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
    // The mask an access-allowed entry grants Everyone; 0 when there is none.
    DWORD EveryoneMask() const
    {
        for (int index = 0; index < Count(); ++index) {
            const ACE_HEADER* ace = Ace(index);
            if (ace != nullptr && ace->AceType == ACCESS_ALLOWED_ACE_TYPE &&
                IsEveryone(*reinterpret_cast<const ACCESS_ALLOWED_ACE*>(ace)))
                return reinterpret_cast<const ACCESS_ALLOWED_ACE*>(ace)->Mask;
        }
        return 0;
    }

    static bool IsEveryone(const ACCESS_ALLOWED_ACE& ace)
    {
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        PSID everyone = nullptr;
        if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone))
            return false;
        const bool same = EqualSid(const_cast<DWORD*>(&ace.SidStart), everyone) != FALSE;
        FreeSid(everyone);
        return same;
    }

private:
    std::vector<BYTE> descriptor_;
};
