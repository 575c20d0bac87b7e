#pragma once

#include <filesystem>
#include <vector>

#include "core/Result.h"

// The places the programs look for their data, in order: beside the executable
// (<folder>/data, as in the build tree), an installed tree (<folder>/../share/orvale-invit),
// the folder given at build time, then the working directory's data.
std::vector<std::filesystem::path> dataFolderCandidates(const std::filesystem::path& executableFolder,
                                                        const std::filesystem::path& builtIn,
                                                        const std::filesystem::path& workingFolder);

// The first candidate that holds the pictures (a gfx folder), or a failure naming every
// place looked.
Result<std::filesystem::path> findDataFolder(const std::vector<std::filesystem::path>& candidates);

// The data folder of this process, looked for from its executable's folder and the working
// directory.
Result<std::filesystem::path> findDataFolder();
