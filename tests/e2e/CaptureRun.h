#pragma once

#include <string>

// Runs orvale-capture from the build tree (where data/ is), without a display, with the
// arguments, after the given environment assignments ("NAME=value ..."); returns its exit
// status and its stderr in `messages`.
int capture(const std::string& arguments, std::string& messages, const std::string& environment = "");

// The build tree the programs run from.
extern const std::string kBuild;
