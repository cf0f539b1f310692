// A small device-independent bitmap in one memory block (header, palette,
// pixels), drawn through a DIB section made on its first draw.
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdint>
#include <memory>

class CCeXDib {
public:
    CCeXDib();
    virtual ~CCeXDib();
    CCeXDib(const CCeXDib&) = delete;
    CCeXDib& operator=(const CCeXDib&) = delete;

    // The pixel block, or null when it cannot be allocated. Pixels and
    // palette are left as they come.
    std::uint8_t* Create(int width, int height, int bitsPerPixel);
    void Clone(const CCeXDib& source);
    void SetPaletteIndex(int index, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    void BlendPalette(COLORREF colour, int percent);
    void Clear(std::uint8_t value);
    // One byte per pixel; y = 0 is the top row.
    void SetPixelIndex(int x, int y, std::uint8_t index);
    std::uint8_t GetPixelIndex(int x, int y) const;
    RGBQUAD GetPaletteEntry(int index) const;
    void Draw(HDC dc, int x, int y);

    bool IsEmpty() const { return !m_data; }
    int GetWidth() const { return m_header.biWidth; }
    int GetHeight() const { return m_header.biHeight; }
    int GetRowSize() const { return m_rowSize; }
    int GetBitCount() const { return m_header.biBitCount; }
    int GetPaletteColours() const { return m_paletteColours; }
    std::size_t GetPaletteSize() const { return m_paletteColours * sizeof(RGBQUAD); }
    std::uint8_t* GetBits() const;
    std::size_t GetSize() const;

private:
    void Free();
    RGBQUAD* Palette() const;

    std::unique_ptr<std::uint8_t[]> m_data;
    BITMAPINFOHEADER m_header{};
    int m_rowSize = 0;
    std::uint16_t m_paletteColours = 0;
    HBITMAP m_section = nullptr;
    HDC m_memoryDC = nullptr;
    void* m_sectionBits = nullptr;
};
