// The command line that starts a launch action's file the way the shell's
// "open" does: a program with its parameters, a document through the open
// command of its file type. Used where the shell itself cannot start it (for
// another user than the caller).
#pragma once

#include <string>

class LaunchCommandLine {
public:
    // A program is started itself: ".exe", ".com", or no extension at all
    // (the system's search adds ".exe").
    static bool IsProgram(const std::string& file);
    // The extension with its dot (".txt"), empty when the name has none.
    static std::string Extension(const std::string& file);
    // "file" parameters
    static std::string ForProgram(const std::string& file, const std::string& parameters);
    // The file type's open command with its placeholders filled in the shell's
    // way: %1 and %L the file, %* the parameters, %% a percent sign, the other
    // numbered ones nothing. A command without %1 or %L gets the file appended.
    static std::string FromOpenCommand(const std::string& command, const std::string& file,
                                       const std::string& parameters);
};
