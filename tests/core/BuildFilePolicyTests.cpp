// The settings files as each build keeps them: the default key table a
// record of never-set keys gets.
#include "BuildPolicy.h"
#include "RecordingSystem.h"
#include "ServiceCodes.h"
#include "SettingsFiles.h"
#include "StdioFileSystem.h"

#include <doctest/doctest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

TABLETRECORD_HEAD Head(const Bytes& record) { return *RecordHead(record.data()); }
KEYACTION& Key(Bytes& record, int index) { return RecordKeys(record.data())[index]; }

struct FilesFixture {
    RecordingSystem system;
    StdioFileSystem files;
};

}  // namespace

TEST_SUITE("settings files")
{
    TEST_CASE_FIXTURE(FilesFixture, "default keys of a 10-key model in both tables")
    {
        struct Row { const BuildPolicy* policy; uint8_t keys[10]; };
        for (const Row& row : {Row{&BuildPolicy::Reference(), {32, 160, 162, 164, 0, 32, 160, 162, 164, 0}},
                               Row{&BuildPolicy::SecondBrand(), {32, 16, 17, 18, 0, 32, 16, 17, 18, 0}}}) {
            Bytes out(TabletRecordSize(19));
            SettingsFiles(system, files, row.policy->files).InitDefaultKeyTable(out.data(), out.size(), 19);
            for (int i = 0; i < 10; ++i) {
                CAPTURE(i);
                CHECK(Key(out, i).actionCode == (i == 4 || i == 9 ? ACTION_STRIP : ACTION_KEYSTROKE));
                CHECK(static_cast<uint8_t>(Key(out, i).data[0]) == row.keys[i]);
            }
            CHECK(Key(out, 18).actionCode == ACTION_KEYSTROKE);  // past the table: an empty keystroke
            CHECK(Key(out, 18).data[0] == 0);
            CHECK(Head(out).keyCount == 19);
        }
    }
}
