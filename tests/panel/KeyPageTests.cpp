// The express-key page driven from outside: a function chosen from a key's
// menu, keys recorded on the on-screen keyboard, a program named in the
// launch dialog, and Save reaching the partner: the library form takes the
// keys through the key area and command 11 and writes the device file; on an
// older system the panel rewrites the device file itself, record by record.
// Either way the partner's read thread takes the keys from the reload event,
// and the scripted tablet's next press performs them.
#include "FocusedEdit.h"
#include "KeyboardLayout.h"
#include "LibraryHostBench.h"
#include "ObjectNames.h"
#include "PanelUnderTest.h"
#include "ScriptedReports.h"
#include "ServiceCodes.h"
#include "TabletRecordBuilder.h"
#include "TryHereDriver.h"
#include "ids_keys.h"
#include "ids_main.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint16_t kVid = 0x3C5E;
constexpr uint16_t kPid = 0x1A2B;
constexpr int kKeystrokeEntry = 6;  // left, right, middle, double, up, down, keystroke, launch, disable
constexpr int kLaunchEntry = 7;

TABLETINFO Tablet(uint16_t vid, uint16_t pid, int32_t keys)
{
    return TabletRecordBuilder(vid, pid).PenReport(10).Extent(10206, 7422).Pressure(1023).Keys(keys).Model();
}

Bytes Record(const TABLETINFO& info, int seed)
{
    return TabletRecordBuilder(info).Monitors(1).Keystrokes(seed).Bytes();
}

// A settings folder with three supported tablets, ours the 10-key one in the middle of the device file.
struct KeyPageSetup {
    TABLETINFO ours = Tablet(kVid, kPid, 10);
    Bytes before = Record(Tablet(kVid, 0x0001, 18), 40);
    Bytes mine = TabletRecordBuilder(ours).Monitors(1).TabletArea({11, 22, 3333, 4444}).Keystrokes(60).Bytes();
    Bytes after = Record(Tablet(0x256C, 0x0002, 1), 90);

    void Lay(PanelUnderTest& panel) const
    {
        std::vector<TABLETINFO> table{Tablet(kVid, 0x0001, 18), ours, Tablet(0x256C, 0x0002, 1)};
        panel.WriteSettingsFile("Tablet\\StyloraInfo.ked", table.data(), table.size() * sizeof(TABLETINFO));
        Bytes chain = before;
        chain.insert(chain.end(), mine.begin(), mine.end());
        chain.insert(chain.end(), after.begin(), after.end());
        panel.WriteSettingsFile("Tablet\\StyloraFind.ked", chain.data(), chain.size());
        SetEnvironmentVariableA("INKBRID_TEST_USB_IDS", "3C5E:1A2B");
    }
};

// Starts the panel beside its running partner and opens the key page; null when either fails.
HWND OpenKeyPage(PanelUnderTest& panel)
{
    if (!panel.StartPanel() || panel.WaitForMainWindow() == nullptr)
        return nullptr;
    REQUIRE(panel.SettlePartner());  // the library's command thread waits for the pulse
    panel.Click(IDC_KEY_SETTING);
    HWND page = nullptr;
    WaitUntil([&] { return (page = panel.VisiblePage()) != nullptr && GetDlgItem(page, 8192) != nullptr; }, 5000);
    return page;
}

// Clicks a key label and picks an entry of its function menu with the keyboard.
void ChooseFunction(const PanelUnderTest& panel, HWND page, int labelId, int entry)
{
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(labelId, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, labelId)));
    REQUIRE(panel.PickMenuEntry(entry));
}

// Clicks the keys with these codes on the keyboard dialog (the standard layout).
void ClickKeys(HWND keyboard, std::initializer_list<uint8_t> codes)
{
    RECT client{};
    GetClientRect(keyboard, &client);
    KeyboardLayout layout(kStyloraKeyboard);
    layout.SelectLayout(0);
    layout.ComputeKeyGeometry(client.right, client.bottom);
    for (uint8_t code : codes) {
        POINT at{-1, -1};
        layout.ForEachKey(client.right, [&](KEYDEF& key, const KeyRect& rect) {
            if (key.keyCode == code && at.x < 0)
                at = POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        });
        REQUIRE(at.x >= 0);
        SendMessageA(keyboard, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        SendMessageA(keyboard, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
}

// Presses "Key Setting" without waiting: the panel may answer with a modal message box.
void PressKeySetting(const PanelUnderTest& panel)
{
    PostMessageA(panel.MainWindow(), WM_COMMAND, MAKEWPARAM(IDC_KEY_SETTING, BN_CLICKED),
                 reinterpret_cast<LPARAM>(panel.Item(IDC_KEY_SETTING)));
}

Bytes DeviceFile(const PanelUnderTest& panel) { return panel.ReadSettingsFile("Tablet\\StyloraFind.ked"); }

// Lays the model's table and its record (every key disabled), plugs it as a
// scripted tablet and starts the partner; null unless the partner reads the
// tablet and names it in the key area.
TestPipe* StartWithScriptedTablet(PanelUnderTest& panel, const TABLETINFO& model)
{
    panel.WriteSettingsFile("Tablet\\StyloraInfo.ked", &model, sizeof model);
    const Bytes record = DeviceRecordOf(model);
    panel.WriteSettingsFile("Tablet\\StyloraFind.ked", record.data(), record.size());
    TestPipe& tablet = panel.AddTablet(PenInterfaceOf(model));
    char ids[16];
    std::snprintf(ids, sizeof ids, "%04X:%04X", model.VID, model.PID);
    SetEnvironmentVariableA("INKBRID_TEST_USB_IDS", ids);
    if (!panel.StartPartner() || !tablet.WaitConnected(5000))
        return nullptr;
    const bool named = WaitUntil([&] { return RecordHead(panel.KeyArea() + 4)->info.PID == model.PID; }, 5000);
    return named ? &tablet : nullptr;
}

// Presses Save (the panel has handled it when the call returns) and waits
// until the tablet's read thread has reset the key-reload event, that is,
// until it has taken the keys: reports sent after that meet the new keys.
bool SaveAndWaitForKeyReload(const PanelUnderTest& panel, const TABLETINFO& model)
{
    char name[objnames::NAME_BUFFER_SIZE];
    const bool global = panel.Partner() == PanelPartner::ServiceProgramOnXp;
    if (!objnames::FormatReloadEventName(name, sizeof name, global, true, model.VID, model.PID))
        return false;
    HANDLE reload = OpenEventA(SYNCHRONIZE, FALSE, name);
    if (reload == nullptr)
        return false;
    panel.Click(IDOK);
    const bool taken = WaitUntil([&] { return WaitForSingleObject(reload, 0) == WAIT_TIMEOUT; }, 5000);
    CloseHandle(reload);
    return taken;
}

// Records one key on the keyboard of the slot behind `labelId`, replacing what the slot held.
void RecordSingleKey(const PanelUnderTest& panel, HWND page, int labelId, uint8_t code)
{
    ChooseFunction(panel, page, labelId, kKeystrokeEntry);
    HWND keyboard = panel.WaitForPanelWindow("Keyboard");
    REQUIRE(keyboard != nullptr);
    PanelUnderTest::ClickIn(keyboard, IDC_KEYBOARD_CLEAN);
    ClickKeys(keyboard, {code});
    PanelUnderTest::ClickIn(keyboard, IDC_KEYBOARD_SAVE);
    REQUIRE(WaitUntil([&] { return !IsWindow(keyboard); }, 5000));
}

// What one press and release of key group 1's bits types into a focused edit window.
std::string TypedByKey(TestPipe& tablet, uint8_t group1)
{
    FocusedEdit window;
    window.Pump(100);
    REQUIRE(GetFocus() == window.Edit());
    for (uint8_t bits : {group1, uint8_t{0}}) {
        REQUIRE(tablet.Send(ExpressKeyReport(bits)));
        window.Pump(200);
    }
    return window.Text();
}

// The key page open beside a partner that reads a scripted desk tablet.
struct KeyPageWithTablet {
    explicit KeyPageWithTablet(PanelPartner partner) : panel(partner)
    {
        tablet = StartWithScriptedTablet(panel, model);
        REQUIRE(tablet != nullptr);
        page = OpenKeyPage(panel);
        REQUIRE(page != nullptr);
    }

    PanelUnderTest panel;
    const TABLETINFO model = DeskModel();
    TestPipe* tablet = nullptr;
    HWND page = nullptr;
};

// A named event that the launched test program sets.
class LaunchTrace {
public:
    LaunchTrace()
        : name_("inkbrid-test-launched-" + std::to_string(GetCurrentProcessId())),
          event_(CreateEventA(nullptr, TRUE, FALSE, name_.c_str()))
    {
    }
    ~LaunchTrace() { CloseHandle(event_); }
    LaunchTrace(const LaunchTrace&) = delete;
    LaunchTrace& operator=(const LaunchTrace&) = delete;

    const std::string& Name() const { return name_; }
    bool Seen(DWORD timeoutMs) const { return WaitForSingleObject(event_, timeoutMs) == WAIT_OBJECT_0; }

private:
    std::string name_;
    HANDLE event_;
};

const KEYACTION& KeyInFile(const Bytes& file, size_t recordAt, int slot)
{
    return RecordKeys(file.data() + recordAt)[slot];
}

}  // namespace

// A keypad of its own (0x7C31) is no tablet whose keys the page sets: the
// page passes over it to the next connected tablet, and with none the main
// window says there are no keys and shows no page.
TEST_CASE("Key page passes over the keypad-only tablet: the next tablet's keys are shown, the keypad alone has none")
{
    const TABLETINFO keypad = Tablet(kVid, 0x7C31, 18);
    const TABLETINFO ours = Tablet(kVid, kPid, 10);
    PanelUnderTest panel(PanelPartner::LibraryForm);
    const std::vector<TABLETINFO> table{keypad, ours};
    panel.WriteSettingsFile("Tablet\\StyloraInfo.ked", table.data(), table.size() * sizeof(TABLETINFO));
    Bytes chain = Record(keypad, 'K');
    const Bytes mine = Record(ours, 'A');
    chain.insert(chain.end(), mine.begin(), mine.end());
    panel.WriteSettingsFile("Tablet\\StyloraFind.ked", chain.data(), chain.size());

    SUBCASE("listed first, before another tablet")
    {
        SetEnvironmentVariableA("INKBRID_TEST_USB_IDS", "3C5E:7C31,3C5E:1A2B");
        REQUIRE(panel.StartPartner());
        REQUIRE(panel.StartPanel());
        REQUIRE(panel.WaitForMainWindow() != nullptr);
        PressKeySetting(panel);  // a no-keys box instead of the page fails here, not in a hang
        HWND page = nullptr;
        REQUIRE(WaitUntil([&] { return (page = panel.VisiblePage()) != nullptr && GetDlgItem(page, 8192); }, 5000));
        const HWND tablets = GetDlgItem(page, IDC_TABLET_ID);
        CHECK(SendMessageA(tablets, CB_GETCOUNT, 0, 0) == 2);
        CHECK(PanelUnderTest::WindowText(tablets) == "1A2B");
        CHECK(PanelUnderTest::WindowText(GetDlgItem(page, 8192)) == "{A}");
        CHECK(PanelUnderTest::WindowText(GetDlgItem(page, 8208)) == "{F}");
        CHECK(GetDlgItem(page, 8224) == nullptr);  // ten slots, not the keypad's eighteen
    }
    SUBCASE("alone")
    {
        SetEnvironmentVariableA("INKBRID_TEST_USB_IDS", "3C5E:7C31");
        REQUIRE(panel.StartPartner());
        REQUIRE(panel.StartPanel());
        REQUIRE(panel.WaitForMainWindow() != nullptr);
        PressKeySetting(panel);
        const HWND noKeys = panel.WaitForPanelWindow("Morvex");
        REQUIRE(noKeys != nullptr);
        PostMessageA(noKeys, WM_COMMAND, IDOK, 0);
        REQUIRE(WaitUntil([&] { return !IsWindow(noKeys); }, 3000));
        CHECK(panel.VisiblePage() == nullptr);
        CHECK(IsWindowEnabled(panel.MainWindow()));
    }
    SetEnvironmentVariableA("INKBRID_TEST_USB_IDS", nullptr);
}

TEST_CASE("Key page on an older system: keys recorded on the keyboard are saved into the device file, the chain kept")
{
    KeyPageSetup setup;
    PanelUnderTest panel(PanelPartner::ServiceProgramOnXp);
    setup.Lay(panel);
    REQUIRE(panel.StartPartner());
    HWND page = OpenKeyPage(panel);
    REQUIRE(page != nullptr);
    // The service shows the first record of the file, another tablet's: ours gets the default table.
    CHECK(PanelUnderTest::WindowText(GetDlgItem(page, 8192)) == "{Space}");
    CHECK(GetDlgItem(page, 8224) == nullptr);                          // ten slots: no lower rows

    ChooseFunction(panel, page, 8193, kKeystrokeEntry);
    HWND keyboard = panel.WaitForPanelWindow("Keyboard");
    REQUIRE(keyboard != nullptr);
    ClickKeys(keyboard, {162, 164, 46});
    PanelUnderTest::ClickIn(keyboard, IDC_KEYBOARD_SAVE);
    REQUIRE(WaitUntil([&] { return !IsWindow(keyboard); }, 5000));
    CHECK(PanelUnderTest::WindowText(GetDlgItem(page, 8193)) == "{Shift}{Ctrl}{Alt}{Del}");

    SUBCASE("Esc leaves the slot as it was")
    {
        ChooseFunction(panel, page, 8193, kKeystrokeEntry);
        keyboard = panel.WaitForPanelWindow("Keyboard");
        REQUIRE(keyboard != nullptr);
        ClickKeys(keyboard, {65});
        PostMessageA(keyboard, WM_COMMAND, IDCANCEL, 0);
        REQUIRE(WaitUntil([&] { return !IsWindow(keyboard); }, 5000));
        CHECK(PanelUnderTest::WindowText(GetDlgItem(page, 8193)) == "{Shift}{Ctrl}{Alt}{Del}");
    }

    panel.Click(IDOK);
    Bytes file;
    REQUIRE(WaitUntil([&] { return (file = DeviceFile(panel)).size() > setup.before.size() &&
                                   KeyInFile(file, setup.before.size(), 1).data[3] == 46; }, 5000));
    REQUIRE(file.size() == setup.before.size() + setup.mine.size() + setup.after.size());
    CHECK(Bytes(file.begin(), file.begin() + setup.before.size()) == setup.before);
    CHECK(Bytes(file.end() - setup.after.size(), file.end()) == setup.after);
    CHECK(std::equal(setup.mine.begin(), setup.mine.begin() + 236, file.begin() + setup.before.size()));
    const KEYACTION& saved = KeyInFile(file, setup.before.size(), 1);
    CHECK(saved.actionCode == ACTION_KEYSTROKE);
    // The keyboard opened with the slot's own key, then took three more.
    CHECK(saved.data[0] == 16);
    CHECK(static_cast<uint8_t>(saved.data[1]) == 162);
    CHECK(static_cast<uint8_t>(saved.data[2]) == 164);
    CHECK(KeyInFile(file, setup.before.size(), 0).data[0] == 32);  // the defaults saved with it
    // The key area held another tablet: it gets this one's whole record, its mapping from the file.
    CHECK(RecordKeys(panel.KeyArea() + 4)[1].data[3] == 46);
    CHECK(RecordHead(panel.KeyArea() + 4)->info.PID == kPid);
    CHECK(RecordHead(panel.KeyArea() + 4)->mapping.tabletArea.right == 3333);
}

TEST_CASE("Key page beside the library form: a launch path cut to its field is saved through command 11")
{
    KeyPageSetup setup;
    PanelUnderTest panel(PanelPartner::LibraryForm);
    setup.Lay(panel);
    REQUIRE(panel.StartPartner());
    HWND page = OpenKeyPage(panel);
    REQUIRE(page != nullptr);

    ChooseFunction(panel, page, 8208, kLaunchEntry);
    HWND launch = panel.WaitForPanelWindow("Utility");
    REQUIRE(launch != nullptr);
    const std::string path = "C:\\" + std::string(500, 'p') + ".exe";
    SendMessageA(GetDlgItem(launch, IDC_LAUNCH_PATH), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    SendMessageA(GetDlgItem(launch, IDC_LAUNCH_PARAMETERS), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("-x"));
    PanelUnderTest::ClickIn(launch, IDOK);
    REQUIRE(WaitUntil([&] { return !IsWindow(launch); }, 5000));
    CHECK(PanelUnderTest::WindowText(GetDlgItem(page, 8208)) == path.substr(0, 383));

    panel.Click(IDOK);
    CHECK(WaitUntil([&] { return panel.Connection()->command == CMD_SAVE_KEYS; }, 5000));
    const KEYACTION* area = RecordKeys(panel.KeyArea() + 4);
    CHECK(RecordHead(panel.KeyArea() + 4)->info.PID == kPid);
    CHECK(RecordHead(panel.KeyArea() + 4)->mapping.tabletArea.right == 3333);
    CHECK(area[5].actionCode == ACTION_LAUNCH);
    CHECK(std::string(area[5].data) == path.substr(0, 383));
    CHECK(std::string(area[5].parameters) == "-x");
    Bytes file;
    CHECK(WaitUntil([&] { return (file = DeviceFile(panel)).size() > setup.before.size() + 240 &&
                                 KeyInFile(file, setup.before.size(), 5).actionCode == ACTION_LAUNCH; }, 5000));
}

TEST_CASE("Keys saved beside the library form reach its read thread: the next press of the key types the new keystroke")
{
    KeyPageWithTablet bench(PanelPartner::LibraryForm);
    auto& [panel, model, tablet, page] = bench;

    RecordSingleKey(panel, page, 8192, 'J');
    CHECK(PanelUnderTest::WindowText(GetDlgItem(page, 8192)) == "{J}");
    REQUIRE(SaveAndWaitForKeyReload(panel, model));
    CHECK(panel.Connection()->command == CMD_SAVE_KEYS);
    CHECK(TypedByKey(*tablet, 1) == "j");
}

TEST_CASE("A launch action saved beside the library form starts its program when the key is released, not pressed")
{
    KeyPageWithTablet bench(PanelPartner::LibraryForm);
    auto& [panel, model, tablet, page] = bench;

    LaunchTrace trace;
    ChooseFunction(panel, page, 8193, kLaunchEntry);
    HWND launch = panel.WaitForPanelWindow("Utility");
    REQUIRE(launch != nullptr);
    const std::string program = PathNextToTest("LaunchTrace.exe");
    SendMessageA(GetDlgItem(launch, IDC_LAUNCH_PATH), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(program.c_str()));
    SendMessageA(GetDlgItem(launch, IDC_LAUNCH_PARAMETERS), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(trace.Name().c_str()));
    PanelUnderTest::ClickIn(launch, IDOK);
    REQUIRE(WaitUntil([&] { return !IsWindow(launch); }, 5000));
    REQUIRE(SaveAndWaitForKeyReload(panel, model));

    const KEYACTION& saved = RecordKeys(panel.KeyArea() + 4)[1];
    CHECK(saved.actionCode == ACTION_LAUNCH);
    CHECK(std::string(saved.data) == program);

    REQUIRE(tablet->Send(ExpressKeyReport(2)));
    CHECK_FALSE(trace.Seen(1500));  // long enough for a started program to have set it
    REQUIRE(tablet->Send(ExpressKeyReport(0)));
    CHECK(trace.Seen(20000));  // a first start under a busy machine can be slow
}

TEST_CASE("Keys saved on an older system reach the service program from the reload event: the next press types them")
{
    KeyPageWithTablet bench(PanelPartner::ServiceProgramOnXp);
    auto& [panel, model, tablet, page] = bench;

    RecordSingleKey(panel, page, 8194, 'M');
    REQUIRE(SaveAndWaitForKeyReload(panel, model));
    // The panel rewrote the tablet's record in place.
    const Bytes file = DeviceFile(panel);
    REQUIRE(file.size() == TabletRecordSize(model.keyCount));
    CHECK(KeyInFile(file, 0, 2).actionCode == ACTION_KEYSTROKE);
    CHECK(KeyInFile(file, 0, 2).data[0] == 'M');
    CHECK(TypedByKey(*tablet, 4) == "m");
}

// The second brand's service publishes a 12-slot key area. The bytes of the
// view's last page beyond the section's end carry a mark the panel must not
// touch, whatever the tablet's key count.
TEST_CASE("Second-brand eight-key page on an older system: keys reach the 12-slot key area, an 18-key tablet stays inside it")
{
    struct Case {
        const char* name;
        int32_t keys;
    };
    for (const Case& c : {Case{"eight keys", 8}, Case{"eighteen keys", 18}}) {
        CAPTURE(std::string(c.name));
        PanelUnderTest panel(PanelPartner::ServiceProgramOnXp, PanelBrandUnderTest::Penmira);
        const TABLETINFO ours = Tablet(kVid, kPid, c.keys);
        const Bytes mine = Record(ours, 60);
        panel.WriteSettingsFile("Tablet\\StyloraInfo.ked", &ours, sizeof ours);
        panel.WriteSettingsFile("Tablet\\StyloraFind.ked", mine.data(), mine.size());
        SetEnvironmentVariableA("INKBRID_TEST_USB_IDS", "3C5E:1A2B");
        REQUIRE(panel.StartPartner());

        MEMORY_BASIC_INFORMATION region{};
        REQUIRE(VirtualQuery(panel.KeyArea(), &region, sizeof region) != 0);
        REQUIRE(region.RegionSize >= KEYAREA_SIZE_SECOND_BRAND);
        const size_t tail = region.RegionSize - KEYAREA_SIZE_SECOND_BRAND;
        std::memset(panel.KeyArea() + KEYAREA_SIZE_SECOND_BRAND, 0xA5, tail);

        HWND page = OpenKeyPage(panel);
        REQUIRE(page != nullptr);
        ChooseFunction(panel, page, 8193, 1);  // right click
        REQUIRE(WaitUntil([&] { return PanelUnderTest::WindowText(GetDlgItem(page, 8193)) != "="; }, 5000));
        panel.Click(IDOK);
        Bytes file;
        REQUIRE(WaitUntil([&] { return (file = DeviceFile(panel)).size() >= mine.size() &&
                                       KeyInFile(file, 0, 1).actionCode == ACTION_RIGHT_CLICK; }, 5000));

        // The device file keeps every slot of the record, the edited one changed.
        REQUIRE(file.size() == mine.size());
        CHECK(std::equal(mine.begin(), mine.begin() + 236, file.begin()));
        for (int32_t k = 0; k < c.keys; ++k) {
            CAPTURE(k);
            if (k != 1)
                CHECK(KeyInFile(file, 0, k).data[0] == static_cast<char>(60 + k));
        }
        // The key area has the slots that fit, and says how many.
        const int32_t fitting = std::min(c.keys, 12);
        CHECK(RecordHead(panel.KeyArea() + 4)->keyCount == fitting);
        CHECK(RecordKeys(panel.KeyArea() + 4)[1].actionCode == ACTION_RIGHT_CLICK);
        CHECK(RecordKeys(panel.KeyArea() + 4)[fitting - 1].data[0] == static_cast<char>(60 + fitting - 1));
        CHECK(std::all_of(panel.KeyArea() + KEYAREA_SIZE_SECOND_BRAND, panel.KeyArea() + region.RegionSize,
                          [](uint8_t b) { return b == 0xA5; }));

        CHECK(panel.Panel().Wait(0) == -1);  // the panel is still up
        CHECK(panel.Bench()->Service().Child().Wait(0) == -1);
    }
}

TEST_CASE("The strip and ring boxes of the eight-key page leave their caption one line beside the icon, in both panels")
{
    // The boxes are 130 x 20 pixels; the icon sits 3 pixels in, the caption
    // is centred in the rest and wraps when it does not fit. Each panel has
    // one icon pair under these ids, shared with the mapping page's Auto
    // Setting button.
    HDC screen = GetDC(nullptr);
    HFONT pageFont = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ previous = SelectObject(screen, pageFont);
    SIZE caption{};
    GetTextExtentPoint32A(screen, "Enable/Disable", 14, &caption);
    SelectObject(screen, previous);
    DeleteObject(pageFont);
    ReleaseDC(nullptr, screen);
    REQUIRE(caption.cx > 0);

    for (const char* program : {PanelUnderTest::kProgram, PanelUnderTest::kPenmiraProgram}) {
        CAPTURE(program);
        HMODULE module = LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        REQUIRE(module != nullptr);
        for (int id : {IDI_KEY_CHECK_ON, IDI_KEY_CHECK_OFF}) {
            CAPTURE(id);
            HICON icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
            REQUIRE(icon != nullptr);
            ICONINFO info{};
            REQUIRE(GetIconInfo(icon, &info));
            DeleteObject(info.hbmMask);
            DeleteObject(info.hbmColor);
            DestroyIcon(icon);
            const LONG iconWidth = 2 * static_cast<LONG>(info.xHotspot);
            CHECK(2 * info.yHotspot <= 20);
            CHECK(130 - 3 - iconWidth >= caption.cx);
        }
        FreeLibrary(module);
    }
}

// The columns from the first to the last black pixel of a block of pixels `width` wide.
int InkSpan(const std::vector<COLORREF>& pixels, int width)
{
    int first = width;
    int last = -1;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (pixels[i] != RGB(0, 0, 0))
            continue;
        first = std::min(first, static_cast<int>(i % width));
        last = std::max(last, static_cast<int>(i % width));
    }
    return last < first ? 0 : last - first + 1;
}

TEST_CASE("Keyboard: a caption about as wide as its key is drawn whole")
{
    // The caption drawn whole in the keyboard's font.
    const int width = 200;
    const int height = 30;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previousBitmap = SelectObject(memory, bitmap);
    HGDIOBJ previousFont = SelectObject(memory, GetStockObject(DEFAULT_GUI_FONT));
    PatBlt(memory, 0, 0, width, height, WHITENESS);
    SetTextColor(memory, RGB(0, 0, 0));
    SetBkMode(memory, TRANSPARENT);
    TextOutA(memory, 10, 5, "Caps Lock", 9);
    std::vector<COLORREF> whole;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            whole.push_back(GetPixel(memory, x, y));
    SelectObject(memory, previousFont);
    SelectObject(memory, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    const int expected = InkSpan(whole, width);
    REQUIRE(expected > 0);

    KeyPageSetup setup;
    PanelUnderTest panel(PanelPartner::LibraryForm);
    setup.Lay(panel);
    REQUIRE(panel.StartPartner());
    HWND page = OpenKeyPage(panel);
    REQUIRE(page != nullptr);
    ChooseFunction(panel, page, 8192, kKeystrokeEntry);
    HWND keyboard = panel.WaitForPanelWindow("Keyboard");
    REQUIRE(keyboard != nullptr);
    SetForegroundWindow(keyboard);

    // The caption's ink on the screen, inside the key's two-pixel frame.
    RECT client{};
    GetClientRect(keyboard, &client);
    KeyboardLayout layout(kStyloraKeyboard);
    layout.SelectLayout(0);
    layout.ComputeKeyGeometry(client.right, client.bottom);
    RECT inside{};
    layout.ForEachKey(client.right, [&](KEYDEF& key, const KeyRect& rect) {
        if (key.keyCode == VK_CAPITAL)
            inside = RECT{rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2};
    });
    REQUIRE(inside.right > inside.left);
    MapWindowPoints(keyboard, nullptr, reinterpret_cast<POINT*>(&inside), 2);
    int drawn = 0;
    WaitUntil([&] { return (drawn = InkSpan(TryHereDriver::Pixels(inside), inside.right - inside.left)) == expected; },
              3000);
    CHECK(drawn == expected);
    PanelUnderTest::ClickIn(keyboard, IDC_KEYBOARD_CANCEL);
}
