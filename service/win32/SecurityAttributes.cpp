#include "SecurityAttributes.h"

namespace {
constexpr DWORD ALL_ACCESS_MASK = 0x1FFFFF;
}

SecurityAttributes::~SecurityAttributes()
{
    if (everyone_ != nullptr)
        FreeSid(everyone_);
}

bool SecurityAttributes::Init()
{
    if (initialised_)
        return true;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone_))
        return false;
    DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(everyone_) - sizeof(DWORD);
    acl_.assign(aclSize, 0);
    PACL acl = reinterpret_cast<PACL>(acl_.data());
    if (!InitializeAcl(acl, aclSize, ACL_REVISION) || !AddAccessAllowedAce(acl, ACL_REVISION, ALL_ACCESS_MASK, everyone_))
        return false;
    if (!InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE))
        return false;
    attributes_.nLength = sizeof attributes_;
    attributes_.lpSecurityDescriptor = &descriptor_;
    attributes_.bInheritHandle = FALSE;
    initialised_ = true;
    return true;
}
