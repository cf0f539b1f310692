#include "CPenPage.h"

#include "CWinApp.h"
#include "CXPMenu.h"
#include "resource.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kKnobTickStep = 20;
constexpr std::uint32_t kKnobTickColour = 0xFF808080;
constexpr DWORD kPenButtonLabelStyle = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_SUNKEN;

// Label 8192 shows and edits the first pen button, 8193 the second.
int LabelIndex(int labelId) { return labelId == MainDialog::kSecondPenButtonLabel ? 1 : 0; }

}  // namespace

CPenPage::CPenPage(CBkDialogKX& dialog, const PenPagePolicy& policy, const MainDialog::Brand& brand)
    : m_dialog(dialog), m_policy(policy), m_brand(brand), m_parameters(policy, false), m_tryHere(policy)
{
}

bool CPenPage::OpenTabletContext() { return m_context.Open(m_dialog.GetSafeHwnd(), m_brand.tracesContext); }

bool CPenPage::AttachControls(PENSETTINGS* penBlock, const PENSETTINGS& copy, bool modelFlag)
{
    m_pen = penBlock;
    m_modelFlag = modelFlag;
    m_parameters = PenParameters(m_policy, modelFlag);
    const HWND dialog = m_dialog.GetSafeHwnd();
    if (!m_parameterList.SubclassDlgItem(kParameterListId, dialog) || !m_knob.SubclassDlgItem(kKnobId, dialog) ||
        !m_disablePressure.SubclassDlgItem(kDisablePressureId, dialog) || !m_cleanButton.SubclassDlgItem(kCleanId, dialog) ||
        !m_defaultButton.SubclassDlgItem(kDefaultId, dialog))
        return false;
    m_cleanButton.SetIcon(IDI_CLEAN_IN, IDI_CLEAN_OUT);
    m_defaultButton.SetIcon(IDI_DEFAULT_IN, IDI_DEFAULT_OUT);
    ShowValue(PenParameters::Read(copy, PenParameter::Pressure));
    CreatePenButtonLabels(copy.penButtonCount);
    return true;
}

void CPenPage::CreateViews(const PENSETTINGS& copy)
{
    m_knob.SetRange(PenParameters::kMinimum, PenParameters::kMaximum, false);
    m_knob.SetTickStep(kKnobTickStep, false);
    m_knob.SetPageStep(0, false);
    m_knob.SetTickColor(kKnobTickColour, true);
    m_knob.SetNotify(m_dialog.GetSafeHwnd(), kKnobMessage, 0, 0);
    m_knob.SetTransparent(false);

    // Left of the "Profile" caption, measured from the dialog's outer edge.
    const HWND dialog = m_dialog.GetSafeHwnd();
    RECT profile{};
    GetWindowRect(GetDlgItem(dialog, kProfileId), &profile);
    const CRect outer = m_dialog.GetWindowRect();
    m_curve.CreatePressureCurveWindow(dialog, profile.left - outer.left - kCurveLeftOfProfile, kCurveTop);

    m_tryHere.Attach(dialog, GetDlgItem(dialog, kTryHereId));

    m_parameterList.SetCurSel(0);
    const int32_t pressure = PenParameters::Read(copy, PenParameter::Pressure);
    SetKnob(pressure);
    Tell(PenParameter::Pressure, pressure);
    Tell(PenParameter::Tilt, PenParameters::Read(copy, PenParameter::Tilt));
    Tell(PenParameter::Click, PenParameters::Read(copy, PenParameter::Click));
    m_disablePressure.SetCheck(m_pen != nullptr && m_pen->disablePressure != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void CPenPage::ApplyLanguage(const PENSETTINGS& copy)
{
    FillParameterList();
    RelabelPenButtons(copy);
}

void CPenPage::SetButtonsTransparent()
{
    for (CButtonKX* button : {&m_cleanButton, &m_defaultButton}) {
        if (button->GetSafeHwnd() != nullptr)
            button->SetTransparent(false);
    }
}

// ---- parameters and the knob --------------------------------------------------

bool CPenPage::ChosenParameter(PenParameter& parameter) const
{
    PenParameterEntry entry{};
    if (!m_parameters.EntryAt(m_parameterList.GetCurSel(), entry))
        return false;
    parameter = entry.parameter;
    return true;
}

void CPenPage::ShowValue(int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    m_dialog.SetItemTextRedraw(kValueLabelId, text);
}

void CPenPage::SetKnob(int32_t value)
{
    m_knob.SetPos(value);
    m_knob.Invalidate();
}

void CPenPage::Tell(PenParameter parameter, int32_t value)
{
    const PenViewMessage message = PenParameters::MessageFor(parameter, value);
    CWnd& target = message.target == PenViewMessage::Dial ? static_cast<CWnd&>(m_tryHere.Dial())
                                                          : static_cast<CWnd&>(m_curve);
    if (target.GetSafeHwnd() != nullptr)
        target.PostMessage(PenParameters::kSetMessage, message.wParam, message.lParam);
}

void CPenPage::FillParameterList()
{
    const int selection = m_parameterList.GetCurSel();
    m_parameterList.ResetContent();
    for (int i = 0; i < m_parameters.Count(); ++i) {
        PenParameterEntry entry{};
        m_parameters.EntryAt(i, entry);
        const std::string text = m_services.text ? m_services.text(entry.languageKey, entry.englishText)
                                                 : std::string(entry.englishText);
        m_parameterList.AddString(text.c_str());
    }
    m_parameterList.SetCurSel(selection);
}

void CPenPage::OnSelEndOkParameter()
{
    PenParameter parameter = PenParameter::Pressure;
    if (m_pen == nullptr || !ChosenParameter(parameter))
        return;
    const int32_t value = PenParameters::Read(*m_pen, parameter);
    SetKnob(value);
    Tell(parameter, value);
    ShowValue(value);
}

LRESULT CPenPage::OnKnobChanged(WPARAM, LPARAM)
{
    const int32_t value = PenParameters::Clamp(m_knob.GetPos());
    ShowValue(value);
    PenParameter parameter = PenParameter::Pressure;
    if (m_pen != nullptr && ChosenParameter(parameter)) {
        PenParameters::Write(*m_pen, parameter, value);
        Tell(parameter, value);
    }
    return 1;
}

void CPenPage::OnDefault()
{
    PenParameter parameter = PenParameter::Pressure;
    if (m_pen == nullptr || !ChosenParameter(parameter)) {
        ShowValue(PenParameters::kLinearPressure);
        return;
    }
    const int32_t value = PenParameters::DefaultOf(parameter);
    SetKnob(value);
    PenParameters::Write(*m_pen, parameter, value);
    Tell(parameter, value);
    ShowValue(value);
}

void CPenPage::OnDisablePressure()
{
    if (m_pen != nullptr)
        m_pen->disablePressure = m_disablePressure.GetCheck() == BST_CHECKED ? 1 : 0;
}

// ---- pen buttons ------------------------------------------------------------

void CPenPage::CreatePenButtonLabels(int32_t penButtonCount)
{
    for (const MainDialog::PenButtonLabel& place : MainDialog::PenButtonLabels(m_brand, penButtonCount, m_modelFlag)) {
        CStatic& label = m_penButtonLabels[static_cast<size_t>(LabelIndex(place.id))];
        const RECT rect{place.rect.left, place.rect.top, place.rect.right, place.rect.bottom};
        if (!label.Create("", kPenButtonLabelStyle, rect, m_dialog.GetSafeHwnd(), static_cast<UINT>(place.id)))
            continue;
        // Made at run time, the labels take the dialog's font themselves.
        label.SendMessage(WM_SETFONT, static_cast<WPARAM>(m_dialog.SendMessage(WM_GETFONT)), FALSE);
        label.EnableWindow(place.enabled);
        if (m_pen != nullptr && place.record >= 0)
            SetLabelText(place.id, LabelTextOf(m_pen->penButton[place.record]));
    }
}

HWND CPenPage::PenButtonLabel(int labelId) const
{
    return m_penButtonLabels[static_cast<size_t>(LabelIndex(labelId))].GetSafeHwnd();
}

std::string CPenPage::LabelTextOf(const KEYACTION& record) const
{
    return key_actions::LabelText(record, m_services.keyNames != nullptr ? *m_services.keyNames : m_builtInKeyNames,
                                  m_services.menuText);
}

void CPenPage::SetLabelText(int labelId, const std::string& text)
{
    const HWND label = PenButtonLabel(labelId);
    if (label == nullptr)
        return;
    m_dialog.SetItemTextRedraw(labelId, text.c_str());
}

void CPenPage::RelabelPenButtons(const PENSETTINGS& copy)
{
    if (m_pen == nullptr)
        return;
    for (const MainDialog::PenButtonRelabel& relabel :
         MainDialog::RelabelledPenButtons(m_brand, copy.penButtonCount, m_modelFlag)) {
        SetLabelText(relabel.id, LabelTextOf(m_pen->penButton[relabel.record]));
        if (relabel.setsEnabled)
            EnableWindow(PenButtonLabel(relabel.id), relabel.enabled ? TRUE : FALSE);
    }
}

KEYACTION* CPenPage::RecordOfOpenLabel()
{
    if (m_pen == nullptr)
        return nullptr;
    return &m_pen->penButton[LabelIndex(m_openLabel)];
}

void CPenPage::OnPenButtonLabel(int labelId)
{
    const HWND label = PenButtonLabel(labelId);
    if (label == nullptr)
        return;
    m_openLabel = labelId;

    CXPMenu menu;
    std::array<XPMenuItem, 10> items{};
    if (!menu.CreatePopupMenu())
        return;
    for (int i = 0; i < kMenuEntryCount; ++i) {
        items[static_cast<size_t>(i)].text = m_services.menuText ? m_services.menuText(static_cast<uint32_t>(i)) : "";
        menu.AppendOwnerDrawn(0, key_actions::kFirstMenuCommand + static_cast<UINT>(i), &items[static_cast<size_t>(i)]);
    }
    RECT labelRect{};
    GetWindowRect(label, &labelRect);
    const CRect outer = m_dialog.GetWindowRect();
    POINT at{labelRect.left - outer.left, labelRect.top - outer.top};
    m_dialog.ClientToScreen(at);
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, m_dialog.GetSafeHwnd());
}

bool CPenPage::OnMenuCommand(UINT command)
{
    const int id = static_cast<int>(command);
    if (id < key_actions::kFirstMenuCommand || command > kOtherCommand)
        return false;
    KEYACTION* record = RecordOfOpenLabel();
    if (record == nullptr)
        return true;
    const int menuIndex = id - key_actions::kFirstMenuCommand;
    const auto menuText = [&](int index) {
        return m_services.menuText ? m_services.menuText(static_cast<uint32_t>(index)) : std::string();
    };
    if (id == key_actions::kKeystrokeCommand) {
        uint8_t keys[PenPageServices::kKeyBufferSize];
        key_actions::KeystrokeBuffer(*record, keys, sizeof keys);
        if (!m_services.runKeyboard || !m_services.runKeyboard(keys))
            return true;
        key_actions::SetKeyFunction(*record, id, keys);
        SetLabelText(m_openLabel, LabelTextOf(*record));
    } else if (id == key_actions::kLaunchCommand) {
        std::string path;
        std::string parameters;
        if (!m_services.runLaunch || !m_services.runLaunch(path, parameters))
            return true;
        uint8_t launch[key_actions::kLaunchRecordSize];
        key_actions::BuildLaunchRecord(path, parameters, launch);
        key_actions::SetKeyFunction(*record, id, launch);
        // Right after the choice the label shows the path alone, as stored.
        SetLabelText(m_openLabel, key_actions::LaunchPath(*record));
    } else if (command == kOtherCommand) {
        SetLabelText(m_openLabel, menuText(kOtherMenuIndex));
    } else {
        key_actions::SetKeyFunction(*record, id, nullptr);
        SetLabelText(m_openLabel, menuText(menuIndex));
    }
    return true;
}

// ---- the mouse over the dialog --------------------------------------------------

HWND CPenPage::ChildUnder(CPoint point) const
{
    return ChildWindowFromPoint(m_dialog.GetSafeHwnd(), point);
}

void CPenPage::OnLButtonDown(CPoint point) { m_tryHere.OnButtonDown(ChildUnder(point), m_context); }

void CPenPage::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_knob.GetSafeHwnd() == nullptr)
        return;
    if (m_brand.knobEndsAtCursor) {
        m_knob.EndDragAtCursor();
        return;
    }
    POINT inKnob = point;
    MapWindowPoints(m_dialog.GetSafeHwnd(), m_knob.GetSafeHwnd(), &inKnob, 1);
    m_knob.OnLButtonUp(flags, CPoint(inKnob.x, inKnob.y));
}

void CPenPage::OnMouseMove(UINT flags, CPoint point) { m_tryHere.OnMouseMove(flags, ChildUnder(point), m_context); }
