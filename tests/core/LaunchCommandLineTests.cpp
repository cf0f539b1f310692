// The command line a launch is started with when the shell cannot start it.
#include "LaunchCommandLine.h"

#include <doctest/doctest.h>

TEST_SUITE("launch command line")
{
    TEST_CASE("programs start themselves, documents through their open command with its placeholders filled")
    {
        CHECK(LaunchCommandLine::IsProgram("C:\\Tools\\Paint.EXE"));
        CHECK(LaunchCommandLine::IsProgram("C:\\Tools.v2\\notepad"));  // a dot in a folder is no extension
        CHECK(!LaunchCommandLine::IsProgram("C:\\Docs\\plan.txt"));
        CHECK(LaunchCommandLine::Extension("\\\\server\\share\\a.b\\plan.txt") == ".txt");
        CHECK(LaunchCommandLine::ForProgram("C:\\Program Files\\x.exe", "-a b") == "\"C:\\Program Files\\x.exe\" -a b");
        CHECK(LaunchCommandLine::ForProgram("C:\\x.exe", "") == "\"C:\\x.exe\"");

        const std::string doc = "C:\\My Docs\\plan.txt";
        CHECK(LaunchCommandLine::FromOpenCommand("\"C:\\Ed\\ed.exe\" \"%1\" %*", doc, "-r") ==
              "\"C:\\Ed\\ed.exe\" \"C:\\My Docs\\plan.txt\" -r");
        CHECK(LaunchCommandLine::FromOpenCommand("view.exe /p %L %2 100%% %I", doc, "") ==
              "view.exe /p C:\\My Docs\\plan.txt  100% %I");
        // Without a place for the file it goes last, quoted.
        CHECK(LaunchCommandLine::FromOpenCommand("ed.exe -n", doc, "-r") == "ed.exe -n \"C:\\My Docs\\plan.txt\"");
        CHECK(LaunchCommandLine::FromOpenCommand("ed.exe %", doc, "") == "ed.exe % \"C:\\My Docs\\plan.txt\"");
    }
}
