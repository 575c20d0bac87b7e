// The layers of src/ point one way: app, timeline, scenes, effects, then geometry and text
// side by side, then gfx. A file may include its own layer and any layer below it; geometry
// and text do not include each other; audio stands alone and only app includes it. Every
// #include "..." line under src/ is read and checked, with no exceptions.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

const std::filesystem::path kSource = std::filesystem::path(ORVALE_SOURCE_DIR) / "src";

// How far down each layer lies; a layer may include those with a greater depth.
const std::map<std::string, int> kDepth = {{"app", 0},      {"timeline", 1}, {"scenes", 2}, {"effects", 3},
                                           {"geometry", 4}, {"text", 4},     {"gfx", 5}};

bool allowed(const std::string& from, const std::string& to)
{
    if (from == to) return true;
    if (to == "audio") return from == "app";
    if (from == "audio") return false;
    return kDepth.at(from) < kDepth.at(to);
}

struct Edge {
    std::string file;
    std::string line;
    std::string from, to;
};

// Every include of one of our headers ("layer/Name.h") in the files under src/.
std::vector<Edge> includeEdges()
{
    std::vector<Edge> edges;
    const std::regex include(R"re(^\s*#\s*include\s*"([a-z]+)/[^"]+")re");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kSource)) {
        if (!entry.is_regular_file()) continue;
        const std::string extension = entry.path().extension().string();
        if (extension != ".h" && extension != ".cpp") continue;
        const std::string from = std::filesystem::relative(entry.path(), kSource).begin()->string();
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line)) {
            std::smatch m;
            if (std::regex_search(line, m, include))
                edges.push_back({std::filesystem::relative(entry.path(), kSource).string(), line, from, m[1]});
        }
    }
    return edges;
}

TEST(Layers, EveryIncludePointsDownOrSideways)
{
    const std::vector<Edge> edges = includeEdges();
    ASSERT_GT(edges.size(), 100u) << "the sources were not found under " << kSource;
    for (const Edge& e : edges) {
        ASSERT_TRUE(kDepth.count(e.from) || e.from == "audio") << e.file << " lies outside the known layers";
        ASSERT_TRUE(kDepth.count(e.to) || e.to == "audio") << e.file << ": " << e.line << " names no layer of ours";
        EXPECT_TRUE(allowed(e.from, e.to)) << e.file << ": " << e.line << " (" << e.from << " may not include "
                                           << e.to << ")";
    }
}

TEST(Layers, TheRulesThemselves)
{
    EXPECT_TRUE(allowed("app", "audio"));
    EXPECT_FALSE(allowed("scenes", "audio"));
    EXPECT_FALSE(allowed("audio", "gfx"));
    EXPECT_FALSE(allowed("geometry", "text"));
    EXPECT_FALSE(allowed("text", "geometry"));
    EXPECT_FALSE(allowed("timeline", "app"));
    EXPECT_FALSE(allowed("gfx", "scenes"));
    EXPECT_TRUE(allowed("scenes", "gfx"));
    EXPECT_TRUE(allowed("effects", "text"));
}

}  // namespace
