// Where the panel finds its settings: the Program Files folder the shell
// reports, below it "\Tablet\..." files.
#pragma once

#include <string>

class PanelPaths {
public:
    // The Program Files folder followed by `suffix` ("\Tablet\language.ini");
    // empty when the folder is unknown.
    static std::string ProgramFilesPath(const char* suffix);
};
