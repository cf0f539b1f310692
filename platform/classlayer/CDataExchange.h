// Moving values between a dialog's controls and its members, in one
// direction per exchange: to the members when saving, to the controls
// otherwise. The first failure marks the exchange failed.
#pragma once
#include <string>
#include "CWnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd& dialog, bool saveAndValidate) : m_dialog(dialog), m_bSaveAndValidate(saveAndValidate) {}

    bool Saving() const { return m_bSaveAndValidate; }
    bool Failed() const { return m_failed; }
    void Fail() { m_failed = true; }
    // The control of the dialog with this id; a missing one fails the exchange.
    HWND PrepareCtrl(int id);

private:
    CWnd& m_dialog;
    bool m_bSaveAndValidate;
    bool m_failed = false;
};

// Takes over the dialog's control `id` with `control` (once).
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);
// `id` is the first radio button of a group; value = index of the checked one, -1 none.
void DDX_Radio(CDataExchange* exchange, int id, int& value);
void DDX_Text(CDataExchange* exchange, int id, std::string& value);
// A text that is not a whole number fails the exchange and leaves `value`.
void DDX_Text(CDataExchange* exchange, int id, int& value);
