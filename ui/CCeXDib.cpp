#include "CCeXDib.h"

#include <cstring>
#include <new>

namespace {

std::uint16_t PaletteColoursFor(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

}  // namespace

CCeXDib::CCeXDib() = default;

CCeXDib::~CCeXDib() { Free(); }

void CCeXDib::Free() {
    if (m_memoryDC) DeleteDC(m_memoryDC);
    if (m_section) DeleteObject(m_section);
    m_memoryDC = nullptr;
    m_section = nullptr;
    m_sectionBits = nullptr;
    m_data.reset();
    m_header = BITMAPINFOHEADER{};
    m_rowSize = 0;
    m_paletteColours = 0;
}

std::uint8_t* CCeXDib::Create(int width, int height, int bitsPerPixel) {
    Free();
    if (width <= 0 || height <= 0 || bitsPerPixel <= 0) return nullptr;
    const long long rowSize = ((static_cast<long long>(width) * bitsPerPixel + 31) >> 5) * 4;
    const long long imageSize = rowSize * height;
    if (imageSize > 0x7FFFFFFF) return nullptr;
    m_rowSize = static_cast<int>(rowSize);
    m_paletteColours = PaletteColoursFor(bitsPerPixel);
    m_header.biSize = sizeof(BITMAPINFOHEADER);
    m_header.biWidth = width;
    m_header.biHeight = height;
    m_header.biPlanes = 1;
    m_header.biBitCount = static_cast<WORD>(bitsPerPixel);
    m_header.biCompression = BI_RGB;
    m_header.biSizeImage = static_cast<DWORD>(imageSize);
    m_data.reset(new (std::nothrow) std::uint8_t[GetSize()]);
    if (!m_data) {
        Free();
        return nullptr;
    }
    std::memcpy(m_data.get(), &m_header, sizeof(m_header));
    return m_data.get();
}

std::size_t CCeXDib::GetSize() const {
    return sizeof(BITMAPINFOHEADER) + GetPaletteSize() + m_header.biSizeImage;
}

RGBQUAD* CCeXDib::Palette() const {
    return m_data ? reinterpret_cast<RGBQUAD*>(m_data.get() + sizeof(BITMAPINFOHEADER)) : nullptr;
}

std::uint8_t* CCeXDib::GetBits() const {
    return m_data ? m_data.get() + sizeof(BITMAPINFOHEADER) + GetPaletteSize() : nullptr;
}

void CCeXDib::Clone(const CCeXDib& source) {
    if (source.IsEmpty()) {
        Free();
        return;
    }
    if (Create(source.GetWidth(), source.GetHeight(), source.GetBitCount())) {
        std::memcpy(m_data.get(), source.m_data.get(), GetSize());
    }
}

void CCeXDib::SetPaletteIndex(int index, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const int entry = index % 256;
    if (!m_data || m_paletteColours == 0 || entry < 0 || entry >= m_paletteColours) return;
    Palette()[entry] = RGBQUAD{blue, green, red, 0};
}

RGBQUAD CCeXDib::GetPaletteEntry(int index) const {
    if (!m_data || index < 0 || index >= m_paletteColours) return RGBQUAD{};
    return Palette()[index];
}

void CCeXDib::BlendPalette(COLORREF colour, int percent) {
    if (!m_data || m_paletteColours == 0) return;
    if (percent > 100) percent = 100;
    if (percent < 0) percent = 0;
    const int red = GetRValue(colour), green = GetGValue(colour), blue = GetBValue(colour);
    auto blend = [percent](int target, int channel) {
        return static_cast<std::uint8_t>((target * percent + channel * (100 - percent)) / 100);
    };
    RGBQUAD* palette = Palette();
    for (int i = 0; i < m_paletteColours; ++i) {
        palette[i].rgbRed = blend(red, palette[i].rgbRed);
        palette[i].rgbGreen = blend(green, palette[i].rgbGreen);
        palette[i].rgbBlue = blend(blue, palette[i].rgbBlue);
    }
}

void CCeXDib::Clear(std::uint8_t value) {
    if (m_data) std::memset(GetBits(), value, m_header.biSizeImage);
}

void CCeXDib::SetPixelIndex(int x, int y, std::uint8_t index) {
    if (!m_data || m_paletteColours == 0 || x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight()) return;
    GetBits()[x + static_cast<std::size_t>(GetHeight() - y - 1) * m_rowSize] = index;
}

std::uint8_t CCeXDib::GetPixelIndex(int x, int y) const {
    if (!m_data || m_paletteColours == 0 || x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight()) return 0;
    return GetBits()[x + static_cast<std::size_t>(GetHeight() - y - 1) * m_rowSize];
}

void CCeXDib::Draw(HDC dc, int x, int y) {
    if (!m_data) return;
    if (!m_section) {
        m_section = CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(m_data.get()), DIB_RGB_COLORS,
                                     &m_sectionBits, nullptr, 0);
        if (!m_section) return;
    }
    if (!m_memoryDC) {
        m_memoryDC = CreateCompatibleDC(dc);
        if (!m_memoryDC) return;
    }
    std::memcpy(m_sectionBits, GetBits(), m_header.biSizeImage);
    HGDIOBJ previous = SelectObject(m_memoryDC, m_section);
    BitBlt(dc, x, y, GetWidth(), GetHeight(), m_memoryDC, 0, 0, SRCCOPY);
    SelectObject(m_memoryDC, previous);
}
