#include "desktop/virtual_server.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace desktop_test {

VirtualServer::VirtualServer(int width, int height)
{
    int channel[2];
    if (pipe(channel) != 0) {
        return;
    }
    std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    pid_ = fork();
    if (pid_ == 0) {
        close(channel[0]);
        std::string fd = std::to_string(channel[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp", "-noreset",
               static_cast<char *>(nullptr));
        _exit(EXIT_FAILURE);
    }
    close(channel[1]);
    // The server writes its display number and a newline once it is ready.
    std::string number;
    char digit = 0;
    while (read(channel[0], &digit, 1) == 1 && digit != '\n') {
        number += digit;
    }
    close(channel[0]);
    if (!number.empty()) {
        setenv("DISPLAY", (":" + number).c_str(), 1);
        ready_ = true;
    }
}

VirtualServer::~VirtualServer()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

}  // namespace desktop_test
