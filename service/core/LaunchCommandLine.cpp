#include "LaunchCommandLine.h"

#include <cctype>

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::string LaunchCommandLine::Extension(const std::string& file)
{
    const size_t dot = file.find_last_of('.');
    const size_t separator = file.find_last_of("\\/");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
        return {};
    return file.substr(dot);
}

bool LaunchCommandLine::IsProgram(const std::string& file)
{
    const std::string extension = Lower(Extension(file));
    return extension.empty() || extension == ".exe" || extension == ".com";
}

std::string LaunchCommandLine::ForProgram(const std::string& file, const std::string& parameters)
{
    std::string line = "\"" + file + "\"";
    if (!parameters.empty())
        line += " " + parameters;
    return line;
}

std::string LaunchCommandLine::FromOpenCommand(const std::string& command, const std::string& file,
                                               const std::string& parameters)
{
    std::string line;
    bool fileGiven = false;
    for (size_t i = 0; i < command.size(); ++i) {
        if (command[i] != '%' || i + 1 == command.size()) {
            line += command[i];
            continue;
        }
        const char placeholder = command[++i];
        if (placeholder == '1' || placeholder == 'L' || placeholder == 'l') {
            line += file;
            fileGiven = true;
        } else if (placeholder == '*') {
            line += parameters;
        } else if (placeholder == '%') {
            line += '%';
        } else if (!std::isdigit(static_cast<unsigned char>(placeholder))) {
            line += '%';  // not ours: left as it stands
            line += placeholder;
        }
    }
    if (!fileGiven)
        line += " \"" + file + "\"";
    return line;
}
