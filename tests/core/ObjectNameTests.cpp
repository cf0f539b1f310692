#include "ObjectNames.h"
#include "SharedSections.h"
#include "TabletRecords.h"

#include <doctest/doctest.h>

#include <cstring>

TEST_SUITE("records")
{
    TEST_CASE("a record's size follows its key count, never below one key")
    {
        struct Row { int32_t keys; size_t size; };
        const Row rows[] = {{-1, 756}, {0, 756}, {1, 756}, {2, 1272}, {19, 10044}, {4, 2304}};
        for (const Row& row : rows) {
            CAPTURE(row.keys);
            CHECK(TabletRecordSize(row.keys) == row.size);
        }
    }

    TEST_CASE("key area capacity of each build")
    {
        CHECK(KeyAreaCapacity(KEYAREA_SIZE_SERVICE) == 19);
        CHECK(KeyAreaCapacity(KEYAREA_SIZE_SECOND_BRAND) == 12);
        CHECK(KeyAreaCapacity(KEYAREA_SIZE_LIBRARY) == 18);
        CHECK(KeyAreaCapacity(100) == 0);
    }
}

TEST_SUITE("object names")
{
    TEST_CASE("reload events end in the signed decimal of VID << 16 | PID")
    {
        char name[objnames::NAME_BUFFER_SIZE];
        REQUIRE(objnames::FormatReloadEventName(name, sizeof name, true, false, 0x1234, 0x5A21));
        CHECK(std::strcmp(name, "Global\\QXPENReadThread305420833") == 0);
        REQUIRE(objnames::FormatReloadEventName(name, sizeof name, false, true, 0x1234, 0x5A21));
        CHECK(std::strcmp(name, "QXPENReadThreadKeyboard305420833") == 0);
        // A VID of 0x8000 or more gives a negative number.
        REQUIRE(objnames::FormatReloadEventName(name, sizeof name, true, true, 0x8000, 0x0001));
        CHECK(std::strcmp(name, "Global\\QXPENReadThreadKeyboard-2147483647") == 0);
    }

    TEST_CASE("names that do not fit are refused and left empty")
    {
        char tiny[8];
        CHECK_FALSE(objnames::FormatObjectName(tiny, sizeof tiny, true, objnames::PEN_SECTION));
        CHECK(tiny[0] == '\0');
        CHECK_FALSE(objnames::FormatReloadEventName(tiny, sizeof tiny, false, false, 1, 2));
    }

    TEST_CASE("openers use the prefixed names only up to major version 5")
    {
        CHECK(objnames::OpenerUsesGlobalNames(5));
        CHECK_FALSE(objnames::OpenerUsesGlobalNames(6));
    }
}
