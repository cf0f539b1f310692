// Starts a launch action's file for the user signed in at the console: with
// that user's token, on that user's desktop and with that user's
// environment, never under the service's own account. The shell cannot start
// anything for another user, so a document is started through its file
// type's open command as that user's classes name it.
#pragma once

#include "ScopedHandle.h"

#include <windows.h>

#include <functional>
#include <string>

// The token of the user signed in at the console; none when nobody is.
ScopedHandle ConsoleUserToken();

class ConsoleUserLauncher {
public:
    using TokenSource = std::function<ScopedHandle()>;

    explicit ConsoleUserLauncher(TokenSource tokens) : tokens_(std::move(tokens)) {}

    // False when nothing was started: nobody signed in, no environment, no
    // open command for the document, or a failed start.
    bool Start(const std::string& file, const std::string& parameters) const;

private:
    TokenSource tokens_;
};
