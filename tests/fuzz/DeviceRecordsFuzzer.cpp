// What the device search and the read threads copy between the settings
// files, the key area and their own copies, in every build: a supported-device
// file and a device file of any content, tablets found and unplugged in any
// order, the panel writing anything into the key area (exactly its section's
// size, so a copy past it shows), key and mapping reloads, and the pen-button
// defaults by model. Promises: every copy stays inside its source and target,
// a read thread's table never claims more keys than its copy holds, and every
// file opened is closed.
#include "AttachedDeviceTable.h"
#include "DeviceReadState.h"
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "FuzzService.h"
#include "KeyAreaPublisher.h"
#include "PenButtonDefaults.h"
#include "ServiceCodes.h"
#include "SettingsFiles.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

#pragma pack(push, 1)
struct RecordsSetup {
    uint8_t build;
    int16_t failAfter;
    uint16_t supportedLength;
    uint16_t deviceFileLength;
};
#pragma pack(pop)

enum Op : uint8_t { FIND, UNPLUG, POKE, RELOAD_KEYS, RELOAD_MAPPING, DEFAULTS, OP_COUNT };

constexpr int THREADS = 4;
// Longer sequences find nothing new and every search clears a whole record buffer.
constexpr int MAX_OPS = 64;

class RecordsSession {
public:
    explicit RecordsSession(FuzzInput& input)
        : input_(input),
          setup_(input.Read<RecordsSetup>()),
          policy_(BuildPolicy::For(static_cast<ServiceBuild>(setup_.build % 3))),
          service_(policy_),
          settings_(service_.system, service_.files, policy_.files),
          publisher_(service_.context, policy_, settings_),
          table_(new TABLETINFO[SUPPORTED_TABLE_ENTRIES])
    {
        PutFile(SUPPORTED_DEVICES_FILE, setup_.supportedLength);
        PutFile(DEVICE_SETTINGS_FILE, setup_.deviceFileLength);
        service_.files.failAfter = setup_.failAfter;
        tableCount_ = settings_.ReadSupportedDeviceTable(table_.get());
    }

    void Run()
    {
        for (int ops = 0; ops < MAX_OPS && !input_.Done(); ++ops) {
            const uint8_t op = input_.Read<uint8_t>();
            const int thread = (op / OP_COUNT) % THREADS;
            switch (op % OP_COUNT) {
            case FIND: Find(thread); break;
            case UNPLUG: Unplug(thread); break;
            case POKE: Poke(); break;
            case RELOAD_KEYS: threads_[thread].ReloadKeys(service_.context.keyArea); break;
            case RELOAD_MAPPING: threads_[thread].ReloadMapping(service_.context.keyArea); break;
            default: ApplyPenButtonDefaults(service_.context); break;
            }
            RequireThreadTables();
            FuzzRequire(service_.files.openFiles == 0, "every file opened is closed");
        }
    }

private:
    void PutFile(const char* name, uint16_t length)
    {
        size_t taken = 0;
        const uint8_t* bytes = input_.Take(length, taken);
        service_.files.files[FuzzService::PathOf(name)].assign(bytes, bytes + taken);
    }

    // The search takes a pen interface matched to one table entry, as the device manager does.
    void Find(int thread)
    {
        const uint8_t pick = input_.Read<uint8_t>();
        TABLETINFO entry{};
        if (tableCount_ > 0)
            entry = table_[pick % tableCount_];
        else
            input_.Bytes(&entry, sizeof entry);  // no table: a made-up tablet
        if (!DeviceReadState::IsReadableLength(entry.InputReportByteLength_Pen))
            return;
        const int32_t keyCount = publisher_.LoadDeviceRecord(entry);
        FuzzRequire(keyCount >= 0 && keyCount <= publisher_.KeyRoom(), "the record's keys fit its buffer");
        if (!threads_[thread].Init(entry, publisher_.Head().mapping, keyCount, publisher_.Keys(), publisher_.KeyRoom()))
            return;
        publisher_.PublishRecord(keyCount);
        attached_.AddAttachedDevice(
            {entry.VID, entry.PID, entry.InputReportByteLength_Pen, entry.InputReportByteLength_Key});
    }

    void Unplug(int thread)
    {
        const TABLETINFO& header = threads_[thread].Header();
        attached_.RemoveAttachedDevice(header.VID, header.PID, header.InputReportByteLength_Pen);
        publisher_.ReloadRemainingDeviceSettings(attached_);
    }

    // The panel writes four bytes anywhere in the key area.
    void Poke()
    {
        const KeyAreaView& area = service_.context.keyArea;
        const uint16_t at = input_.Read<uint16_t>();
        const uint32_t value = input_.Read<uint32_t>();
        std::memcpy(area.base + at % (area.size - sizeof value + 1), &value, sizeof value);
    }

    // Every key a thread's table names is read, so a table past its copy shows.
    void RequireThreadTables()
    {
        for (const DeviceReadState& thread : threads_) {
            const KeyTableRef keys = thread.Keys();
            FuzzRequire(keys.count >= 0 && keys.count <= thread.KeyCount(), "a thread's table fits its copy");
            uint32_t sum = 0;
            for (int32_t i = 0; i < keys.count; ++i)
                sum += static_cast<uint32_t>(keys.keys[i].actionCode) + static_cast<uint8_t>(keys.keys[i].data[0]) +
                       static_cast<uint8_t>(keys.keys[i].parameters[127]);
            volatile uint32_t keep = sum;
            (void)keep;
        }
    }

    FuzzInput& input_;
    RecordsSetup setup_;
    const BuildPolicy& policy_;
    FuzzService service_;
    SettingsFiles settings_;
    KeyAreaPublisher publisher_;
    std::unique_ptr<TABLETINFO[]> table_;
    int tableCount_ = 0;
    AttachedDeviceTable attached_;
    DeviceReadState threads_[THREADS];
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    RecordsSession session(input);
    session.Run();
    return 0;
}
