#include "ScriptedHidEnumerator.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

constexpr size_t MAX_SCRIPT_SIZE = 64 * 1024;

uint16_t Number(const std::string& text) { return static_cast<uint16_t>(std::strtoul(text.c_str(), nullptr, 0)); }

}  // namespace

std::unique_ptr<ScriptedHidEnumerator> ScriptedHidEnumerator::FromEnvironment()
{
    const char* script = std::getenv(TEST_HID_SCRIPT_VARIABLE);
    if (script == nullptr || *script == '\0')
        return nullptr;
    return std::make_unique<ScriptedHidEnumerator>(script);
}

std::vector<std::vector<std::string>> ScriptedHidEnumerator::ReadLines() const
{
    std::vector<std::vector<std::string>> lines;
    FILE* file = std::fopen(scriptPath_.c_str(), "rb");
    if (file == nullptr)
        return lines;
    std::string text(MAX_SCRIPT_SIZE, '\0');
    text.resize(std::fread(&text[0], 1, text.size(), file));
    std::fclose(file);
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        std::istringstream words(line);
        std::vector<std::string> tokens;
        for (std::string word; words >> word;)
            tokens.push_back(word);
        if (!tokens.empty())
            lines.push_back(tokens);
    }
    return lines;
}

bool ScriptedHidEnumerator::Find(int index, ScriptedInterface& out) const
{
    int seen = 0;
    for (const std::vector<std::string>& tokens : ReadLines()) {
        if (tokens[0] != "device" || tokens.size() < 8)
            continue;
        if (seen++ != index)
            continue;
        out.pipe = tokens[1];
        out.info.hasAttributes = tokens[2] != "-";
        out.info.vid = Number(tokens[2]);
        out.info.pid = Number(tokens[3]);
        out.info.hasCaps = tokens[4] != "-";
        out.info.usagePage = Number(tokens[4]);
        out.info.usage = Number(tokens[5]);
        out.info.inputReportLength = Number(tokens[6]);
        out.info.outputReportLength = Number(tokens[7]);
        return true;
    }
    return false;
}

ScopedHandle ScriptedHidEnumerator::Open(int index)
{
    ScriptedInterface scripted;
    if (!Find(index, scripted))
        return ScopedHandle();
    ScopedHandle pipe(CreateFileA(scripted.pipe.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OVERLAPPED, nullptr));
    if (!pipe)
        return pipe;
    // One message per read, like one input report per HID read.
    DWORD mode = PIPE_READMODE_MESSAGE;
    SetNamedPipeHandleState(pipe.Get(), &mode, nullptr, nullptr);
    return pipe;
}

HidInterfaceInfo ScriptedHidEnumerator::Describe(int index, HANDLE)
{
    ScriptedInterface scripted;
    if (!Find(index, scripted))
        return HidInterfaceInfo{};
    return scripted.info;
}

std::string ScriptedHidEnumerator::EchoPipe() const
{
    for (const std::vector<std::string>& tokens : ReadLines()) {
        if (tokens[0] == "echo" && tokens.size() >= 2)
            return tokens[1];
    }
    return std::string();
}
