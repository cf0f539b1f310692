#include "MemoryFileSystem.h"
#include "PenFileWriter.h"

#include <doctest/doctest.h>

#include <cstring>
#include <vector>

TEST_CASE("the pen settings file is written whole over an existing file, or reported as failed")
{
    constexpr const char* path = "C:\\pf\\Tablet\\qxpen.ked";
    MemoryFileSystem files;
    PENSETTINGS pen{};
    pen.pressureSensitivity = 140;
    pen.penButton[1].actionCode = 256;

    CHECK_FALSE(PenFileWriter::Write(files, path, pen));  // missing: not created
    CHECK(files.files.count(path) == 0);

    files.files[path] = std::vector<uint8_t>(sizeof(PENSETTINGS) + 16, 0xEE);
    REQUIRE(PenFileWriter::Write(files, path, pen));
    CHECK(std::memcmp(files.files[path].data(), &pen, sizeof pen) == 0);
    CHECK(files.files[path][sizeof(PENSETTINGS)] == 0xEE);  // the rest stays

    files.failAfter = 0;
    CHECK_FALSE(PenFileWriter::Write(files, path, pen));
    CHECK(files.openFiles == 0);
}
