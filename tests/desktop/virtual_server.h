// An X server of the tests' own: Xvfb on a display number it chooses itself,
// with a screen of the size asked for, running as long as the object lives.
// DISPLAY names it meanwhile, for this process and the programs it starts.
#pragma once

#include <sys/types.h>

namespace desktop_test {

class VirtualServer {
public:
    VirtualServer(int width, int height);
    ~VirtualServer();
    VirtualServer(const VirtualServer &) = delete;
    VirtualServer &operator=(const VirtualServer &) = delete;

    bool running() const { return ready_; }

private:
    pid_t pid_ = -1;
    bool ready_ = false;
};

}  // namespace desktop_test
