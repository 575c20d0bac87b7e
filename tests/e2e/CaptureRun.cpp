#include "CaptureRun.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

const std::string kBuild = ORVALE_BUILD_DIR;

int capture(const std::string& arguments, std::string& messages, const std::string& environment)
{
    const std::string log = ::testing::TempDir() + "/capture.log";
    const std::string command = "cd '" + kBuild + "' && env -u DISPLAY -u WAYLAND_DISPLAY " + environment +
                                " ./orvale-capture " + arguments + " 2>'" + log + "'";
    const int status = std::system(command.c_str());
    std::ifstream in(log);
    messages.assign(std::istreambuf_iterator<char>(in), {});
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
