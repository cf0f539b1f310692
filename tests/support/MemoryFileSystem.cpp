#include "MemoryFileSystem.h"

#include <algorithm>
#include <cstring>

namespace {
// Far beyond any settings file; a position past it is a runaway seek.
constexpr uint64_t MAX_FILE_SIZE = 64u << 20;
}  // namespace

IFileSystem::Handle MemoryFileSystem::OpenExisting(const char* path, Access access)
{
    if (path == nullptr)
        return INVALID;
    auto found = files.find(path);
    if (found == files.end())
        return INVALID;
    OpenFile opened{&found->second, 0, access == Access::ReadWrite};
    ++openFiles;
    for (size_t i = 0; i < open_.size(); ++i) {
        if (open_[i].bytes == nullptr) {
            open_[i] = opened;
            return static_cast<Handle>(i);
        }
    }
    open_.push_back(opened);
    return static_cast<Handle>(open_.size() - 1);
}

MemoryFileSystem::OpenFile* MemoryFileSystem::Find(Handle file)
{
    if (file < 0 || static_cast<size_t>(file) >= open_.size() || open_[static_cast<size_t>(file)].bytes == nullptr)
        return nullptr;
    return &open_[static_cast<size_t>(file)];
}

bool MemoryFileSystem::Fails()
{
    if (failOnceAfter == 0) {
        failOnceAfter = -1;
        return true;
    }
    if (failOnceAfter > 0)
        --failOnceAfter;
    if (failAfter < 0)
        return false;
    if (failAfter == 0)
        return true;
    --failAfter;
    return false;
}

int32_t MemoryFileSystem::Read(Handle file, void* buffer, uint32_t size)
{
    OpenFile* f = Find(file);
    if (f == nullptr || Fails() || (buffer == nullptr && size > 0))
        return -1;
    const uint64_t length = f->bytes->size();
    const uint64_t got = f->position >= length ? 0 : std::min<uint64_t>(size, length - f->position);
    if (got > 0)
        std::memcpy(buffer, f->bytes->data() + f->position, static_cast<size_t>(got));
    f->position += got;
    return static_cast<int32_t>(got);
}

int32_t MemoryFileSystem::Write(Handle file, const void* buffer, uint32_t size)
{
    OpenFile* f = Find(file);
    if (f == nullptr || !f->writable)
        return -1;
    const bool passingFault = failOnceAfter == 0;
    const bool fails = Fails();
    if ((buffer == nullptr && size > 0) || f->position + size > MAX_FILE_SIZE)
        return -1;
    if (fails) {
        if (passingFault)
            Put(*f, buffer, size / 2);
        return -1;
    }
    Put(*f, buffer, size);
    return static_cast<int32_t>(size);
}

void MemoryFileSystem::Put(OpenFile& f, const void* buffer, uint32_t size)
{
    Bytes& bytes = *f.bytes;
    if (bytes.size() < f.position + size)
        bytes.resize(static_cast<size_t>(f.position + size));  // a gap left by a seek reads as zeros
    if (size > 0)
        std::memcpy(bytes.data() + f.position, buffer, size);
    f.position += size;
}

bool MemoryFileSystem::SeekRelative(Handle file, int64_t offset)
{
    OpenFile* f = Find(file);
    const int64_t limit = static_cast<int64_t>(MAX_FILE_SIZE);
    if (f == nullptr || Fails() || offset > limit || offset < -limit)
        return false;
    const int64_t target = static_cast<int64_t>(f->position) + offset;
    if (target < 0 || static_cast<uint64_t>(target) > MAX_FILE_SIZE)
        return false;
    f->position = static_cast<uint64_t>(target);
    return true;
}

int64_t MemoryFileSystem::Position(Handle file)
{
    OpenFile* f = Find(file);
    if (f == nullptr || Fails())
        return -1;
    return static_cast<int64_t>(f->position);
}

bool MemoryFileSystem::EndHere(Handle file)
{
    OpenFile* f = Find(file);
    if (f == nullptr || !f->writable || Fails())
        return false;
    f->bytes->resize(static_cast<size_t>(f->position));
    return true;
}

void MemoryFileSystem::Close(Handle file)
{
    OpenFile* f = Find(file);
    if (f == nullptr)
        return;
    *f = OpenFile{};
    --openFiles;
}
