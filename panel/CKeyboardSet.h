// The modal "Keyboard Setting" dialog, in the panel's language and its
// keyboard layout: a keyboard drawn key by key on which
// the user clicks up to six keys; their names show in the label below. The
// owner writes the key buffer, runs the dialog and, on IDOK, takes the
// buffer as the new keystroke. Every way of ending a run empties the key
// list, so the next run shows exactly one keyboard.
#pragma once

#include "CBkDialogKX.h"
#include "CMyStatic.h"
#include "KeyIniFile.h"
#include "KeyboardLayout.h"
#include "KeystrokeRecorder.h"

#include <cstdint>
#include <string>

class CKeyboardSet : public CBkDialogKX {
public:
    static constexpr UINT kTemplateId = 153;

    explicit CKeyboardSet(CWnd* parent = nullptr);
    ~CKeyboardSet() override;

    // The exchange area with the caller: key codes ended by 0 or 255.
    uint8_t m_keyBuffer[KeystrokeRecorder::kBufferSize] = {};

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    void OnOK() override;
    void OnCancel() override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnSaveKeys();
    void OnCancelKeys();
    void OnCleanKeys();
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnSize(UINT type, int width, int height);
    void OnClose();

    void ComputeKeyGeometry();
    void DrawKeyboard();
    void DrawKey(CDC& dc, RECT rect, KEYDEF& key);
    void FlashKey(RECT rect);
    void OnKeyPressed(const KEYDEF& key);
    void EmptyKeyList() { m_layout.Clear(); }

    KeyIniFile m_keyFile;
    KeyNames m_names;
    KeystrokeRecorder m_recorder;
    KeyboardLayout m_layout;
    CMyStatic m_label;
};
