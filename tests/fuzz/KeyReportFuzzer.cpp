// Express-key reports through ProcessKeyReport in all three builds, with a
// key table of any size and content (exactly as long as its count, so a slot
// read beyond it shows) and the pen buttons acting through the same
// performer. Promises: nothing reads outside the tables, every text handed
// to the system is terminated, and once every key and pen button is up again
// nothing injected is left pressed.
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "FuzzService.h"
#include "ServiceCodes.h"

#include <cstring>
#include <memory>

namespace {

#pragma pack(push, 1)
struct KeySetup {
    uint8_t build;
    uint8_t flags;
    uint8_t keyCount;
    int32_t stateWord;
};
// One table entry in short: the rest of data and parameters is filled with
// `fill` and left unterminated when it is not zero.
struct KeyEntry {
    uint8_t action;
    uint8_t keys[6];
    uint8_t fill;
};
#pragma pack(pop)

constexpr uint8_t SWAPPED = 1, OVERLAY_WINDOW = 2, PHOTOSHOP = 4, NO_PROGRAM_FILES = 8, NO_REGISTRY = 16;
constexpr int MAX_TABLE_KEYS = 40;

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

        const int count = setup_.keyCount % (MAX_TABLE_KEYS + 1);
        table_.reset(new KEYACTION[count > 0 ? count : 1]);
        for (int i = 0; i < count; ++i)
            FillEntry(table_[i], input_);
        ref_.count = count;
        ref_.keys = count > 0 ? table_.get() : nullptr;
        for (KEYACTION& button : service_.pen->pen.penButton)
            FillEntry(button, input_);
        state_.stateWord = setup_.stateWord;
    }

    void Run()
    {
        while (!input_.Done()) {
            const uint8_t op = input_.Read<uint8_t>();
            if (op % 4 == 3)
                PenButton(op >> 2);
            else
                Report();
        }
        // Every key, the overlay button and both pen buttons come up.
        uint8_t released[KEY_REPORT_LENGTH] = {KEY_REPORT_ID};
        Feed(released);
        Feed(released);
        ReleasePenButtons();
        service_.RequireNothingHeld("every key and pen button released");
    }

private:
    static constexpr uint8_t KEY_REPORT_ID = 12;

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
        Feed(bytes);
    }

    // As the read thread hands a report over and keeps it as the previous one.
    void Feed(const uint8_t* bytes)
    {
        std::memcpy(state_.current, bytes, sizeof state_.current);
        service_.keys.ProcessKeyReport(TABLETINFO{}, ref_, state_);
        std::memcpy(state_.previous, state_.current, sizeof state_.previous);
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
        if (press)
            service_.context.flags.buttonState.fetch_or(bit);
        else
            service_.context.flags.buttonState.fetch_and(~bit);
        service_.keys.PerformAction(index, press ? 1 : 0, nullptr);
    }

    void ReleasePenButtons()
    {
        PenButton(1);
        PenButton(0);
    }

    FuzzInput& input_;
    KeySetup setup_;
    FuzzService service_;
    std::unique_ptr<KEYACTION[]> table_;
    KeyTableRef ref_;
    ExpressKeyState state_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    KeySession session(input);
    session.Run();
    return 0;
}
