// The console of a debug run: made once, with the standard streams bound to
// it and unbuffered, so that every message shows as it is printed.
#pragma once

class ServiceConsole {
public:
    void Open();

private:
    bool open_ = false;
};
