#include "GLContext.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <optional>

#include "app/DisplaySettings.h"
#include "app/Fatal.h"
#include "app/Window.h"

namespace {

std::optional<FullScreenQuad> quad;

class GLEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        fatalErrorBoxes = false;
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
        ASSERT_TRUE(openWindow(DisplaySettings{kSize, kSize, 0}, window_)) << "no headless OpenGL context";
        quad.emplace(FullScreenQuad::build());
    }
    void TearDown() override
    {
        quad.reset();
        closeWindow(window_);
        SDL_Quit();
    }

private:
    AppWindow window_;
};

const auto* environment = ::testing::AddGlobalTestEnvironment(new GLEnvironment);

}  // namespace

const FullScreenQuad& screenQuad() { return *quad; }

void resetDrawingState()
{
    glUseProgram(0);
    glDisable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

GLuint flatTexture(uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    std::vector<uint8_t> texels(kSize * kSize * 4);
    for (size_t i = 0; i < texels.size(); i += 4) {
        texels[i] = r;
        texels[i + 1] = g;
        texels[i + 2] = b;
        texels[i + 3] = a;
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kSize, kSize, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return name;
}

std::vector<uint8_t> readPixels()
{
    std::vector<uint8_t> pixels(kSize * kSize * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}
