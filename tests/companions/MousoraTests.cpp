// The double-click settings program driven with the pointer: the track bars
// change the system's double-click time and rectangle when the thumb is let
// go, the test picture changes on a double click, and the language dialog
// stores exactly one language; a language file saved as Unicode reads as
// its ANSI form.
#include "AnsiCodePage.h"
#include "ChildProcess.h"
#include "CompanionWindows.h"
#include "LanguageFile.h"
#include "TempFolder.h"

#include <doctest/doctest.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int SPEED_SLIDER = 1000;
constexpr int SCOPE_SLIDER = 1001;
constexpr int PICTURE = 1006;

const char* LANGUAGE_FILE = "[language list]\r\nnum=2\r\n0=English\r\n1=Deutsch\r\n"
                            "[selected]\r\nlanguage=0\r\n[Deutsch]\r\nSlow=Langsam\r\n";

// The double-click settings of the user, put back when the test ends.
struct SavedDoubleClick {
    UINT time = GetDoubleClickTime();
    int width = GetSystemMetrics(SM_CXDOUBLECLK);
    int height = GetSystemMetrics(SM_CYDOUBLECLK);
    ~SavedDoubleClick()
    {
        SetDoubleClickTime(time);
        SystemParametersInfoA(SPI_SETDOUBLECLKWIDTH, width, nullptr, SPIF_UPDATEINIFILE);
        SystemParametersInfoA(SPI_SETDOUBLECLKHEIGHT, height, nullptr, SPIF_UPDATEINIFILE);
    }
};

// The thumb's rectangle on the screen, asked of the track bar in its own process.
RECT ThumbOnScreen(HANDLE process, HWND slider)
{
    RECT thumb{};
    void* remote = VirtualAllocEx(process, nullptr, sizeof thumb, MEM_COMMIT, PAGE_READWRITE);
    REQUIRE(remote != nullptr);
    SendMessageA(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(remote));
    SIZE_T read = 0;
    ReadProcessMemory(process, remote, &thumb, sizeof thumb, &read);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    MapWindowPoints(slider, nullptr, reinterpret_cast<POINT*>(&thumb), 2);
    return thumb;
}

// Drags the thumb `dx` pixels sideways and lets it go.
void DragThumb(HANDLE process, HWND slider, int dx)
{
    RECT thumb{};
    REQUIRE(PumpUntil([&] { return thumb = ThumbOnScreen(process, slider), thumb.right > thumb.left; }, 5000));
    const int x = (thumb.left + thumb.right) / 2;
    const int y = (thumb.top + thumb.bottom) / 2;
    MovePointer(x, y);
    PressLeft();
    for (int step = 1; step <= 4; ++step)
        MovePointer(x + dx * step / 4, y);
    ReleaseLeft();
}

// The double-click setting as every program started from now on sees it:
// Wine keeps each process's copy of the system parameters from its first
// read, so this process's own GetDoubleClickTime would not move. A setting
// made for the session only lies in Wine's volatile key, a lasting one in
// the user's.
int StoredMouseSetting(const char* name)
{
    for (const char* key : {"Software\\Wine\\Temporary System Parameters\\Control Panel\\Mouse",
                            "Control Panel\\Mouse"}) {
        char text[32] = {};
        DWORD size = sizeof text - 1;
        if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &size) == ERROR_SUCCESS)
            return std::atoi(text);
    }
    return -1;
}

// The value reaches `expected` within a few seconds (the dialog applies a
// release while the system tells every window about the change).
template <typename Read> bool Settles(Read read, int expected)
{
    int value = read();
    const bool reached = PumpUntil([&] { return (value = read()) == expected; }, 5000);
    CAPTURE(value);
    return reached;
}

int Position(HWND slider) { return static_cast<int>(SendMessageA(slider, TBM_GETPOS, 0, 0)); }

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

std::string ItemText(HWND dialog, int id)
{
    char text[128] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// One language file in its two forms: in the ANSI code page, and as Unicode
// (UTF-16 little-endian behind its byte-order mark).
std::vector<uint8_t> SavedAsAnsi(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), reinterpret_cast<char*>(bytes.data()),
                        size, nullptr, nullptr);
    return bytes;
}

std::vector<uint8_t> SavedAsUnicode(const std::wstring& text)
{
    std::vector<uint8_t> bytes = {0xFF, 0xFE};
    for (wchar_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

struct RunningMousora {
    TempFolder programFiles;
    ChildProcess process;
    HWND dialog = nullptr;

    explicit RunningMousora(const char* languageFile)
    {
        if (languageFile != nullptr) {
            const std::string text = languageFile;
            programFiles.WriteFile("Stylora\\language.ini", std::vector<uint8_t>(text.begin(), text.end()));
        }
    }
    bool Start()
    {
        if (!process.Start("Mousora.exe", "", {"INKBRID_PROGRAM_FILES=" + programFiles.Path()}))
            return false;
        dialog = FindProcessWindow(process.ProcessId(), "#32770", "Mousora", 10000);
        return dialog != nullptr;
    }
    ~RunningMousora()
    {
        if (dialog != nullptr)
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        process.Wait(5000);
    }
};

BOOL CALLBACK FindRefusalBox(HWND window, LPARAM found)
{
    if (FindWindowExA(window, nullptr, "Static", "You must select one language!") == nullptr)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The language dialog's "You must select one language!" box, closed again.
bool RefusedSelection(DWORD processId)
{
    HWND box = FindProcessWindow(processId, "#32770", "Mousora", 0);
    HWND shown = nullptr;
    WaitUntil(
        [&] {
            EnumThreadWindows(GetWindowThreadProcessId(box, nullptr), &FindRefusalBox,
                              reinterpret_cast<LPARAM>(&shown));
            return shown != nullptr;
        },
        5000);
    if (shown == nullptr)
        return false;
    PostMessageA(shown, WM_COMMAND, IDOK, 0);
    return WaitUntil([&] { return !IsWindow(shown); }, 5000);
}

}  // namespace

TEST_SUITE("double-click settings")
{
    TEST_CASE("letting go of a thumb sets the double-click time and rectangle as the sliders map them")
    {
        SavedDoubleClick saved;
        SetDoubleClickTime(500);
        RunningMousora mousora(nullptr);
        REQUIRE(mousora.Start());
        HWND speed = GetDlgItem(mousora.dialog, SPEED_SLIDER);
        HWND scope = GetDlgItem(mousora.dialog, SCOPE_SLIDER);
        CHECK(Settles([&] { return Position(speed); }, 400));
        CHECK(ItemText(mousora.dialog, 1007) == "Double-click speed");  // no language file

        DragThumb(mousora.process.Process(), speed, 600);
        CHECK(Settles([&] { return Position(speed); }, 900));
        // 900 is taken as 899: never 0, which would mean the system default.
        CHECK(Settles([&] { return StoredMouseSetting("DoubleClickSpeed"); }, 1));
        DragThumb(mousora.process.Process(), speed, -600);
        CHECK(Settles([&] { return Position(speed); }, 0));
        CHECK(Settles([&] { return StoredMouseSetting("DoubleClickSpeed"); }, 900));

        DragThumb(mousora.process.Process(), scope, -600);
        CHECK(Settles([&] { return Position(scope); }, 4));
        CHECK(Settles([&] { return StoredMouseSetting("DoubleClickWidth"); }, 4));
        CHECK(Settles([&] { return StoredMouseSetting("DoubleClickHeight"); }, 4));
        DragThumb(mousora.process.Process(), scope, 600);
        CHECK(Settles([&] { return Position(scope); }, 32));
        CHECK(Settles([&] { return StoredMouseSetting("DoubleClickWidth"); }, 32));
        CHECK(Settles([&] { return StoredMouseSetting("DoubleClickHeight"); }, 32));

        // A double click on the picture changes it, one beside it does not.
        RECT picture{};
        GetWindowRect(GetDlgItem(mousora.dialog, PICTURE), &picture);
        const int x = (picture.left + picture.right) / 2;
        const int y = picture.top + (picture.bottom - picture.top) * 2 / 3;
        const COLORREF closed = ScreenPixel(x, y);
        DoubleClickAt(picture.right + 6, y);
        CHECK(ScreenPixel(x, y) == closed);
        DoubleClickAt(x, y);
        const COLORREF opened = ScreenPixel(x, y);
        CHECK(opened != closed);
        DoubleClickAt(x, y);
        CHECK(ScreenPixel(x, y) == closed);
    }

    TEST_CASE("the language dialog stores one language and refuses none or two")
    {
        RunningMousora mousora(LANGUAGE_FILE);
        REQUIRE(mousora.Start());
        PostMessageA(mousora.dialog, WM_SYSCOMMAND, 16, 0);
        HWND chooser = FindProcessWindow(mousora.process.ProcessId(), "#32770", "Dialog", 10000);
        REQUIRE(chooser != nullptr);
        HWND list = GetDlgItem(chooser, 1008);
        CHECK(SendMessageA(list, LB_GETCOUNT, 0, 0) == 2);
        CHECK(SendMessageA(list, LB_GETSEL, 0, 0) > 0);

        SendMessageA(list, LB_SETSEL, TRUE, 1);
        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
        CHECK(RefusedSelection(mousora.process.ProcessId()));
        SendMessageA(list, LB_SETSEL, FALSE, -1);
        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
        CHECK(RefusedSelection(mousora.process.ProcessId()));
        CHECK(IsWindow(chooser));

        SendMessageA(list, LB_SETSEL, TRUE, 1);
        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
        CHECK(WaitUntil([&] { return !IsWindow(chooser); }, 5000));
        CHECK(GetPrivateProfileIntA("selected", "language", -1,
                                    mousora.programFiles.PathOf("Stylora\\language.ini").c_str()) == 1);
        CHECK(WaitUntil([&] { return ItemText(mousora.dialog, 1002) == "Langsam"; }, 5000));
        CHECK(ItemText(mousora.dialog, 1003) == "Fast");  // missing from the section: built in
    }

    TEST_CASE("a language file saved as Unicode reads as its ANSI form and as the profile functions read it")
    {
        // An accented letter of the ANSI code page, and a word outside it.
        const std::wstring text = L"[language list]\r\nnum=2\r\n0=English\r\n1=Deutsch\r\n[selected]\r\n"
                                  L"language=1\r\n[Deutsch]\r\nSlow=Langsam\r\nFast=Schnell \u00E9\r\n"
                                  L"Large=Gro\u00DF \u5927\r\n";
        TempFolder folder;
        folder.WriteFile("ansi.ini", SavedAsAnsi(text));
        folder.WriteFile("unicode.ini", SavedAsUnicode(text));
        const LanguageFile ansi = LanguageFile::Load(folder.PathOf("ansi.ini"), &AnsiCodePage::FromUtf16);
        const LanguageFile unicode = LanguageFile::Load(folder.PathOf("unicode.ini"), &AnsiCodePage::FromUtf16);
        CHECK(unicode.SelectedLanguage() == 1);
        CHECK(unicode.LanguageCount() == 2);
        for (const std::string key : {"Slow", "Fast", "Large"}) {
            CAPTURE(key);
            char system[128] = {};
            GetPrivateProfileStringA("Deutsch", key.c_str(), "", system, sizeof system,
                                     folder.PathOf("unicode.ini").c_str());
            CHECK(unicode.Text(1, key, "", 128) == system);
            CHECK(unicode.Text(1, key, "", 128) == ansi.Text(1, key, "", 128));
        }

        RunningMousora mousora(nullptr);
        mousora.programFiles.WriteFile("Stylora\\language.ini", SavedAsUnicode(text));
        REQUIRE(mousora.Start());
        CHECK(ItemText(mousora.dialog, 1002) == "Langsam");
        CHECK(ItemText(mousora.dialog, 1003) == unicode.Text(1, "Fast", ""));
    }
}
