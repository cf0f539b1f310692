// A popup cut to the card of a bitmap: the magenta pixels are outside the window.
#pragma once
#include "CBkDialogKX.h"

class ShapedDlg : public CBkDialogKX {
public:
    static constexpr COLORREF kTransparent = RGB(255, 0, 255);

    explicit ShapedDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    int m_setBitmapResult = -1;
};
