#include <doctest/doctest.h>

#include <windows.h>
#include <commdlg.h>
#include <string>
#include <vector>
#include "CButton.h"
#include "CDataExchange.h"
#include "CDialog.h"
#include "CFileDialog.h"
#include "DialogTemplate.h"
#include "UiTestSupport.h"

namespace {

constexpr WORD kFirstRadio = 101;
constexpr WORD kEdit = 110;
constexpr WORD kButton = 120;

DialogTemplate SmallTemplate() {
    DialogTemplate layout(WS_POPUP | WS_CAPTION | WS_VISIBLE, {0, 0, 160, 100}, L"Test");
    layout.AddControl(L"BUTTON", L"A", kFirstRadio, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP | WS_VISIBLE,
                      {5, 5, 40, 15});
    layout.AddControl(L"BUTTON", L"B", kFirstRadio + 1, BS_AUTORADIOBUTTON | WS_VISIBLE, {5, 20, 40, 30});
    layout.AddControl(L"BUTTON", L"C", kFirstRadio + 2, BS_AUTORADIOBUTTON | WS_VISIBLE, {5, 35, 40, 45});
    layout.AddControl(L"EDIT", L"", kEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP | WS_VISIBLE,
                      {50, 5, 120, 17});
    layout.AddControl(L"BUTTON", L"Go", kButton, BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE, {50, 30, 100, 45});
    return layout;
}

// A control that records what the walk and the reflection bring it.
class RecordingButton : public CButton {
public:
    std::vector<std::string>* log = nullptr;
    bool consumeKeys = false;
    bool consumeClick = true;

    BOOL PreTranslateMessage(MSG* message) override {
        if (message->message == WM_KEYDOWN) log->push_back("button");
        return consumeKeys && message->message == WM_KEYDOWN;
    }

    static const MessageMap* GetThisMessageMap() {
        static const MapEntry entries[] = {
            OnReflectedControl<BN_CLICKED, &RecordingButton::OnClicked>(),
        };
        static const MessageMap map(CButton::GetThisMessageMap(), entries);
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    bool OnClicked() {
        log->push_back("button clicked");
        return consumeClick;
    }
};

// The turn comes first among the bases so it is released only after the
// dialog's window is gone.
class TestDialog : private DesktopTurn, public CDialog {
public:
    TestDialog() : CDialog(0) { SetTemplate(m_layout.Get()); }

    int initCount = 0;
    int endInInit = 0;  // non-zero: EndDialog with it from OnInitDialog
    bool postCancel = false;
    int radio = 1;
    std::string text = "hello";
    int number = 7;
    bool exchangeNumber = false;
    RecordingButton button;
    std::vector<std::string> log;

    BOOL OnInitDialog() override {
        ++initCount;
        button.log = &log;
        CDialog::OnInitDialog();
        if (endInInit) EndDialog(endInInit);
        if (postCancel) PostMessage(WM_COMMAND, IDCANCEL);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* exchange) override {
        DDX_Control(exchange, kButton, button);
        DDX_Radio(exchange, kFirstRadio, radio);
        if (exchangeNumber) {
            DDX_Text(exchange, kEdit, number);
        } else {
            DDX_Text(exchange, kEdit, text);
        }
    }
    BOOL PreTranslateMessage(MSG* message) override {
        if (message->message == WM_KEYDOWN) log.push_back("dialog");
        return CDialog::PreTranslateMessage(message);
    }

    static const MessageMap* GetThisMessageMap() {
        static const MapEntry entries[] = {
            OnControl<BN_CLICKED, kButton, &TestDialog::OnGo>(),
        };
        static const MessageMap map(CDialog::GetThisMessageMap(), entries);
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnGo() { log.push_back("dialog clicked"); }
    DialogTemplate m_layout = SmallTemplate();
};

}  // namespace

TEST_SUITE("class layer") {
    TEST_CASE("EndDialog inside OnInitDialog ends a modal dialog before its loop, and it runs again") {
        TestDialog dialog;
        dialog.endInInit = 42;
        CHECK(dialog.DoModal() == 42);
        CHECK(dialog.GetSafeHwnd() == nullptr);
        CHECK(dialog.DoModal() == 42);
        CHECK(dialog.initCount == 2);
    }

    TEST_CASE("a modal dialog runs its own loop until it is ended") {
        TestDialog dialog;
        dialog.postCancel = true;
        CHECK(dialog.DoModal() == IDCANCEL);
        CHECK(dialog.GetSafeHwnd() == nullptr);
    }

    TEST_CASE("a modeless dialog ended during its initialisation does not survive") {
        TestDialog dialog;
        dialog.endInInit = IDOK;
        CHECK_FALSE(dialog.Create());
        CHECK(dialog.GetSafeHwnd() == nullptr);
    }

    TEST_CASE("the destructor destroys a live modeless dialog") {
        HWND window = nullptr;
        {
            TestDialog dialog;
            REQUIRE(dialog.Create());
            window = dialog.GetSafeHwnd();
            CHECK(IsWindow(window));
        }
        CHECK_FALSE(IsWindow(window));
    }

    TEST_CASE("data exchange moves the radio choice and texts both ways") {
        TestDialog dialog;
        REQUIRE(dialog.Create());
        CHECK(SendDlgItemMessageA(dialog, kFirstRadio + 1, BM_GETCHECK, 0, 0) == BST_CHECKED);
        char text[32] = {};
        GetDlgItemTextA(dialog, kEdit, text, sizeof(text));
        CHECK(std::string(text) == "hello");

        SendDlgItemMessageA(dialog, kFirstRadio + 1, BM_SETCHECK, BST_UNCHECKED, 0);
        SendDlgItemMessageA(dialog, kFirstRadio + 2, BM_SETCHECK, BST_CHECKED, 0);
        SetDlgItemTextA(dialog, kEdit, "changed");
        CHECK(dialog.UpdateData(true));
        CHECK(dialog.radio == 2);
        CHECK(dialog.text == "changed");

        SendDlgItemMessageA(dialog, kFirstRadio + 2, BM_SETCHECK, BST_UNCHECKED, 0);
        CHECK(dialog.UpdateData(true));
        CHECK(dialog.radio == -1);
    }

    TEST_CASE("a number that does not parse fails the exchange and keeps the member") {
        TestDialog dialog;
        dialog.exchangeNumber = true;
        REQUIRE(dialog.Create());
        SetDlgItemTextA(dialog, kEdit, "12x");
        CHECK_FALSE(dialog.UpdateData(true));
        CHECK(dialog.number == 7);
        SetDlgItemTextA(dialog, kEdit, "-35");
        CHECK(dialog.UpdateData(true));
        CHECK(dialog.number == -35);
    }

    TEST_CASE("messages are offered to the control first, then up to the dialog") {
        TestDialog dialog;
        REQUIRE(dialog.Create());
        PumpPending();
        dialog.log.clear();
        PostMessageA(dialog.button, WM_KEYDOWN, 'A', 0);
        PumpPending();
        CHECK(dialog.log == std::vector<std::string>{"button", "dialog"});

        dialog.log.clear();
        dialog.button.consumeKeys = true;
        PostMessageA(dialog.button, WM_KEYDOWN, 'A', 0);
        PumpPending();
        CHECK(dialog.log == std::vector<std::string>{"button"});
    }

    TEST_CASE("a reflected notification reaches the parent only when the control lets it") {
        TestDialog dialog;
        REQUIRE(dialog.Create());
        const WPARAM clicked = MAKEWPARAM(kButton, BN_CLICKED);
        dialog.SendMessage(WM_COMMAND, clicked, reinterpret_cast<LPARAM>(dialog.button.GetSafeHwnd()));
        CHECK(dialog.log == std::vector<std::string>{"button clicked"});
        dialog.log.clear();
        dialog.button.consumeClick = false;
        dialog.SendMessage(WM_COMMAND, clicked, reinterpret_cast<LPARAM>(dialog.button.GetSafeHwnd()));
        CHECK(dialog.log == std::vector<std::string>{"button clicked", "dialog clicked"});
    }

    TEST_CASE("a region handed to the window is given up by its owner") {
        TestDialog dialog;
        REQUIRE(dialog.Create());
        CRgn region;
        REQUIRE(region.CreateRectRgn(0, 0, 50, 40));
        CHECK(dialog.SetWindowRgn(region, true));
        CHECK(region.GetSafeHandle() == nullptr);
        CRgn check;
        check.CreateRectRgn(0, 0, 0, 0);
        CHECK(GetWindowRgn(dialog, check) == SIMPLEREGION);
        CHECK(check.Contains(10, 10));
        CHECK_FALSE(check.Contains(60, 10));
    }

    TEST_CASE("message boxes and the file-open dialog go through their seams") {
        MessageBoxRecorder boxes(IDCANCEL);
        CHECK(AfxMessageBox("You must select one language!", MB_OK) == IDCANCEL);
        CHECK(boxes.texts == std::vector<std::string>{"You must select one language!"});
        // A window's box without a caption is titled like the framework's.
        TestDialog window;
        REQUIRE(window.Create());
        window.MessageBox("ERROR in Combining Region");
        window.MessageBox("Error! \n\nCalibrate again!", "Calibrate");
        CHECK(boxes.captions == std::vector<std::string>{"ui_tests", "ui_tests", "Calibrate"});

        FileDialogRequest seen;
        auto previous = UiSeams::SetFileDialogHandler([&seen](const FileDialogRequest& request, std::string& path) {
            seen = request;
            path = "C:\\Tools\\paint.exe";
            return true;
        });
        CFileDialog dialog(true, nullptr, nullptr, OFN_HIDEREADONLY, "run application(*.exe)|*.exe||");
        dialog.SetTitle("Select Exe File");
        CHECK(dialog.DoModal() == IDOK);
        CHECK(dialog.GetPathName() == "C:\\Tools\\paint.exe");
        CHECK(seen.title == "Select Exe File");
        CHECK(seen.filter == "run application(*.exe)|*.exe||");
        UiSeams::SetFileDialogHandler([](const FileDialogRequest&, std::string&) { return false; });
        CHECK(dialog.DoModal() == IDCANCEL);
        UiSeams::SetFileDialogHandler(previous);
    }
}
