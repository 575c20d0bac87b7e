// The layers of src/ point one way: platform, app, timeline, scenes, effects, then geometry
// and text side by side, then gfx, image, math and core. A file may include its own layer and
// any layer below it; geometry and text do not include each other; audio includes only core,
// and only app and platform include it. Only gfx/gl talks to OpenGL, and its headers show
// none of it. Every line under src/ is read and checked, with no exceptions.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

const std::filesystem::path kSource = std::filesystem::path(ORVALE_SOURCE_DIR) / "src";

// How far down each layer lies; a layer may include those with a greater depth.
const std::map<std::string, int> kDepth = {{"platform", 0}, {"app", 1},  {"timeline", 2}, {"scenes", 3},
                                           {"effects", 4},  {"geometry", 5}, {"text", 5},  {"gfx", 6},
                                           {"image", 7},    {"math", 8},  {"core", 9}};

bool allowed(const std::string& from, const std::string& to)
{
    if (from == to) return true;
    if (to == "audio") return from == "app" || from == "platform";
    if (from == "audio") return to == "core";
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

// Every line of every source file under src/, with the file's path from src/.
struct Line {
    std::string file;
    std::string text;
};
std::vector<Line> sourceLines()
{
    std::vector<Line> lines;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kSource)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
        std::ifstream in(entry.path());
        for (std::string text; std::getline(in, text);)
            lines.push_back({std::filesystem::relative(entry.path(), kSource).string(), text});
    }
    return lines;
}

// An OpenGL header, a call of an OpenGL function, or an OpenGL type or constant.
const std::regex kGLHeader(R"re(^\s*#\s*include\s*[<"](epoxy/|GL/|GLES|EGL/|OpenGL/|SDL_opengl))re");
const std::regex kGLCall(R"re((^|[^A-Za-z0-9_])gl[A-Z][A-Za-z0-9]*\s*\()re");
const std::regex kGLName(R"re((^|[^A-Za-z0-9_])(GL(u?int|enum|float|boolean|sizei|ubyte|bitfield|char|double|intptr|sizeiptr)|GL_[A-Z0-9_]+)\b)re");

// OpenGL is spoken only in the drawing layer's backend, src/gfx/gl, whose headers that show it
// only its own files include, never in a header the other layers see.
TEST(Layers, OnlyTheDrawingLayersBackendTalksToOpenGL)
{
    const std::vector<Line> lines = sourceLines();
    ASSERT_GT(lines.size(), 1000u);
    int inBackend = 0;
    std::set<std::string> backendHeaders;
    for (const Line& l : lines) {
        const bool gfx = l.file.rfind("gfx/gl/", 0) == 0;
        const bool header = l.file.size() > 2 && l.file.compare(l.file.size() - 2, 2, ".h") == 0;
        const bool gl = std::regex_search(l.text, kGLHeader) || std::regex_search(l.text, kGLCall) ||
                        std::regex_search(l.text, kGLName);
        if (gfx && gl) {
            inBackend += 1;
            if (header) backendHeaders.insert(l.file);
            continue;
        }
        EXPECT_FALSE(gl) << l.file << ": " << l.text << " (only src/gfx/gl talks to OpenGL)";
    }
    EXPECT_GT(inBackend, 100) << "the check found no OpenGL even in the backend";
    const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    for (const Line& l : lines) {
        std::smatch m;
        if (!std::regex_search(l.text, m, include) || !backendHeaders.contains(m[1].str())) continue;
        EXPECT_EQ(l.file.rfind("gfx/gl/", 0), 0u)
            << l.file << " includes " << m[1] << ", which shows OpenGL: only the backend's own files may";
    }
}

// A platform is chosen by the build (cmake/Platform*.cmake, a file per platform) or at run
// time, never by the preprocessor outside src/platform and the tools' own per-platform files.
TEST(Layers, NoPlatformIsChosenByThePreprocessor)
{
    const std::regex platformTest(
        R"re(^\s*#\s*(if|ifdef|ifndef|elif)\b.*(_WIN32|_WIN64|__EMSCRIPTEN__|__linux__|__APPLE__|__unix__))re");
    const std::filesystem::path project = kSource.parent_path();
    size_t checked = 0;
    for (const std::filesystem::path& root : {kSource, project / "tools", project / "bench"})
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
            if (std::filesystem::relative(entry.path(), kSource).begin()->string() == "platform") continue;
            std::ifstream in(entry.path());
            for (std::string text; std::getline(in, text); ++checked)
                EXPECT_FALSE(std::regex_search(text, platformTest)) << entry.path() << ": " << text;
        }
    EXPECT_GT(checked, 10000u);
    EXPECT_TRUE(std::regex_search("#ifdef __EMSCRIPTEN__", platformTest));
    EXPECT_TRUE(std::regex_search("  #  if defined(_WIN32) && x", platformTest));
    EXPECT_FALSE(std::regex_search("#ifndef ORVALE_DATA_DIR", platformTest));
}

TEST(Layers, TheGLPatternsFindWhatTheyAreFor)
{
    EXPECT_TRUE(std::regex_search("    glBindTexture(GL_TEXTURE_2D, name);", kGLCall));
    EXPECT_TRUE(std::regex_search("x = 1; glEnable (GL_BLEND);", kGLCall));
    EXPECT_TRUE(std::regex_search("#include <epoxy/gl.h>", kGLHeader));
    EXPECT_TRUE(std::regex_search("#include <GLES3/gl3.h>", kGLHeader));
    EXPECT_TRUE(std::regex_search("#include <SDL_opengl.h>", kGLHeader));
    EXPECT_TRUE(std::regex_search("GLuint texture = 0;", kGLName));
    EXPECT_TRUE(std::regex_search("return GL_TRIANGLES;", kGLName));
    EXPECT_FALSE(std::regex_search("SDL_GL_SwapWindow(window);", kGLCall));
    EXPECT_FALSE(std::regex_search("SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);", kGLName));
}

TEST(Layers, TheRulesThemselves)
{
    EXPECT_TRUE(allowed("app", "audio"));
    EXPECT_TRUE(allowed("audio", "core"));
    EXPECT_FALSE(allowed("scenes", "audio"));
    EXPECT_FALSE(allowed("audio", "gfx"));
    EXPECT_FALSE(allowed("audio", "math"));
    EXPECT_FALSE(allowed("geometry", "text"));
    EXPECT_FALSE(allowed("text", "geometry"));
    EXPECT_FALSE(allowed("timeline", "app"));
    EXPECT_FALSE(allowed("app", "platform"));
    EXPECT_FALSE(allowed("gfx", "scenes"));
    EXPECT_FALSE(allowed("math", "gfx"));
    EXPECT_FALSE(allowed("image", "gfx"));
    EXPECT_TRUE(allowed("scenes", "gfx"));
    EXPECT_TRUE(allowed("effects", "text"));
    EXPECT_TRUE(allowed("gfx", "image"));
    EXPECT_TRUE(allowed("platform", "audio"));
}

}  // namespace
