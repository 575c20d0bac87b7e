#include "GLContext.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "app/DisplaySettings.h"
#include "app/Window.h"

namespace {

GLApi api = GLApi::Core;
std::optional<Gfx> layer;
std::optional<FullScreenQuad> quad;

class GLEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
        const Status opened = openWindow(DisplaySettings{kSize, kSize, 0}, api, window_);
        ASSERT_TRUE(opened.ok()) << "no headless OpenGL context: " << opened.message();
        layer.emplace(*window_.device);
        quad.emplace(FullScreenQuad::build(*layer));
    }
    void TearDown() override
    {
        quad.reset();
        layer.reset();
        closeWindow(window_);
        SDL_Quit();
    }

private:
    AppWindow window_;
};

}  // namespace

Gfx& gfx() { return *layer; }
const FullScreenQuad& screenQuad() { return *quad; }
GLApi contextApi() { return api; }

void resetDrawing()
{
    Gfx& g = gfx();
    g.bindTarget(nullptr);
    g.viewport(0, 0, kSize, kSize);
    g.clear(0, 0, 0, 1);
    g.projection.reset();
    g.modelView.reset();
    g.colour(1, 1, 1, 1);
}

Texture flatTexture(uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    std::vector<uint8_t> texels(kSize * kSize * 4);
    for (size_t i = 0; i < texels.size(); i += 4) {
        texels[i] = r;
        texels[i + 1] = g;
        texels[i + 2] = b;
        texels[i + 3] = a;
    }
    return gfx().createTexture({.width = kSize, .height = kSize, .mipmapped = false, .repeat = false}, texels.data());
}

std::vector<uint8_t> readPixels()
{
    std::vector<uint8_t> pixels(kSize * kSize * 4);
    gfx().readPixels({0, 0, kSize, kSize}, pixels.data());
    return pixels;
}

// Takes --gl es (or --gl core) besides GoogleTest's own options.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--gl") == 0) api = std::strcmp(argv[i + 1], "es") == 0 ? GLApi::ES : GLApi::Core;
    ::testing::AddGlobalTestEnvironment(new GLEnvironment);
    return RUN_ALL_TESTS();
}
