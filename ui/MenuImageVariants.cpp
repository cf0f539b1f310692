#include "MenuImageVariants.h"

#include <vector>
#include "CDC.h"
#include "TRMenu.h"

namespace {

// Paints the pattern where the source is black and keeps the target where it is white.
constexpr DWORD kPatternWhereSourceBlack = 0x00B8074A;

DWORD ToPixel(COLORREF colour) {
    return static_cast<DWORD>(GetRValue(colour)) << 16 | static_cast<DWORD>(GetGValue(colour)) << 8 |
           GetBValue(colour);
}

COLORREF ToColour(DWORD pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// A 32-bit top-down DIB section and its pixel memory.
HBITMAP CreateSection(HDC dc, SIZE size, DWORD*& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels = static_cast<DWORD*>(bits);
    return section;
}

// The picture's pixels, with the background wherever the source is smaller.
bool ReadPicture(HBITMAP source, SIZE image, COLORREF background, std::vector<DWORD>& pixels) {
    CWindowDC screen(nullptr);
    CMemoryDC sourceDC(screen), pictureDC(screen);
    DWORD* bits = nullptr;
    CBitmap picture(CreateSection(screen, image, bits));
    if (!sourceDC.GetSafeHdc() || !pictureDC.GetSafeHdc() || !picture) return false;
    {
        CSelectObject sourceSelected(sourceDC, source);
        CSelectObject pictureSelected(pictureDC, picture);
        pictureDC.FillSolidRect(0, 0, image.cx, image.cy, background);
        pictureDC.BitBlt(0, 0, image.cx, image.cy, sourceDC, 0, 0, SRCCOPY);
    }
    GdiFlush();
    pixels.assign(bits, bits + static_cast<std::size_t>(image.cx) * static_cast<std::size_t>(image.cy));
    return true;
}

}  // namespace

bool MenuImageVariants::Build(HBITMAP source, SIZE image, COLORREF background, COLORREF shadow,
                              CBitmap (&variants)[kVariantCount]) {
    std::vector<DWORD> pixels;
    if (!source || image.cx <= 0 || image.cy <= 0 || !ReadPicture(source, image, background, pixels)) return false;
    const DWORD backgroundPixel = ToPixel(background);
    CWindowDC screen(nullptr);
    for (int variant = kNormal; variant < kVariantCount; ++variant) {
        DWORD* bits = nullptr;
        variants[variant].Attach(CreateSection(screen, image, bits));
        if (!variants[variant]) return false;
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            const DWORD pixel = pixels[i] & 0x00FFFFFF;
            if (variant == kNormal || pixel == backgroundPixel) {
                bits[i] = pixel;
            } else if (variant == kFaded) {
                bits[i] = ToPixel(TRMenu::BlendTowardWhite(ToColour(pixel), 0.3));
            } else {
                bits[i] = ToPixel(shadow);
            }
        }
    }
    GdiFlush();
    return true;
}

void MenuImageVariants::Emboss(HDC dc, HIMAGELIST list, int index, int x, int y) {
    int width = 0, height = 0;
    if (!list || !ImageList_GetIconSize(list, &width, &height)) return;
    CMemoryDC maskDC(dc);
    CBitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
    if (!maskDC.GetSafeHdc() || !mask) return;
    CSelectObject maskSelected(maskDC, mask);
    PatBlt(maskDC, 0, 0, width, height, WHITENESS);
    ImageList_Draw(list, index, maskDC, 0, 0, ILD_MASK);  // opaque pixels black
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    const struct { int offset; int colour; } passes[] = {{1, COLOR_BTNHIGHLIGHT}, {0, COLOR_GRAYTEXT}};
    for (const auto& pass : passes) {
        CBrush brush(GetSysColor(pass.colour));
        CSelectObject brushSelected(dc, brush);
        BitBlt(dc, x + pass.offset, y + pass.offset, width, height, maskDC, 0, 0, kPatternWhereSourceBlack);
    }
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}
