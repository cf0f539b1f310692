#include "SecurityAttributes.h"

#include <utility>

namespace {

constexpr DWORD ALL_ACCESS_MASK = 0x1FFFFF;
// A first guess at the size of the process's descriptor; a larger one is asked for when needed.
constexpr size_t DESCRIPTOR_GUESS = 256;

}  // namespace

SecurityAttributes::HeapBlock::HeapBlock(size_t size)
    : data_(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size)), size_(data_ != nullptr ? size : 0)
{
}

SecurityAttributes::HeapBlock::~HeapBlock()
{
    if (data_ != nullptr)
        HeapFree(GetProcessHeap(), 0, data_);
}

SecurityAttributes::HeapBlock::HeapBlock(HeapBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0))
{
}

SecurityAttributes::HeapBlock& SecurityAttributes::HeapBlock::operator=(HeapBlock&& other) noexcept
{
    if (this != &other) {
        if (data_ != nullptr)
            HeapFree(GetProcessHeap(), 0, data_);
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

bool SecurityAttributes::Init(bool openProcess)
{
    if (initialised_)
        return true;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    BYTE everyone[SECURITY_MAX_SID_SIZE] = {};
    if (!InitializeSid(everyone, &world, 1))
        return false;
    *GetSidSubAuthority(everyone, 0) = SECURITY_WORLD_RID;
    if (!(openProcess ? OpenProcessToEveryone(everyone) : BuildObjectDescriptor(everyone)))
        return false;
    attributes_.nLength = sizeof attributes_;
    attributes_.lpSecurityDescriptor = descriptor_.Get();
    attributes_.bInheritHandle = FALSE;
    initialised_ = true;
    return true;
}

bool SecurityAttributes::OpenProcessToEveryone(PSID everyone)
{
    HeapBlock current = ReadProcessDacl();
    if (!current)
        return false;
    BOOL present = FALSE, defaulted = FALSE;
    PACL old = nullptr;
    if (!GetSecurityDescriptorDacl(current.Get(), &present, &old, &defaulted))
        return false;
    HeapBlock extended = ExtendedAcl(present ? old : nullptr, everyone);
    if (!extended || !SetProcessDacl(static_cast<PACL>(extended.Get())))
        return false;
    descriptor_ = ReadProcessDescriptor();
    return static_cast<bool>(descriptor_);
}

bool SecurityAttributes::BuildObjectDescriptor(PSID everyone)
{
    HeapBlock acl = ExtendedAcl(nullptr, everyone);
    HeapBlock descriptor(sizeof(SECURITY_DESCRIPTOR));
    if (!acl || !descriptor || !InitializeSecurityDescriptor(descriptor.Get(), SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(descriptor.Get(), TRUE, static_cast<PACL>(acl.Get()), FALSE))
        return false;
    acl_ = std::move(acl);
    descriptor_ = std::move(descriptor);
    return true;
}

SecurityAttributes::HeapBlock SecurityAttributes::ReadProcessDacl()
{
    DWORD needed = 0;
    GetKernelObjectSecurity(GetCurrentProcess(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    if (needed == 0)
        return HeapBlock();
    HeapBlock descriptor(needed);
    if (!descriptor || !GetKernelObjectSecurity(GetCurrentProcess(), DACL_SECURITY_INFORMATION, descriptor.Get(),
                                                needed, &needed))
        return HeapBlock();
    return descriptor;
}

SecurityAttributes::HeapBlock SecurityAttributes::ExtendedAcl(PACL old, PSID everyone)
{
    ACL_SIZE_INFORMATION sizes{};
    sizes.AclBytesInUse = sizeof(ACL);
    if (old != nullptr && !GetAclInformation(old, &sizes, sizeof sizes, AclSizeInformation))
        return HeapBlock();
    const DWORD added = sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + GetLengthSid(everyone);
    const DWORD size = (sizes.AclBytesInUse + added + sizeof(DWORD) - 1) & ~static_cast<DWORD>(sizeof(DWORD) - 1);
    HeapBlock block(size);
    PACL acl = static_cast<PACL>(block.Get());
    if (acl == nullptr || !InitializeAcl(acl, size, ACL_REVISION))
        return HeapBlock();
    // The process keeps every access it granted, in the same order.
    for (DWORD index = 0; old != nullptr && index < old->AceCount; ++index) {
        void* ace = nullptr;
        if (!GetAce(old, index, &ace) ||
            !AddAce(acl, ACL_REVISION, MAXDWORD, ace, static_cast<const ACE_HEADER*>(ace)->AceSize))
            return HeapBlock();
    }
    if (!AddAccessAllowedAce(acl, ACL_REVISION, ALL_ACCESS_MASK, everyone))
        return HeapBlock();
    return block;
}

bool SecurityAttributes::SetProcessDacl(PACL acl)
{
    SECURITY_DESCRIPTOR descriptor;
    return InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
           SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) &&
           SetKernelObjectSecurity(GetCurrentProcess(), DACL_SECURITY_INFORMATION, &descriptor);
}

SecurityAttributes::HeapBlock SecurityAttributes::ReadProcessDescriptor()
{
    HeapBlock descriptor(DESCRIPTOR_GUESS);
    for (int attempt = 0; attempt < 2 && descriptor; ++attempt) {
        SECURITY_INFORMATION wanted = DACL_SECURITY_INFORMATION;
        DWORD needed = 0;
        if (GetUserObjectSecurity(GetCurrentProcess(), &wanted, descriptor.Get(),
                                  static_cast<DWORD>(descriptor.Size()), &needed))
            return IsValidSecurityDescriptor(descriptor.Get()) ? std::move(descriptor) : HeapBlock();
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= descriptor.Size())
            return HeapBlock();
        descriptor = HeapBlock(needed);
    }
    return HeapBlock();
}
