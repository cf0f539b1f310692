#include "ShapedDlg.h"

#include "GalleryResource.h"

ShapedDlg::ShapedDlg(CWnd* parent) : CBkDialogKX(IDD_SHAPED, parent) {}

BOOL ShapedDlg::OnInitDialog() {
    CBkDialogKX::OnInitDialog();
    m_setBitmapResult = SetBitmap(IDB_SHAPED, kTransparent);
    const SIZE size = GetBitmapSize();
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}
