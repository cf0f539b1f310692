// Pen reports through ProcessPenReport in all three builds, mixed with what
// the rest of the service does meanwhile: commands, settings written by the
// panel, mapping reloads, a reader moving (or damaging) the ring indexes.
// Promises: every absolute position lies on the desktop, the ring indexes
// stay in 0..127, and after every proximity leave and every device removal
// nothing injected is left pressed.
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "FuzzService.h"
#include "PacketClock.h"
#include "ServiceCodes.h"
#include "ServiceCommands.h"
#include "TabletRecordBuilder.h"

#include <cstring>

namespace {

#pragma pack(push, 1)
struct PenSetup {
    uint8_t build;
    uint8_t flags;
    uint8_t parts;
    uint16_t penReportLength;
    int32_t xMin, xMax, yMin, yMax, pressureMin, pressureMax;
    RECT32 tabletArea, screenArea, keyAreaScreenArea;
    int32_t pressureSensitivity, clickSensitivity, tiltSensitivity, disablePressure;
    int32_t buttonAction[2];
    uint8_t buttonKeys[2][6];
    int32_t rotationCode;
    int64_t frequency;
    int32_t counterStep;
    uint16_t penFileLength;
};
#pragma pack(pop)

// PenSetup::flags
constexpr uint8_t TWO_MONITORS = 1, SWAPPED = 2, VIRTUAL_DEVICE = 4, PEN_FILE = 8, POINTER_OFF = 16,
                  CALIBRATION_WINDOW = 32, PAINTER_TITLES = 64, PAINT_IN_FRONT = 128;
// PenSetup::parts: parts of the service that may be missing.
constexpr uint8_t NO_KEY_AREA = 1, NO_FILTER = 2, NO_REGISTRY = 4, NO_RING = 8, MODEL_FLAG = 16,
                  NO_PROGRAM_FILES = 32;

enum Op : uint8_t { COMMAND = 8, PEN_SETTING, READER, DAMAGE_INDEX, MAPPING, TIME, REMOVED, OTHER, OP_COUNT };

constexpr size_t REPORT_BYTES = 10;
constexpr uint8_t LEAVE_STATUS = 0x80;
constexpr int64_t NOT_DAMAGED = INT64_MIN;

class PenSession {
public:
    explicit PenSession(FuzzInput& input)
        : input_(input), setup_(input.Read<PenSetup>()), service_(BuildPolicy::For(Build(setup_.build))),
          commands_(service_.context)
    {
        Configure();
    }

    void Run()
    {
        while (!input_.Done())
            Step(input_.Read<uint8_t>());
        // Every session ends with the pen leaving, then the device going away.
        Leave();
        Removed();
    }

private:
    static ServiceBuild Build(uint8_t value)
    {
        return static_cast<ServiceBuild>(value % 3);
    }

    void Configure()
    {
        FuzzSystem& system = service_.system;
        system.monitors = (setup_.flags & TWO_MONITORS) ? 2 : 1;
        system.swapped = (setup_.flags & SWAPPED) != 0;
        system.virtualDevice = (setup_.flags & VIRTUAL_DEVICE) != 0;
        system.calibrationWindow = (setup_.flags & CALIBRATION_WINDOW) ? 0x600 : 0;
        system.painterTitles = (setup_.flags & PAINTER_TITLES) != 0;
        system.paintInFront = (setup_.flags & PAINT_IN_FRONT) != 0;
        system.programFiles = (setup_.parts & NO_PROGRAM_FILES) == 0;
        system.frequency = setup_.frequency;
        system.counterStep = setup_.counterStep;

        ServiceContext& context = service_.context;
        if (setup_.parts & NO_KEY_AREA)
            context.keyArea = KeyAreaView{};
        if (setup_.parts & NO_FILTER)
            context.filter = nullptr;
        if (setup_.parts & NO_REGISTRY)
            context.registry = nullptr;
        if (setup_.parts & NO_RING)
            context.ring = nullptr;
        context.flags.modelFlag = (setup_.parts & MODEL_FLAG) ? 1 : 0;
        context.flags.pointerOutput = (setup_.flags & POINTER_OFF) ? 0 : 1;
        context.flags.rotationCode = setup_.rotationCode;
        PacketClock::Start(context, service_.state);

        header_ = TabletRecordBuilder(0, 0)
                      .PenReport(setup_.penReportLength)
                      .Extent(setup_.xMax, setup_.yMax, setup_.xMin, setup_.yMin)
                      .Pressure(setup_.pressureMax, setup_.pressureMin)
                      .Model();
        mapping_.tabletArea = setup_.tabletArea;
        mapping_.screenArea = setup_.screenArea;
        if (context.keyArea.valid()) {
            context.keyArea.head()->record.info = header_;
            context.keyArea.head()->record.mapping = mapping_;
            context.keyArea.head()->record.mapping.screenArea = setup_.keyAreaScreenArea;
        }

        PENSETTINGS& pen = service_.pen->pen;
        pen.pressureSensitivity = setup_.pressureSensitivity;
        pen.clickSensitivity = setup_.clickSensitivity;
        pen.tiltSensitivity = setup_.tiltSensitivity;
        pen.disablePressure = setup_.disablePressure;
        for (int i = 0; i < 2; ++i) {
            pen.penButton[i].actionCode = setup_.buttonAction[i];
            std::memcpy(pen.penButton[i].data, setup_.buttonKeys[i], sizeof setup_.buttonKeys[i]);
        }

        if (setup_.flags & PEN_FILE) {
            size_t taken = 0;
            const uint8_t* bytes = input_.Take(setup_.penFileLength % 2048, taken);
            service_.files.files[FuzzService::PathOf(PEN_SETTINGS_FILE)].assign(bytes, bytes + taken);
        }
    }

    void Step(uint8_t op)
    {
        service_.system.Trace("op %u", op % OP_COUNT);
        switch (op % OP_COUNT) {
        case COMMAND: Command(); break;
        case PEN_SETTING: PenSetting(); break;
        case READER: Reader(); break;
        case DAMAGE_INDEX: DamageIndex(); break;
        case MAPPING: Mapping(); break;
        case TIME: service_.system.counterStep = input_.Read<int32_t>(); break;
        case REMOVED: Removed(); break;
        case OTHER: Other(); break;
        default: Report(); break;
        }
        service_.RequireRingInRange(damagedRead_, damagedWrite_);
    }

    void Report()
    {
        uint8_t bytes[REPORT_BYTES];
        input_.Bytes(bytes, sizeof bytes);
        Feed(bytes);
    }

    void Feed(const uint8_t* bytes)
    {
        penInRange_ = bytes[1] != LEAVE_STATUS;
        OnTopContexts onTop;
        service_.system.Trace("report %02x %02x %02x%02x %02x%02x %02x %02x %02x, on top %d, pointer %d", bytes[0],
                              bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], bytes[6], bytes[7], bytes[8],
                              service_.registry.CollectOnTopContexts(onTop), service_.context.flags.pointerOutput.load());
        const int32_t readBefore = service_.connection->readIndex;
        const int32_t writeBefore = service_.connection->writeIndex;
        service_.sink.OnPenReport(this, bytes, REPORT_BYTES, header_, mapping_);
        NoteRingWrites(readBefore, writeBefore);
        // A leave ends the pen's strokes, a dropped one too.
        if (bytes[1] == LEAVE_STATUS)
            service_.RequireNothingHeld("proximity leave");
    }

    void Leave()
    {
        uint8_t bytes[REPORT_BYTES] = {2, LEAVE_STATUS};
        Feed(bytes);
    }

    // The read thread's removal path (no express keys here to let go of).
    void Removed()
    {
        service_.sink.OnDeviceRemoved(this, header_, mapping_, penInRange_, noKeys_);
        service_.RequireNothingHeld("device removal");
    }

    void Command()
    {
        ConnectionSection& connection = *service_.connection;
        const uint8_t code = input_.Read<uint8_t>();
        service_.system.Trace("command %u", code % 20);
        connection.contextId = input_.Read<uint8_t>() % 8;
        connection.contextWindow = 0x100 + input_.Read<uint8_t>();
        connection.contextOptions = input_.Read<uint8_t>();
        connection.contextStatus = input_.Read<uint8_t>();
        const int32_t readBefore = connection.readIndex;
        const int32_t writeBefore = connection.writeIndex;
        commands_.Perform(code % 20);
        NoteRingWrites(readBefore, writeBefore);
    }

    void PenSetting()
    {
        PENSETTINGS& pen = service_.pen->pen;
        const uint8_t field = input_.Read<uint8_t>();
        const int32_t value = input_.Read<int32_t>();
        switch (field % 8) {
        case 0: pen.pressureSensitivity = value; break;
        case 1: pen.clickSensitivity = value; break;
        case 2: pen.tiltSensitivity = value; break;
        case 3: pen.disablePressure = value; break;
        case 4: pen.penButton[0].actionCode = value; break;
        case 5: pen.penButton[1].actionCode = value; break;
        case 6: std::memcpy(pen.penButton[(value >> 8) & 1].data + (value & 0xFF) % 6, &value, 1); break;
        default: pen.toolId = static_cast<int16_t>(value); break;
        }
    }

    // A reader in another process takes packets: the read index moves within the ring.
    void Reader()
    {
        service_.connection->readIndex = input_.Read<uint8_t>() % RING_CAPACITY;
        damagedRead_ = NOT_DAMAGED;
    }

    // Something else writes an index with any value at all.
    void DamageIndex()
    {
        const uint8_t which = input_.Read<uint8_t>();
        const int32_t value = input_.Read<int32_t>();
        if (which & 1) {
            service_.connection->writeIndex = value;
            damagedWrite_ = value;
        } else {
            service_.connection->readIndex = value;
            damagedRead_ = value;
        }
    }

    // The panel changed the mapping block; the read thread reloads its copy.
    void Mapping()
    {
        const uint8_t which = input_.Read<uint8_t>();
        RECT32 rect;
        input_.Bytes(&rect, sizeof rect);
        if (which & 1)
            mapping_.tabletArea = rect;
        else
            mapping_.screenArea = rect;
        if ((which & 2) && service_.context.keyArea.valid())
            service_.context.keyArea.head()->record.mapping.screenArea = rect;
    }

    void Other()
    {
        ServiceContext& context = service_.context;
        const uint8_t what = input_.Read<uint8_t>();
        switch (what % 4) {
        case 0: service_.system.swapped = !service_.system.swapped; break;
        case 1: service_.system.monitors = service_.system.monitors == 1 ? 2 : 1; break;
        case 2: context.flags.clientsOrToolChanged = 1; break;
        default: context.flags.rotationCode = static_cast<int32_t>(what >> 3) << 8; break;
        }
    }

    // A write through the ring puts a damaged index back in range.
    void NoteRingWrites(int32_t readBefore, int32_t writeBefore)
    {
        const ConnectionSection& connection = *service_.connection;
        if (connection.readIndex != readBefore || connection.writeIndex != writeBefore) {
            damagedRead_ = NOT_DAMAGED;
            damagedWrite_ = NOT_DAMAGED;
        }
    }

    FuzzInput& input_;
    PenSetup setup_;
    FuzzService service_;
    ServiceCommands commands_;
    TABLETINFO header_{};
    MAPPINGDEF mapping_{};
    bool penInRange_ = false;
    ExpressKeyState noKeys_;
    int64_t damagedRead_ = NOT_DAMAGED;
    int64_t damagedWrite_ = NOT_DAMAGED;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    PenSession session(input);
    session.Run();
    return 0;
}
