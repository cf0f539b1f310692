// The pen settings file: read into exactly one record, written back, and
// taken up by the pen pipeline when a new pen comes into range, whose strokes
// and buttons then run on whatever the file held. Promises: the reader copies
// only what the file has and no more than the record, the writer writes one
// record, and the pen's strokes keep every promise of the pipeline (positions
// on the desktop, nothing held after the leave).
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "FuzzService.h"
#include "ServiceCodes.h"
#include "SettingsFiles.h"
#include "TabletRecordBuilder.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

#pragma pack(push, 1)
struct PenFileSetup {
    uint8_t build;
    int16_t failAfter;
    uint16_t fileLength;
    uint8_t stroke[8][10];  // pen reports after the new pen's identification
};
#pragma pack(pop)

constexpr uint8_t UNTOUCHED = 0xCD;

void RequireRead(const PENSETTINGS& record, const uint8_t* file, size_t length, int result)
{
    const size_t copied = std::min(length, sizeof record);
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&record);
    FuzzRequire(result == (length > 0 ? 1 : 0), "the reader reports any bytes read");
    FuzzRequire(std::memcmp(bytes, file, copied) == 0, "the record holds the file's bytes");
    FuzzRequire(std::all_of(bytes + copied, bytes + sizeof record, [](uint8_t b) { return b == UNTOUCHED; }),
                "a short file fills only what it has");
}

void FeedPen(FuzzService& service, const TABLETINFO& header, const MAPPINGDEF& mapping, const uint8_t* report)
{
    std::memcpy(service.state.report, report, 10);
    service.pipeline.ProcessPenReport(header, mapping);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const PenFileSetup setup = input.Read<PenFileSetup>();
    FuzzService service(BuildPolicy::For(static_cast<ServiceBuild>(setup.build % 3)));
    size_t fileLength = 0;
    const uint8_t* fileBytes = input.Take(setup.fileLength, fileLength);
    const std::string path = FuzzService::PathOf(PEN_SETTINGS_FILE);
    MemoryFileSystem& files = service.files;
    files.files[path].assign(fileBytes, fileBytes + fileLength);
    SettingsFiles settings(service.system, files, service.context.policy->files);

    std::unique_ptr<PENSETTINGS> record(new PENSETTINGS);
    std::memset(record.get(), UNTOUCHED, sizeof *record);
    RequireRead(*record, fileBytes, fileLength, settings.ReadPenSettingsFile(*record));

    // A new pen comes into range: the pipeline reloads the record from the file.
    const TABLETRECORD_HEAD desk = TabletRecordBuilder(0, 0)
                                       .PenReport((setup.build & 0x80) ? 8 : 10)
                                       .Extent(10206, 7422)
                                       .Pressure(1023)
                                       .WholeDesktop()
                                       .Record();
    const TABLETINFO& header = desk.info;
    const MAPPINGDEF& mapping = desk.mapping;
    service.pen->pen.toolId = 0x802;
    const uint8_t identification[10] = {2, 0xC2, 0x81, 0x25, 1, 2, 3, 4};
    FeedPen(service, header, mapping, identification);
    for (const auto& report : setup.stroke)
        FeedPen(service, header, mapping, report);
    const uint8_t leave[10] = {2, 0x80};
    FeedPen(service, header, mapping, leave);
    service.RequireNothingHeld("the pen with the file's settings left");

    // Written back as the save command does, through a failing door too.
    files.failAfter = setup.failAfter;
    settings.WritePenSettingsFile(service.pen->pen);
    FuzzRequire(files.openFiles == 0, "the pen file is closed");
    const auto& written = files.files[path];
    if (files.failAfter != 0) {
        FuzzRequire(written.size() == std::max(fileLength, sizeof(PENSETTINGS)), "one record is written");
        FuzzRequire(std::memcmp(written.data(), &service.pen->pen, sizeof(PENSETTINGS)) == 0,
                    "the record written is the pen section's");
    }
    return 0;
}
