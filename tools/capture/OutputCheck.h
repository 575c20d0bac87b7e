#pragma once

#include <string>

// Checks made before the first frame is rendered, so that a capture never runs for minutes
// only to find it cannot write its result. Each returns why it cannot be written, or an
// empty string.

// A folder that files are written into: it must exist and be writable.
std::string cannotWriteInto(const std::string& dir);
// A file: a writable file, or a new one in a writable folder.
std::string cannotWriteFile(const std::string& path);
