#include "app/DataFolder.h"

#include <SDL.h>

#include <system_error>

std::vector<std::filesystem::path> dataFolderCandidates(const std::filesystem::path& executableFolder,
                                                        const std::filesystem::path& builtIn,
                                                        const std::filesystem::path& workingFolder)
{
    std::vector<std::filesystem::path> candidates;
    if (!executableFolder.empty()) {
        candidates.push_back(executableFolder / "data");
        candidates.push_back((executableFolder / ".." / "share" / "orvale-invit").lexically_normal());
    }
    if (!builtIn.empty()) candidates.push_back(builtIn);
    candidates.push_back(workingFolder / "data");
    return candidates;
}

Result<std::filesystem::path> findDataFolder(const std::vector<std::filesystem::path>& candidates)
{
    std::string looked;
    for (const std::filesystem::path& folder : candidates) {
        std::error_code error;
        if (std::filesystem::is_directory(folder / "gfx", error)) return folder;
        looked += (looked.empty() ? "" : ", ") + folder.string();
    }
    return Failure{"cannot find the intro's data (a folder holding gfx/ and music/); looked in " + looked};
}

Result<std::filesystem::path> findDataFolder()
{
    std::filesystem::path executableFolder;
    if (char* base = SDL_GetBasePath()) {
        executableFolder = std::filesystem::path(base).parent_path();
        SDL_free(base);
    }
    std::error_code error;
    std::filesystem::path working = std::filesystem::current_path(error);
    if (error) working = ".";
    return findDataFolder(dataFolderCandidates(executableFolder, ORVALE_DATA_DIR, working));
}
