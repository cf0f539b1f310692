// Minutes of a scripted tablet playing strokes, pen buttons, express keys and
// strip moves into the running service while a WinTab32 client reads the
// packets and now and then opens its context anew. The service's handle and
// thread counts are taken once everything is warm and again at the end, and
// must agree. Run by scripts/soak (INKBRID_SOAK_SECONDS, default 300).
#include "ScreenCanvas.h"
#include "ScriptedReports.h"
#include "ServiceCodes.h"
#include "TabletBench.h"
#include "WintabApi.h"

#include <doctest/doctest.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Report = std::vector<uint8_t>;

// The tablet's record: keys 0-3 type letters, key 5 middle-clicks, the strips zoom.
std::vector<uint8_t> SoakRecord(const TABLETINFO& model)
{
    std::vector<uint8_t> record = DeviceRecordOf(model);
    KEYACTION* keys = RecordKeys(record.data());
    for (int i = 0; i < 4; ++i) {
        keys[i].actionCode = ACTION_KEYSTROKE;
        keys[i].data[0] = static_cast<char>('A' + i);
    }
    keys[4].actionCode = keys[9].actionCode = ACTION_STRIP;
    keys[5].actionCode = ACTION_MIDDLE_CLICK;
    return record;
}

Report ToolReport(uint16_t toolId)
{
    return {2, 0xC2, static_cast<uint8_t>(toolId >> 4), static_cast<uint8_t>(toolId << 4), 0, 0, 0, 1, 0, 0};
}
Report LeaveReport() { return {2, 0x80, 0, 0, 0, 0, 0, 0, 0, 0}; }
Report KeyReport(uint8_t stripA, uint8_t group1, uint8_t group2)
{
    return {12, 0, stripA, 0, 0, group1, group2, 0, 0, 0};
}

struct ProcessCounts {
    DWORD handles = 0;
    int threads = 0;
};

// The system's handle list, entry by entry (NtQuerySystemInformation class 16):
// GetProcessHandleCount of another process gives 0 under Wine.
struct SystemHandleEntry {
    ULONG ownerProcessId;
    BYTE objectType;
    BYTE flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};
struct SystemHandleList {
    ULONG count;
    SystemHandleEntry entries[1];
};
using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

DWORD HandleCountOf(DWORD processId)
{
    const auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr)
        return 0;
    constexpr ULONG SYSTEM_HANDLE_INFORMATION = 16;
    constexpr LONG LENGTH_MISMATCH = static_cast<LONG>(0xC0000004);
    std::vector<uint8_t> buffer(1 << 20);
    LONG status = 0;
    while ((status = query(SYSTEM_HANDLE_INFORMATION, buffer.data(), static_cast<ULONG>(buffer.size()), nullptr)) ==
               LENGTH_MISMATCH &&
           buffer.size() < (256u << 20))
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return 0;
    const auto* list = reinterpret_cast<const SystemHandleList*>(buffer.data());
    DWORD count = 0;
    for (ULONG i = 0; i < list->count; ++i)
        count += list->entries[i].ownerProcessId == processId ? 1 : 0;
    return count;
}

ProcessCounts CountsOf(DWORD processId)
{
    ProcessCounts counts;
    counts.handles = HandleCountOf(processId);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
        THREADENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
            counts.threads += entry.th32OwnerProcessID == processId ? 1 : 0;
        CloseHandle(snapshot);
    }
    return counts;
}

class Client {
public:
    explicit Client(HWND window) : window_(window) { Open(); }
    ~Client() { Close(); }

    bool Open()
    {
        wintab::LOGCONTEXTA context{};
        if (WTInfoA(wintab::WTI_DEFSYSCTX, 0, &context) == 0)
            return false;
        context.lcOptions |= wintab::CXO_MESSAGES | wintab::CXO_SYSTEM;
        context.lcPktData = wintab::PANEL_PACKET_DATA;
        context.lcPktMode = wintab::PANEL_PACKET_MODE;
        context.lcMoveMask = wintab::PANEL_PACKET_DATA;
        context_ = WTOpenA(window_, &context, TRUE);
        return context_ != nullptr;
    }
    void Close()
    {
        if (context_ != nullptr)
            WTClose(context_);
        context_ = nullptr;
    }
    int Read()
    {
        wintab::PANELPACKET packets[64];
        return context_ != nullptr ? WTPacketsGet(context_, 64, packets) : 0;
    }

private:
    HWND window_;
    HCTX context_ = nullptr;
};

class Soak {
public:
    Soak(TabletBench& bench, TestPipe& tablet, ScreenCanvas& canvas, Client& client)
        : bench_(bench), tablet_(tablet), canvas_(canvas), client_(client)
    {
    }

    // One round: a pen comes, hovers, draws, presses both buttons and
    // leaves; an express key and a strip move. False when the service stopped taking reports.
    bool Round(int round)
    {
        const int x = 1000 + (round * 397) % 8000, y = 800 + (round * 211) % 5800;
        if (round % 5 == 0 && !Play(ToolReport(round % 10 == 0 ? 0x802 : 0x80A)))
            return false;
        for (int i = 0; i < 3; ++i)
            if (!Play(PenPacket(0xA0, x, y, 0)))
                return false;
        for (int step = 0; step < 12; ++step)
            if (!Play(PenPacket(0xA0, x + step * 20, y + step * 10, 300 + step * 40)))
                return false;
        if (!Play(PenPacket(0xA0, x, y, 0)) || !Play(PenPacket(0xA2, x, y, 0)) || !Play(PenPacket(0xA0, x, y, 0)) ||
            !Play(PenPacket(0xA4, x, y, 0)) || !Play(PenPacket(0xA0, x, y, 0)) || !Play(LeaveReport()))
            return false;
        // A letter key (group 1), the middle-click key (group 2, slot 5), then strip A moving.
        const uint8_t letter = static_cast<uint8_t>(1u << (round % 4));
        const uint8_t strip = static_cast<uint8_t>(5 + round % 3);
        return Play(KeyReport(0, letter, 0)) && Play(KeyReport(0, 0, 0)) && Play(KeyReport(0, 0, 0x01)) &&
               Play(KeyReport(0, 0, 0)) && Play(KeyReport(strip, 0, 0)) &&
               Play(KeyReport(static_cast<uint8_t>(strip + 1), 0, 0)) && Play(KeyReport(0, 0, 0));
    }

    // Sends one report, waits until the service took it, lets the client read.
    bool Play(const Report& report)
    {
        ReportEcho echo{};
        if (!tablet_.Send(report) || !bench_.NextEcho(echo))
            return false;
        ++reports_;
        canvas_.Pump();
        packets_ += client_.Read();
        return true;
    }

    long Reports() const { return reports_; }
    long Packets() const { return packets_; }

private:
    TabletBench& bench_;
    TestPipe& tablet_;
    ScreenCanvas& canvas_;
    Client& client_;
    long reports_ = 0;
    long packets_ = 0;
};

DWORD SoakSeconds()
{
    const char* text = std::getenv("INKBRID_SOAK_SECONDS");
    const long seconds = text != nullptr ? std::strtol(text, nullptr, 10) : 0;
    return seconds > 0 ? static_cast<DWORD>(seconds) : 300;
}

}  // namespace

TEST_SUITE("soak")
{
    TEST_CASE("minutes of strokes and keys leave the service's handles and threads as they were")
    {
        TabletBench bench;
        TestPipe* started = bench.StartWithTablet(DeskModel(), SoakRecord(DeskModel()));
        REQUIRE(started != nullptr);
        TestPipe& tablet = *started;

        ScreenCanvas canvas;
        REQUIRE(canvas.Window() != nullptr);
        Client client(canvas.Window());
        Soak soak(bench, tablet, canvas, client);
        // Warm: every path has run once before the first count.
        for (int round = 0; round < 10; ++round)
            REQUIRE(soak.Round(round));
        Sleep(500);  // nothing shows the service's threads done with the last round: counted after a pause
        const DWORD processId = bench.Service().ProcessId();
        const ProcessCounts start = CountsOf(processId);

        const DWORD seconds = SoakSeconds();
        const DWORD begin = GetTickCount();
        int rounds = 0;
        while (GetTickCount() - begin < seconds * 1000) {
            REQUIRE(soak.Round(rounds));
            ++rounds;
            if (rounds % 50 == 0) {
                // The client opens its context anew; the service's output is taken as it comes.
                client.Close();
                REQUIRE(client.Open());
                bench.Service().Child().Output();
            }
        }
        Sleep(500);  // as before the first count
        const ProcessCounts end = CountsOf(processId);

        std::printf("soak: %d rounds, %ld reports, %ld packets read in %lu s\n", rounds, soak.Reports(),
                    soak.Packets(), static_cast<unsigned long>(seconds));
        std::printf("service handles: start %lu, end %lu\n", static_cast<unsigned long>(start.handles),
                    static_cast<unsigned long>(end.handles));
        std::printf("service threads: start %d, end %d\n", start.threads, end.threads);
        std::fflush(stdout);
        CHECK(start.handles > 0);
        CHECK(end.handles == start.handles);
        CHECK(end.threads == start.threads);
        CHECK(soak.Packets() > 0);

        client.Close();
        CHECK(bench.Stop() == 1);
    }
}
