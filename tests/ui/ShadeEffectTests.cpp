#include <doctest/doctest.h>

#include <random>
#include "CCeXDib.h"
#include "ShadeEffect.h"

namespace {

const ShadeColours kColours{RGB(160, 160, 160), RGB(240, 240, 240), RGB(255, 255, 255)};

RandomSource Constant(int value) {
    return [value] { return value; };
}

RandomSource Seeded(unsigned seed) {
    auto engine = std::make_shared<std::minstd_rand>(seed);
    return [engine] { return static_cast<int>((*engine)() % 32768); };
}

// The effect-6 index without noise, straight from its formula.
int Cushion(int width, int height, int x, int yFromTop, int granularity) {
    const int r = height - 1 - yFromTop;  // rows are computed bottom first
    const int j = (r * 255) / height - 127;
    const int l = ((width - x) * 255) / width - 127;
    int v = ((l * l * l / 16384 + j * j * j / 16384) * (128 - granularity)) / 128 + 128;
    return std::min(std::max(v, granularity), 255 - granularity);
}

}  // namespace

TEST_SUITE("shade pictures") {
    TEST_CASE("a picture is one block: header, palette, rows padded to 4 bytes") {
        CCeXDib picture;
        REQUIRE(picture.Create(5, 3, 8));
        CHECK(picture.GetRowSize() == 8);
        CHECK(picture.GetPaletteColours() == 256);
        CHECK(picture.GetSize() == 40 + 1024 + 24);
        CCeXDib mono;
        REQUIRE(mono.Create(33, 2, 1));
        CHECK(mono.GetRowSize() == 8);
        CHECK(mono.GetPaletteColours() == 2);
    }

    TEST_CASE("the palette runs from shadow over face to highlight") {
        CCeXDib picture;
        REQUIRE(picture.Create(4, 4, 8));
        ShadeEffect::FillPalette(picture, kColours);
        CHECK(picture.GetPaletteEntry(0).rgbRed == 160);
        CHECK(picture.GetPaletteEntry(64).rgbRed == 200);
        CHECK(picture.GetPaletteEntry(127).rgbGreen == 239);  // (1 x 160 + 127 x 240) / 128
        CHECK(picture.GetPaletteEntry(128).rgbBlue == 240);   // the second pass, v = 1: (127 x 240 + 255) / 128
        CHECK(picture.GetPaletteEntry(255).rgbRed == 255);
    }

    TEST_CASE("blending takes at most 100 percent") {
        CCeXDib picture;
        REQUIRE(picture.Create(2, 2, 8));
        ShadeEffect::FillPalette(picture, kColours);
        picture.BlendPalette(RGB(10, 20, 30), 150);
        for (int i : {0, 77, 255}) {
            CAPTURE(i);
            CHECK(picture.GetPaletteEntry(i).rgbRed == 10);
            CHECK(picture.GetPaletteEntry(i).rgbGreen == 20);
            CHECK(picture.GetPaletteEntry(i).rgbBlue == 30);
        }
        CCeXDib half;
        REQUIRE(half.Create(2, 2, 8));
        ShadeEffect::FillPalette(half, kColours);
        half.BlendPalette(RGB(0, 0, 0), 50);
        CHECK(half.GetPaletteEntry(0).rgbRed == 80);
    }

    TEST_CASE("pixel rows count from the top") {
        CCeXDib picture;
        REQUIRE(picture.Create(3, 4, 8));
        picture.Clear(0);
        picture.SetPixelIndex(1, 0, 99);
        CHECK(picture.GetBits()[3 * 4 + 1] == 99);  // the last stored row (row size 4)
        picture.SetPixelIndex(-1, 0, 7);
        picture.SetPixelIndex(3, 0, 7);
        picture.SetPixelIndex(0, 4, 7);
        CHECK(picture.GetPixelIndex(0, 3) == 0);
    }

    TEST_CASE("an empty picture ignores every operation") {
        CCeXDib picture;
        picture.SetPixelIndex(0, 0, 1);
        picture.SetPaletteIndex(0, 1, 2, 3);
        picture.BlendPalette(0, 50);
        picture.Clear(9);
        ShadeEffect::FillIndices(picture, 6, 8, Constant(0));
        CHECK(picture.IsEmpty());
        CHECK(picture.Create(0, 5, 8) == nullptr);
    }

    TEST_CASE("effect 6 without noise is the cushion, brightest at the top left") {
        CCeXDib picture;
        REQUIRE(picture.Create(20, 10, 8));
        ShadeEffect::FillIndices(picture, 6, 0, Constant(0));  // granularity 0: rand / 32767 - 0 = 0
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 20; ++x) {
                CAPTURE(x);
                CAPTURE(y);
                CHECK(picture.GetPixelIndex(x, y) == Cushion(20, 10, x, y, 0));
            }
        }
        CHECK(picture.GetPixelIndex(0, 0) > picture.GetPixelIndex(19, 9));
    }

    TEST_CASE("granularity 0 adds 1 only for the largest random value") {
        CCeXDib picture;
        REQUIRE(picture.Create(6, 6, 8));
        ShadeEffect::FillIndices(picture, 6, 0, Constant(32767));
        CHECK(picture.GetPixelIndex(2, 2) == Cushion(6, 6, 2, 2, 0) + 1);
    }

    TEST_CASE("effect 6 keeps the panel's pictures inside the margins with noise of at most 8") {
        CCeXDib picture;
        REQUIRE(picture.Create(64, 20, 8));
        ShadeEffect::FillIndices(picture, 6, 8, Seeded(7));
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 64; ++x) {
                const int clean = Cushion(64, 20, x, y, 8);
                const int index = picture.GetPixelIndex(x, y);
                CHECK(clean >= 8);
                CHECK(clean <= 247);
                CHECK(index >= clean - 8);
                CHECK(index <= clean + 8);
            }
        }
    }

    TEST_CASE("the same seed draws the same picture") {
        CCeXDib first, second;
        REQUIRE(first.Create(16, 8, 8));
        REQUIRE(second.Create(16, 8, 8));
        ShadeEffect::FillIndices(first, 6, 8, Seeded(42));
        ShadeEffect::FillIndices(second, 6, 8, Seeded(42));
        CHECK(std::equal(first.GetBits(), first.GetBits() + 16 * 8, second.GetBits()));
    }

    TEST_CASE("a one-pixel-wide picture uses the brightest column term") {
        CCeXDib picture;
        REQUIRE(picture.Create(1, 4, 8));
        ShadeEffect::FillIndices(picture, 6, 0, Constant(0));
        CHECK(picture.GetPixelIndex(0, 0) == Cushion(1, 4, 0, 0, 0));
    }

    TEST_CASE("every effect type fills the picture without leaving it") {
        for (int type = 0; type <= 9; ++type) {
            CAPTURE(type);
            CCeXDib picture;
            REQUIRE(picture.Create(24, 12, 8));
            ShadeEffect::FillIndices(picture, type, 8, Seeded(3));
            CHECK_FALSE(picture.IsEmpty());
        }
    }
}
