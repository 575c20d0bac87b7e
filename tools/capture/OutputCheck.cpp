#include "OutputCheck.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// Why files cannot be made in `dir`, or empty.
std::string folderProblem(const std::string& dir)
{
    struct stat info {};
    if (stat(dir.c_str(), &info) != 0) return std::strerror(errno);
    if (!S_ISDIR(info.st_mode)) return "not a folder";
    if (access(dir.c_str(), W_OK | X_OK) != 0) return std::strerror(errno);
    return "";
}

}  // namespace

std::string cannotWriteInto(const std::string& dir)
{
    const std::string problem = folderProblem(dir);
    return problem.empty() ? "" : "cannot write into " + dir + ": " + problem;
}

std::string cannotWriteFile(const std::string& path)
{
    struct stat info {};
    std::string problem;
    if (stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            problem = "it is a folder";
        else if (access(path.c_str(), W_OK) != 0)
            problem = std::strerror(errno);
    } else {
        const size_t slash = path.rfind('/');
        problem = folderProblem(slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash));
    }
    return problem.empty() ? "" : "cannot write " + path + ": " + problem;
}
