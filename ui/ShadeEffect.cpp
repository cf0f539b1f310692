#include "ShadeEffect.h"

#include <algorithm>
#include <cstdint>

namespace {

struct Noise {
    int amplitude;
    int divisor;
    const RandomSource& random;
    int Next() const { return random() / divisor - amplitude; }
};

Noise MakeNoise(int granularity, const RandomSource& random) {
    const int divisor = granularity == 0 ? 32767 : std::max(1, 32767 / (2 * granularity));
    return Noise{granularity, divisor, random};
}

// Rows are stored bottom-up: row 0 is the picture's bottom row.
std::uint8_t* Row(CCeXDib& picture, int row) { return picture.GetBits() + static_cast<std::size_t>(row) * picture.GetRowSize(); }

void AddNoise(std::uint8_t& pixel, const Noise& noise) {
    pixel = static_cast<std::uint8_t>(pixel + noise.Next());
}

int Cube(int value) { return value * value * value; }

void FillCushion(CCeXDib& picture, const Noise& noise) {  // effect 6
    const int W = picture.GetWidth(), H = picture.GetHeight();
    const int A = noise.amplitude, M = 255 - A, D = 128 - A;
    for (int r = 0; r < H; ++r) {
        std::uint8_t* row = Row(picture, r);
        const int J = (r * 255) / H - 127;
        for (int i = 0; i < W; ++i) {
            const int L = ((W - i) * 255) / W - 127;
            int v = ((Cube(L) / 16384 + Cube(J) / 16384) * D) / 128 + 128;
            v = std::min(std::max(v, A), M);
            row[i] = static_cast<std::uint8_t>(v);
            AddNoise(row[i], noise);
        }
    }
}

void FillDiagonal(CCeXDib& picture, const Noise& noise, bool add) {  // effect 1 (and the ramp of 8)
    const int W = picture.GetWidth(), H = picture.GetHeight(), A = noise.amplitude;
    const int F = 255 - 2 * A;
    for (int r = 0; r < H; ++r) {
        std::uint8_t* row = Row(picture, r);
        for (int i = 0; i < W; ++i) {
            const int v = ((W - i) * (F / 2)) / W + (r * (F / 2)) / H + noise.Next() + A;
            row[i] = static_cast<std::uint8_t>(add ? row[i] + v : v);
        }
    }
}

void FillVerticalRamp(CCeXDib& picture, const Noise& noise) {  // effect 2
    const int W = picture.GetWidth(), H = picture.GetHeight(), A = noise.amplitude, F = 255 - 2 * A;
    for (int r = 0; r < H; ++r) {
        std::uint8_t* row = Row(picture, r);
        for (int i = 0; i < W; ++i) row[i] = static_cast<std::uint8_t>(A + (r * F) / H + noise.Next());
    }
}

void FillHorizontalRamp(CCeXDib& picture, const Noise& noise) {  // effect 3
    const int W = picture.GetWidth(), H = picture.GetHeight(), A = noise.amplitude, F = 255 - 2 * A;
    for (int r = 0; r < H; ++r) {
        std::uint8_t* row = Row(picture, r);
        for (int i = 0; i < W; ++i) row[i] = static_cast<std::uint8_t>(A + (F * (W - i)) / W + noise.Next());
    }
}

void FillVerticalCushion(CCeXDib& picture, const Noise& noise, int amplitude) {  // effects 4 and 7
    const int W = picture.GetWidth(), H = picture.GetHeight();
    for (int r = 0; r < H; ++r) {
        std::uint8_t* row = Row(picture, r);
        const int v = ((Cube((r * 255) / H - 127) / 16384) * amplitude) / 128 + 128;
        for (int i = 0; i < W; ++i) row[i] = static_cast<std::uint8_t>(v + noise.Next());
    }
}

void FillHorizontalCushion(CCeXDib& picture, const Noise& noise) {  // effect 5
    const int W = picture.GetWidth(), H = picture.GetHeight(), D = 128 - noise.amplitude;
    for (int r = 0; r < H; ++r) {
        std::uint8_t* row = Row(picture, r);
        for (int i = 0; i < W; ++i) {
            row[i] = static_cast<std::uint8_t>((D * (Cube(((W - i) * 255) / W - 127) / 16384)) / 128 + 128 +
                                               noise.Next());
        }
    }
}

void AddLightEdge(CCeXDib& picture) {  // the diagonal edge of effect 7
    const int W = picture.GetWidth(), H = picture.GetHeight();
    const int edge = std::min(W / 6, 16);
    for (int y = 0; y < H; ++y) {
        for (int k = 0; k < edge; ++k) {
            const int x = y + k - edge / 2;
            if (x >= 0 && x < W) picture.SetPixelIndex(x, y, static_cast<std::uint8_t>(255 - k * 4));
        }
    }
}

void DrawStrokes(CCeXDib& picture, const RandomSource& random) {  // the strokes of effect 8
    const int W = picture.GetWidth(), H = picture.GetHeight();
    for (int stroke = 0; stroke < 200; ++stroke) {
        const int x0 = random() % W, y0 = random() % H, length = 3 + random() % 8;
        const std::uint8_t index = static_cast<std::uint8_t>(random() % 64);
        for (int k = 0; k < length; ++k) picture.SetPixelIndex(x0 + k, y0 + k, index);
    }
}

void FillNoiseOnly(CCeXDib& picture, const Noise& noise) {
    const int W = picture.GetWidth(), H = picture.GetHeight();
    for (int r = 0; r < H; ++r) {
        std::uint8_t* row = Row(picture, r);
        for (int i = 0; i < W; ++i) row[i] = static_cast<std::uint8_t>(noise.Next() - 128);
    }
}

}  // namespace

void ShadeEffect::FillPalette(CCeXDib& picture, const ShadeColours& colours) {
    auto mix = [](int k, int weight, COLORREF from, COLORREF to, int channel) {
        const int a = (from >> (8 * channel)) & 0xFF, b = (to >> (8 * channel)) & 0xFF;
        return static_cast<std::uint8_t>(((weight - k) * a + k * b) / weight);
    };
    for (int k = 0; k <= 128; ++k) {
        picture.SetPaletteIndex(k, mix(k, 128, colours.shadow, colours.face, 0), mix(k, 128, colours.shadow, colours.face, 1),
                                mix(k, 128, colours.shadow, colours.face, 2));
    }
    for (int v = 1; v <= 128; ++v) {
        picture.SetPaletteIndex(127 + v, mix(v, 128, colours.face, colours.highlight, 0),
                                mix(v, 128, colours.face, colours.highlight, 1),
                                mix(v, 128, colours.face, colours.highlight, 2));
    }
}

void ShadeEffect::FillIndices(CCeXDib& picture, int type, int granularity, const RandomSource& random) {
    if (picture.IsEmpty() || picture.GetBitCount() != 8) return;
    granularity = std::clamp(granularity, 0, 255);
    const Noise noise = MakeNoise(granularity, random);
    switch (type) {
    case 1: FillDiagonal(picture, noise, false); break;
    case 2: FillVerticalRamp(picture, noise); break;
    case 3: FillHorizontalRamp(picture, noise); break;
    case 4: FillVerticalCushion(picture, noise, 128 - granularity); break;
    case 5: FillHorizontalCushion(picture, noise); break;
    case 6: FillCushion(picture, noise); break;
    case 7:
        FillVerticalCushion(picture, noise, (64 - granularity) * 2);
        AddLightEdge(picture);
        break;
    case 8:
        picture.Clear(0);
        DrawStrokes(picture, random);
        FillDiagonal(picture, noise, true);
        break;
    default: FillNoiseOnly(picture, noise); break;
    }
}
