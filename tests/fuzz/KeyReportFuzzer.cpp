// Express-key reports as a read thread hands them over (DeviceReadState and
// the pipeline's sink) in all three builds: a key table of any size and
// content, key reloads from a key area the panel filled with anything, the
// pen buttons acting through the same performer, and reports of any pen
// report length. Promises: nothing reads outside the tables or the key area,
// every text handed to the system is terminated, and nothing injected stays
// pressed once every key and pen button is up again, or once the tablet is
// gone.
#include "DeviceReadState.h"
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "FuzzService.h"
#include "ServiceCodes.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

#pragma pack(push, 1)
struct KeySetup {
    uint8_t build;
    uint8_t flags;
    uint8_t keyCount;
    uint8_t penReportLength;
};
// One table entry in short: the rest of data and parameters is filled with
// `fill` and left unterminated when it is not zero.
struct KeyEntry {
    uint8_t action;
    uint8_t keys[6];
    uint8_t fill;
};
#pragma pack(pop)

constexpr uint8_t SWAPPED = 1, OVERLAY_WINDOW = 2, PHOTOSHOP = 4, NO_PROGRAM_FILES = 8, NO_REGISTRY = 16,
                  ENDS_IN_REMOVAL = 32;
constexpr int MAX_TABLE_KEYS = 40;
constexpr uint8_t KEY_REPORT_ID = 12;

enum Op : uint8_t { PEN_BUTTON = 5, KEY_RELOAD, SWAP, OP_COUNT };

int32_t ActionOf(uint8_t selector, FuzzInput& input)
{
    static const int32_t codes[] = {ACTION_DISABLED,    ACTION_LEFT_CLICK,  ACTION_RIGHT_CLICK, ACTION_MIDDLE_CLICK,
                                    ACTION_DOUBLE_CLICK, ACTION_SCROLL_UP,  ACTION_SCROLL_DOWN, ACTION_STRIP,
                                    ACTION_KEYSTROKE,   ACTION_LAUNCH};
    constexpr uint8_t count = sizeof codes / sizeof codes[0];
    if (selector % 16 < count)
        return codes[selector % 16];
    return input.Read<int32_t>();
}

void FillEntry(KEYACTION& action, FuzzInput& input)
{
    const KeyEntry entry = input.Read<KeyEntry>();
    std::memset(&action, 0, sizeof action);
    action.actionCode = ActionOf(entry.action, input);
    if (entry.fill != 0) {
        std::memset(action.data, entry.fill, sizeof action.data);
        std::memset(action.parameters, entry.fill, sizeof action.parameters);
    }
    std::memcpy(action.data, entry.keys, sizeof entry.keys);
}

class KeySession {
public:
    explicit KeySession(FuzzInput& input)
        : input_(input), setup_(input.Read<KeySetup>()), service_(BuildPolicy::For(Build(setup_.build)))
    {
        FuzzSystem& system = service_.system;
        system.swapped = (setup_.flags & SWAPPED) != 0;
        system.overlayWindow = (setup_.flags & OVERLAY_WINDOW) ? 0x700 : 0;
        system.photoshopInFront = (setup_.flags & PHOTOSHOP) != 0;
        system.programFiles = (setup_.flags & NO_PROGRAM_FILES) == 0;
        service_.context.flags.swappedButtons = system.swapped ? 1 : 0;
        if (setup_.flags & NO_REGISTRY)
            service_.context.registry = nullptr;
        else
            AddClients();

        // The table the device search gave the thread, exactly as long as its count.
        const int count = setup_.keyCount % (MAX_TABLE_KEYS + 1);
        std::unique_ptr<KEYACTION[]> table(new KEYACTION[count > 0 ? count : 1]);
        for (int i = 0; i < count; ++i)
            FillEntry(table[i], input_);
        for (KEYACTION& button : service_.pen->pen.penButton)
            FillEntry(button, input_);

        header_.InputReportByteLength_Pen =
            DeviceReadState::IsReadableLength(setup_.penReportLength) ? setup_.penReportLength : 10;
        mapping_.tabletArea = {0, 0, 10206, 7422};
        mapping_.screenArea = {0, 0, 0xFFFF, 0xFFFF};
        FuzzRequire(thread_.Init(header_, mapping_, count, count > 0 ? table.get() : nullptr, count),
                    "the key copy is made");
    }

    void Run()
    {
        while (!input_.Done()) {
            const uint8_t op = input_.Read<uint8_t>();
            switch (op % OP_COUNT) {
            case PEN_BUTTON: PenButton(op >> 3); break;
            case KEY_RELOAD: KeyReload(); break;
            case SWAP: service_.context.flags.swappedButtons = 1; break;
            default: Report(); break;
            }
        }
        if (setup_.flags & ENDS_IN_REMOVAL) {
            // The read thread's removal path, whatever is still down.
            thread_.Removed(service_.sink);
            service_.RequireNothingHeld("the tablet went away");
            return;
        }
        // Every key, the overlay button and both pen buttons come up.
        uint8_t released[KEY_REPORT_LENGTH] = {KEY_REPORT_ID};
        Feed(released);
        Feed(released);
        PenButton(1);
        PenButton(0);
        service_.RequireNothingHeld("every key and pen button released");
    }

private:
    static ServiceBuild Build(uint8_t value) { return static_cast<ServiceBuild>(value % 3); }

    // Second-brand group 1 goes to client windows.
    void AddClients()
    {
        ConnectionSection& connection = *service_.connection;
        for (int32_t id = 1; id <= 2; ++id) {
            connection.contextId = id;
            connection.contextWindow = 0x100 * static_cast<uint32_t>(id);
            connection.contextStatus = CTX_STATUS_ON_TOP;
            connection.contextOptions = id == 1 ? CTX_OPTION_PACKET_MESSAGES : 0;
            service_.registry.AddContext();
        }
    }

    void Report()
    {
        uint8_t bytes[KEY_REPORT_LENGTH];
        input_.Bytes(bytes, sizeof bytes);
        bytes[0] = KEY_REPORT_ID;
        Feed(bytes);
    }

    // One read of the pen report length (a short one carries fewer key bytes).
    void Feed(const uint8_t* bytes)
    {
        std::memset(thread_.ReadBuffer(), 0, DeviceReadState::READ_BUFFER_SIZE);
        std::memcpy(thread_.ReadBuffer(), bytes, std::min<size_t>(thread_.ReadLength(), KEY_REPORT_LENGTH));
        FuzzRequire(thread_.Dispatch(thread_.ReadLength(), service_.sink), "a read of the pen report length counts");
        const KeyTableRef keys = thread_.Keys();
        FuzzRequire(keys.count >= 0 && keys.count <= thread_.KeyCount(), "the table never grows past the copy");
    }

    // The panel saved a key table of any count and content; the thread reloads it.
    void KeyReload()
    {
        const KeyAreaView& area = service_.context.keyArea;
        const int32_t count = input_.Read<int8_t>();
        std::memcpy(area.base + KEYAREA_RECORD_KEYCOUNT_OFFSET, &count, sizeof count);
        const int entries = input_.Read<uint8_t>() % 4;
        for (int i = 0; i < entries && i < area.capacity(); ++i)
            FillEntry(RecordKeys(area.record())[input_.Read<uint8_t>() % area.capacity()], input_);
        thread_.ReloadKeys(area);
    }

    // A pen button changes as the pen pipeline presses and releases it.
    void PenButton(uint8_t what)
    {
        const bool second = (what & 1) != 0;
        const bool press = (what & 2) != 0;
        const bool shared = service_.context.policy->penButtonsShareSecondEntry;
        const uint32_t bit = second && !shared ? HELD_PEN_BUTTON2 : HELD_PEN_BUTTON1;
        const int index = second || shared ? 1 : 0;
        const bool held = (service_.context.flags.buttonState.load() & bit) != 0;
        if (press == held)
            return;  // the pipeline acts only on a change
        service_.state.penOwner = &thread_;  // pen buttons come with this tablet's pen reports
        if (press)
            service_.context.flags.buttonState.fetch_or(bit);
        else
            service_.context.flags.buttonState.fetch_and(~bit);
        service_.actions.PerformAction(index, press ? 1 : 0, nullptr);
    }

    FuzzInput& input_;
    KeySetup setup_;
    FuzzService service_;
    TABLETINFO header_{};
    MAPPINGDEF mapping_{};
    DeviceReadState thread_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    KeySession session(input);
    session.Run();
    return 0;
}
