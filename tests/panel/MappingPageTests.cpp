// The mapping page against the service program in the older-system
// configuration (the panel writes the device file itself) with a scripted
// tablet: a picked screen area and a dragged tablet area reach the pointer,
// the device file keeps its chain, and calibration takes the service's
// points, refusing taps in the wrong order. Beside a stand-in library form on
// the system Wine reports, with monitors the tests lay out: the page's
// publishing, its display changes and calibration on monitors too small.
#include "FakeService.h"
#include "PanelUnderTest.h"
#include "ScriptedReports.h"
#include "TabletBench.h"
#include "ids_main.h"
#include "ids_mapping.h"
#include "ServiceCodes.h"

#include <doctest/doctest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
constexpr UINT kCalibratePoint = 0x8000;

Bytes Join(const Bytes& a, const Bytes& b)
{
    Bytes all = a;
    all.insert(all.end(), b.begin(), b.end());
    return all;
}

// Another tablet's record, stored before the scripted tablet's in the device file.
Bytes OtherRecord()
{
    TABLETINFO other = DeskModel();
    other.PID = 0x2002;
    other.keyCount = 4;
    Bytes record = DeviceRecordOf(other);
    for (size_t i = 240; i < record.size(); ++i)
        record[i] = static_cast<uint8_t>(i * 7);
    return record;
}

MAPPINGDEF MappingIn(const Bytes& file, size_t recordOffset)
{
    MAPPINGDEF mapping{};
    if (file.size() >= recordOffset + 160 + sizeof mapping)
        std::memcpy(&mapping, file.data() + recordOffset + 160, sizeof mapping);
    return mapping;
}

// Waits while answering what other threads send to this one: a panel that
// sends to the test's windows would otherwise stall until the test looks.
void Pump(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

bool Near(POINT a, int x, int y) { return std::abs(a.x - x) <= 2 && std::abs(a.y - y) <= 2; }

// A window of the panel's process that is none of `known`, waited for.
HWND WaitForNewWindow(const PanelUnderTest& panel, const std::vector<HWND>& known, DWORD timeoutMs = 5000)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        for (HWND window : panel.PanelWindows()) {
            bool seen = false;
            for (HWND old : known)
                seen = seen || old == window;
            if (!seen)
                return window;
        }
        Pump(50);
    }
    return nullptr;
}

HWND WaitForTitle(const char* title, DWORD timeoutMs = 5000)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (HWND window = FindWindowA(nullptr, title))
            return window;
        Pump(50);
    }
    return nullptr;
}

// The text of a message box (its static), or empty.
std::string BoxText(HWND box)
{
    HWND text = FindWindowExA(box, nullptr, "Static", nullptr);
    while (text != nullptr && PanelUnderTest::WindowText(text).empty())
        text = FindWindowExA(box, text, "Static", nullptr);
    return text != nullptr ? PanelUnderTest::WindowText(text) : std::string();
}

// Answers a message box with OK and waits until it is gone.
bool PressOk(HWND box)
{
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    for (int i = 0; i < 100 && IsWindow(box); ++i)
        Pump(50);
    return !IsWindow(box);
}

struct MappingBench {
    explicit MappingBench(PanelBrandUnderTest brand = PanelBrandUnderTest::Stylora)
        : panel(PanelPartner::ServiceProgramOnXp, brand)
    {
    }
    PanelUnderTest panel;
    TabletBench& bench = *panel.Bench();
    TestPipe* tablet = nullptr;
    HWND page = nullptr;
    const TABLETINFO model = DeskModel();
    const Bytes other = OtherRecord();

    bool Start()
    {
        bench.WriteSupportedTable({model});
        tablet = &bench.AddInterface(PenInterfaceOf(model));
        const Bytes file = Join(other, DeviceRecordOf(model));
        panel.WriteSettingsFile("Tablet\\StyloraFind.ked", file.data(), file.size());
        if (!panel.StartPartner() || !bench.WaitForReadThreads(1))
            return false;
        SetEnvironmentVariableA("INKBRID_TEST_USB_IDS", "7A4B:1001");
        if (!panel.StartPanel() || panel.WaitForMainWindow() == nullptr)
            return false;
        panel.Click(IDC_MAPPING);
        page = panel.VisiblePage();
        return page != nullptr;
    }

    // Hovers the pen over tablet (x, y); the pointer position that results.
    POINT HoverAt(int x, int y)
    {
        ReportEcho echo{};
        for (int i = 0; i < 2; ++i) {
            tablet->Send(PenPacket(0xA0, x, y, 0));
            bench.NextEcho(echo);
        }
        Pump(100);
        POINT cursor{};
        GetCursorPos(&cursor);
        return cursor;
    }

    // Whether hovering at tablet (x, y) brings the pointer near screen (px, py)
    // within two seconds: the pointer may trail the reports under load.
    bool PointerReaches(int x, int y, int px, int py)
    {
        for (int i = 0; i < 10; ++i)
            if (Near(HoverAt(x, y), px, py))
                return true;
        return false;
    }

    // One tap: the tip down at (x, y), then lifted.
    void Tap(int x, int y)
    {
        ReportEcho echo{};
        for (const Bytes& report : {PenPacket(0xA1, x, y, 600), PenPacket(0xA1, x, y, 600), PenPacket(0xA0, x, y, 0)}) {
            tablet->Send(report);
            bench.NextEcho(echo);
        }
        Pump(150);
    }

    // Answers a message box with the pen: a tap on its OK button, through
    // the whole-screen mapping the page published. Whether the box closed.
    bool TapOk(HWND box)
    {
        RECT button{};
        GetWindowRect(GetDlgItem(box, IDOK), &button);
        const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
        Tap((button.left + button.right) / 2 * model.xMax / width, (button.top + button.bottom) / 2 * model.yMax / height);
        for (int i = 0; i < 100 && IsWindow(box); ++i)
            Pump(50);
        return !IsWindow(box);
    }

    Bytes DeviceFile() const { return panel.ReadSettingsFile("Tablet\\StyloraFind.ked"); }
    const MAPPINGDEF& LiveMapping() const
    {
        return reinterpret_cast<const KeyAreaSectionHead*>(panel.KeyArea())->record.mapping;
    }
};

// The page beside the stand-in library form, on the system Wine reports
// (plain names, saves by command); the monitors from a file when laid out.
struct CurrentSystemPage {
    explicit CurrentSystemPage(PanelBrandUnderTest brand = PanelBrandUnderTest::Stylora,
                               PanelPartner partner = PanelPartner::FakeLibrary)
        : panel(partner, brand)
    {
        // Width and height words in the extents' ratio: Auto Setting fits the area.
        model.widthWord = 1020;
        model.heightWord = 742;
    }
    PanelUnderTest panel;
    TABLETINFO model = DeskModel();
    HWND page = nullptr;
    HWND monitorCombo = nullptr;
    bool monitorsLaid = false;
    uint16_t pidInArea = 0x1001;  // another: the service holds a tablet the panel does not list

    // "x y width height flags" lines, read by the panel at each enumeration.
    void LayMonitors(const std::string& lines)
    {
        panel.WriteSettingsFile("monitors.txt", lines);
        monitorsLaid = true;
    }

    bool Start()
    {
        panel.WriteSettingsFile("Tablet\\StyloraInfo.ked", &model, sizeof model);
        panel.AddPanelEnvironment("INKBRID_TEST_USB_IDS=7A4B:1001");
        if (monitorsLaid)
            panel.AddPanelEnvironment("INKBRID_TEST_MONITORS=" + panel.Settings().PathOf("monitors.txt"));
        if (!panel.StartPartner())
            return false;
        // The service holds the tablet's record, with a mapping left from elsewhere.
        const Bytes record = DeviceRecordOf(model);
        TABLETRECORD_HEAD& live = panel.Fake()->KeyArea().record;
        std::memcpy(&live, record.data(), sizeof live);
        live.info.PID = pidInArea;
        live.mapping.monitorChoice = 5;
        live.mapping.screenArea = {1, 2, 3, 4};
        if (!panel.StartPanel() || panel.WaitForMainWindow() == nullptr)
            return false;
        panel.Click(IDC_MAPPING);
        // By its monitor combo: a tooltip of the main window, where an
        // earlier test left the pointer, is a captionless popup too.
        WaitUntil(
            [&] {
                for (HWND window : panel.PanelWindows())
                    if ((monitorCombo = GetDlgItem(window, IDC_MONITOR_CHOICE)) != nullptr)
                        return (page = window) != nullptr;
                return false;
            },
            5000);
        return page != nullptr;
    }

    // Whether the stand-in was woken for a mapping save after the first `before`.
    bool SavedAfter(size_t before) const
    {
        return WaitUntil([&] { return MappingSaves() > before; }, 5000);
    }
    // Chooses a monitor-combo entry; the page publishes it. A user's choice
    // sets the selection and notifies in one go; from here a paint of the
    // page can come between the two and put back the record's selection, so
    // pending paints go first and the choice is tried again if it was lost.
    bool ChooseMonitor(int entry)
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            UpdateWindow(page);
            const size_t before = MappingSaves();
            SendMessageA(monitorCombo, CB_SETCURSEL, entry, 0);
            SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_MONITOR_CHOICE, CBN_SELENDOK),
                         reinterpret_cast<LPARAM>(monitorCombo));
            if (!SavedAfter(before))
                return false;
            if (LiveMapping().monitorChoice == entry - 1)
                return true;
        }
        return false;
    }
    void DisplayChanged()
    {
        SendMessageA(page, WM_DISPLAYCHANGE, 32, 0);
        // The system repaints every window after a real change; the repaint
        // shows the record's choice.
        InvalidateRect(page, nullptr, FALSE);
        Pump(200);
    }
    int ShownMonitor() const { return static_cast<int>(SendMessageA(monitorCombo, CB_GETCURSEL, 0, 0)); }
    const MAPPINGDEF& LiveMapping() const { return panel.Fake()->KeyArea().record.mapping; }
    size_t MappingSaves() const
    {
        size_t saves = 0;
        for (const RecordedCommand& command : panel.Fake()->Commands())
            saves += command.code == CMD_SAVE_MAPPING ? 1 : 0;
        return saves;
    }
};

bool SameRect(const RECT32& a, const RECT32& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST_SUITE("mapping page")
{
    TEST_CASE("a picked screen area and a dragged tablet area reach the pointer through the device file")
    {
        MappingBench m;
        REQUIRE(m.Start());
        const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);

        // Opening the page on one monitor published the whole screen, in place:
        // the other record and our keys are byte for byte as they were.
        Bytes file = m.DeviceFile();
        const Bytes ours = DeviceRecordOf(m.model);
        REQUIRE(file.size() == m.other.size() + ours.size());
        CHECK(std::equal(m.other.begin(), m.other.end(), file.begin()));
        CHECK(std::equal(ours.begin() + 236, ours.end(), file.begin() + m.other.size() + 236));
        CHECK(MappingIn(file, m.other.size()).monitorChoice == 0);

        // "Part of Monitor": two clicks on the picker over the whole desktop.
        const std::vector<HWND> before = m.panel.PanelWindows();
        PostMessageA(m.page, WM_COMMAND, MAKEWPARAM(IDC_PART_OF_MONITOR, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(m.page, IDC_PART_OF_MONITOR)));
        HWND picker = WaitForNewWindow(m.panel, before);
        REQUIRE(picker != nullptr);
        const int left = width / 4, top = height / 4, right = width * 3 / 4, bottom = height * 3 / 4;
        // Corners in either order make the same rectangle.
        PostMessageA(picker, WM_LBUTTONUP, 0, MAKELPARAM(right, top));
        PostMessageA(picker, WM_LBUTTONUP, 0, MAKELPARAM(left, bottom));
        for (int i = 0; i < 100 && IsWindow(picker); ++i)
            Pump(50);
        CHECK_FALSE(IsWindow(picker));

        m.panel.Click(IDOK);  // Save with the page in view
        Pump(300);
        const MAPPINGDEF live = m.LiveMapping();
        CHECK(live.monitorChoice == -2);
        CHECK(live.screenArea.left == left * 0xFFFF / width);
        CHECK(live.screenArea.bottom == bottom * 0xFFFF / height);
        file = m.DeviceFile();
        CHECK(MappingIn(file, m.other.size()).screenArea.right == right * 0xFFFF / width);
        CHECK(std::equal(m.other.begin(), m.other.end(), file.begin()));

        // The service reloaded the mapping: the tablet's corners reach the area's corners.
        CHECK(Near(m.HoverAt(0, 0), left, top));
        CHECK(Near(m.HoverAt(m.model.xMax, m.model.yMax), right, bottom));

        // Drag the tablet area's top-left corner to the picture's middle in
        // small steps, as a hand does: the tablet's middle now reaches the
        // area's top-left corner.
        for (int step = 0; step <= 19; ++step)
            PostMessageA(m.page, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(194 + 57 * step / 19, 291 + 47 * step / 19));
        PostMessageA(m.page, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
        Pump(200);
        m.panel.Click(IDOK);
        Pump(300);
        const int areaLeft = 57 * m.model.xMax / 115, areaTop = 47 * m.model.yMax / 95;
        CHECK(m.LiveMapping().tabletArea.left == areaLeft);
        CHECK(m.LiveMapping().tabletArea.top == areaTop);
        CHECK(Near(m.HoverAt(areaLeft, areaTop), left, top));
        CHECK(Near(m.HoverAt(areaLeft / 2, areaTop / 2), left, top));  // outside the area: held at its edge
        CHECK(Near(m.HoverAt(m.model.xMax, m.model.yMax), right, bottom));

        // Opened again on this one-monitor system, the page keeps the saved
        // part of the monitor instead of publishing the whole screen, and
        // leaves nothing to calibrate against it.
        m.panel.Click(IDCANCEL);
        REQUIRE(m.panel.WaitForPanelExit(10000) != -1);
        REQUIRE(m.panel.StartPanel());
        REQUIRE(m.panel.WaitForMainWindow() != nullptr);
        m.panel.Click(IDC_MAPPING);
        REQUIRE(m.panel.VisiblePage() != nullptr);
        Pump(300);
        CHECK(m.LiveMapping().monitorChoice == -2);
        CHECK_FALSE(IsWindowEnabled(GetDlgItem(m.panel.VisiblePage(), IDC_CALIBRATE)));
        CHECK(MappingIn(m.DeviceFile(), m.other.size()).monitorChoice == -2);
        CHECK(Near(m.HoverAt(m.model.xMax, m.model.yMax), right, bottom));
    }

    TEST_CASE("calibration takes the service points, and after a wrong order the pen answers the box and starts again")
    {
        MappingBench m;
        REQUIRE(m.Start());
        const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
        PostMessageA(m.page, WM_COMMAND, MAKEWPARAM(IDC_CALIBRATE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(m.page, IDC_CALIBRATE)));
        HWND window = WaitForTitle("QXCalibrate20090410Window");
        REQUIRE(window != nullptr);
        Pump(200);

        // Top-right first: after the fourth tap the error box, then target 1 again.
        m.Tap(9000, 1000);
        m.Tap(1000, 1000);
        m.Tap(9000, 6500);
        m.Tap(1000, 6500);
        HWND box = WaitForTitle("Calibrate");
        REQUIRE(box != nullptr);
        CHECK(BoxText(box).find("Calibrate again") != std::string::npos);
        // The tap that answers the box is not the first calibration tap.
        REQUIRE(m.TapOk(box));
        Pump(400);
        CHECK(FindWindowA(nullptr, "Calibrate") == nullptr);  // no "Save data?" for the failed taps
        CHECK(IsWindow(window));

        m.Tap(1000, 1000);
        m.Tap(9000, 1000);
        m.Tap(9000, 6500);
        m.Tap(1000, 6500);
        box = WaitForTitle("Calibrate");
        REQUIRE(box != nullptr);
        CHECK(BoxText(box).find("Save data?") != std::string::npos);
        // Each press on the window emptied the panel's packet queue. The box
        // can come up before the last press reaches the window (then disabled),
        // so at most the last two taps' packets are left unread, none of the
        // earlier ones.
        const ConnectionSection* ring = m.panel.Connection();
        CHECK((ring->writeIndex - ring->readIndex + RING_CAPACITY) % RING_CAPACITY <= 6);
        REQUIRE(PressOk(box));
        for (int i = 0; i < 100 && IsWindow(window); ++i)
            Pump(50);
        Pump(300);

        // Product id 0x1001 has a bit of 0x841F: the targets sat 90 pixels in.
        const double inset = 90;
        const double dx = inset * 8000 / (width - 2 * inset), dy = inset * 5500 / (height - 2 * inset);
        const RECT32 area = m.LiveMapping().tabletArea;
        CHECK(area.left == static_cast<int>(1000 - dx));
        CHECK(area.top == static_cast<int>(1000 - dy));
        CHECK(area.right == static_cast<int>(9000 + dx));
        CHECK(area.bottom == static_cast<int>(6500 + dy));
    }

    TEST_CASE("the second brand's rotation choice reaches the older-system service and turns the next stroke")
    {
        MappingBench m(PanelBrandUnderTest::Penmira);
        REQUIRE(m.Start());
        const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
        // Unrotated first: the tablet's top-left reaches the screen's top-left.
        CHECK(m.PointerReaches(0, 0, 0, 0));

        HWND combo = GetDlgItem(m.page, IDC_ROTATION_CHOICE);
        REQUIRE(combo != nullptr);
        SendMessageA(combo, CB_SETCURSEL, 2, 0);
        PostMessageA(m.page, WM_COMMAND, MAKEWPARAM(IDC_ROTATION_CHOICE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        Pump(300);
        m.panel.Click(IDOK);
        Pump(300);

        int32_t rotation = 0;
        std::memcpy(&rotation, m.panel.KeyArea() + KEYAREA_ROTATION_OFFSET, sizeof rotation);
        CHECK(rotation == 512);
        // The command word the service's loop was woken for (it has no name
        // on this system: only a borrowed handle reaches it).
        CHECK(m.panel.Connection()->command == CMD_SET_ROTATION);
        // Turned half way round: each corner of the tablet reaches the opposite one.
        CHECK(m.PointerReaches(0, 0, width - 1, height - 1));
        CHECK(m.PointerReaches(m.model.xMax, m.model.yMax, 0, 0));
        CHECK(m.bench.Service().Child().Wait(0) == -1);  // still running
    }

    TEST_CASE("the second brand's rotation choice on a tablet the key area does not hold publishes that tablet's header")
    {
        CurrentSystemPage m(PanelBrandUnderTest::Penmira);
        m.pidInArea = 0x2002;
        REQUIRE(m.Start());
        HWND combo = GetDlgItem(m.page, IDC_ROTATION_CHOICE);
        SendMessageA(combo, CB_SETCURSEL, 2, 0);
        SendMessageA(m.page, WM_COMMAND, MAKEWPARAM(IDC_ROTATION_CHOICE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        const TABLETINFO& live = m.panel.Fake()->KeyArea().record.info;
        CHECK((live.PID == 0x1001 && live.rotationCode == 512));
    }

    TEST_CASE("on current systems the page publishes by command 12, a pulse and the read thread's event, and "
              "without the connection section only into the key area")
    {
        for (PanelPartner partner : {PanelPartner::FakeLibrary, PanelPartner::FakeLibraryWithoutConnection}) {
            const bool connected = partner == PanelPartner::FakeLibrary;
            CAPTURE(connected);
            CurrentSystemPage m(PanelBrandUnderTest::Stylora, partner);
            // Without the plain connection section the panel's tablet
            // interface still finds the service program's global one.
            FakeService serviceProgram(FakeService::Form::ServiceProgram);
            if (!connected)
                REQUIRE(serviceProgram.Start());
            const std::string reloadName = "QXPENReadThread" + std::to_string((0x7A4B << 16) | 0x1001);
            HANDLE reload = CreateEventA(nullptr, TRUE, FALSE, reloadName.c_str());
            REQUIRE(reload != nullptr);
            // Opening the page on the one monitor Wine shows publishes the whole screen.
            REQUIRE(m.Start());
            const RECT32 whole{0, 0, 0xFFFF, 0xFFFF};
            CHECK(WaitUntil([&] { return SameRect(m.LiveMapping().screenArea, whole); }, 5000));
            CHECK(m.LiveMapping().monitorChoice == 0);
            if (connected) {
                CHECK(m.SavedAfter(0));
                Pump(300);
                // Woken once: an event left set would wake the loop again and again.
                CHECK(m.MappingSaves() == 1);
                for (const RecordedCommand& command : m.panel.Fake()->Commands()) {
                    if (command.code == CMD_SAVE_MAPPING)
                        CHECK(SameRect(command.screenArea, whole));  // the record was there before the wake
                }
                CHECK(WaitForSingleObject(reload, 2000) == WAIT_OBJECT_0);
            } else {
                Pump(300);
                CHECK(m.panel.Fake()->Commands().empty());
                for (const RecordedCommand& command : serviceProgram.Commands())
                    CHECK(command.code != CMD_SAVE_MAPPING);
                CHECK(WaitForSingleObject(reload, 0) == WAIT_TIMEOUT);
            }
            CloseHandle(reload);
        }
    }

    TEST_CASE("a display change keeps the chosen monitor while it is there, and with one monitor left only the "
              "first brand publishes")
    {
        for (PanelBrandUnderTest brand : {PanelBrandUnderTest::Stylora, PanelBrandUnderTest::Penmira}) {
            const bool penmira = brand == PanelBrandUnderTest::Penmira;
            CAPTURE(penmira);
            CurrentSystemPage m(brand);
            m.LayMonitors("0 0 1024 768 1\n1024 0 600 800 0\n");
            REQUIRE(m.Start());
            REQUIRE(SendMessageA(m.monitorCombo, CB_GETCOUNT, 0, 0) == 3);
            REQUIRE(m.ChooseMonitor(2));
            CHECK(m.LiveMapping().monitorChoice == 1);

            // The first monitor takes another resolution; the chosen one stays.
            m.LayMonitors("0 0 1280 1024 1\n1280 0 600 800 0\n");
            m.DisplayChanged();
            // The second brand keeps the record's monitor and shows it; the
            // first maps the whole desktop.
            CHECK(m.ShownMonitor() == (penmira ? 2 : 0));
            // The tablet area's top-left corner dragged to the picture's middle first.
            for (int step = 0; step <= 19; ++step)
                SendMessageA(m.page, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(194 + 57 * step / 19, 291 + 47 * step / 19));
            SendMessageA(m.page, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
            PanelUnderTest::ClickIn(m.page, IDC_AUTO_SETTING);
            size_t saves = m.MappingSaves();
            m.panel.Click(IDOK);
            REQUIRE(m.SavedAfter(saves));
            // The whole tablet fitted to the chosen monitor's 600 x 800, not to
            // the desktop's 1880 x 1024.
            const RECT32 fitted{0, 0, static_cast<int32_t>(int64_t{10206} * 600 * 742 / (800 * 1020)), 7422};
            CHECK(SameRect(m.LiveMapping().tabletArea, fitted));

            saves = m.MappingSaves();
            m.LayMonitors("0 0 1024 768 1\n");
            m.DisplayChanged();
            CHECK(SendMessageA(m.monitorCombo, CB_GETCOUNT, 0, 0) == 1);
            if (penmira) {
                Pump(300);
                CHECK(m.MappingSaves() == saves);
            } else {
                CHECK(m.SavedAfter(saves));
                CHECK(m.LiveMapping().monitorChoice == 0);
                CHECK(SameRect(m.LiveMapping().screenArea, RECT32{0, 0, 0xFFFF, 0xFFFF}));
            }
        }
    }

    TEST_CASE("calibration refuses a monitor exactly twice the inset high or wide, before the service can find it")
    {
        struct Case {
            PanelBrandUnderTest brand;
            int inset;  // product id 0x1001 has a bit of 0x841F: 90 for the first brand
        };
        for (const Case& c : {Case{PanelBrandUnderTest::Stylora, 90}, Case{PanelBrandUnderTest::Penmira, 145}}) {
            CAPTURE(c.inset);
            CurrentSystemPage m(c.brand);
            const std::string twice = std::to_string(2 * c.inset);
            m.LayMonitors("0 0 1024 " + twice + " 1\n1024 0 " + twice + " 768 0\n");
            REQUIRE(m.Start());
            for (int entry : {1, 2}) {
                CAPTURE(entry);
                REQUIRE(m.ChooseMonitor(entry));
                const RECT32 before = m.LiveMapping().tabletArea;
                const size_t saves = m.MappingSaves();
                PostMessageA(m.page, WM_COMMAND, MAKEWPARAM(IDC_CALIBRATE, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(m.page, IDC_CALIBRATE)));
                HWND box = WaitForTitle("Calibrate");
                REQUIRE(box != nullptr);
                CHECK(BoxText(box).find("too small") != std::string::npos);
                CHECK(FindWindowA(nullptr, "QXCalibrate20090410Window") == nullptr);
                REQUIRE(PressOk(box));
                Pump(200);
                CHECK(FindWindowA(nullptr, "QXCalibrate20090410Window") == nullptr);
                CHECK(SameRect(m.LiveMapping().tabletArea, before));
                CHECK(m.MappingSaves() == saves);
                CHECK(IsWindowVisible(m.page));
            }
        }
    }
}
