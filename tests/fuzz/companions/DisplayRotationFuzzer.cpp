// The rotation search and the published rectangle over any display
// configuration: a header (state, mapped area, counts), then the active
// paths and the attached displays, 17 bytes each (x, y as i32, width,
// height as u16, rotation, name number).
#include "DisplayRotation.h"
#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Reader {
    const uint8_t* data;
    size_t size;
    template <typename T> T Take()
    {
        T value{};
        const size_t n = size < sizeof value ? size : sizeof value;
        std::memcpy(&value, data, n);
        data += n;
        size -= n;
        return value;
    }
};

std::string NameOf(uint8_t number)
{
    // Long names too: only 12 characters are kept.
    return "\\\\.\\DISPLAY" + std::to_string(number % 20) + (number >= 200 ? "-extra" : "");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Reader in{data, size};
    const int32_t state = in.Take<int8_t>();
    rotation::MappedArea area;
    area.x0 = in.Take<uint16_t>();
    area.y0 = in.Take<uint16_t>();
    area.x1 = in.Take<uint16_t>();
    area.y1 = in.Take<uint16_t>();
    const uint8_t pathCount = in.Take<uint8_t>() % 40;
    const uint8_t displayCount = in.Take<uint8_t>() % 40;
    std::vector<rotation::DisplayPath> paths;
    std::vector<rotation::AttachedDisplay> displays;
    for (int i = 0; i < pathCount + displayCount; ++i) {
        const int32_t x = in.Take<int32_t>() % 100000, y = in.Take<int32_t>() % 100000;
        const int32_t width = in.Take<uint16_t>(), height = in.Take<uint16_t>();
        const int32_t turned = in.Take<uint8_t>() % 6;
        const std::string name = NameOf(in.Take<uint8_t>());
        if (i < pathCount)
            paths.push_back({x, y, width, height, turned, name});
        else
            displays.push_back({name, x, y, width, height});
    }

    rotation::RotationWatch watch;
    watch.Seed(state);
    const int32_t found = watch.Search(paths, area);
    FuzzRequire(watch.TargetName().size() <= rotation::DISPLAY_NAME_CHARS, "the target name is kept to 12 characters");
    const bool fromFirst = !paths.empty() && found == paths[0].rotation;
    const bool fromSecond = paths.size() >= 2 && found == paths[1].rotation;
    FuzzRequire(found == rotation::STATE_NO_DISPLAY || fromFirst || fromSecond,
                "a rotation comes from one of the first two paths");
    int32_t code = 0;
    const bool change = watch.ChangeToPublish(found, code);
    rotation::MappedArea published;
    const bool publishable =
        rotation::ComputeTargetDisplayRect(displays, watch.TargetName(), watch.TargetRect(), published);
    FuzzRequire(!publishable || !displays.empty(), "nothing is published without an attached display");
    watch.Settle(found, change && publishable);
    return 0;
}
