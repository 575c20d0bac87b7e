// Pictures into textures, the full-screen draws, the orthographic switch and the render target.
#include <gtest/gtest.h>

#include <string>

#include "GLContext.h"
#include "gfx/FullScreenQuad.h"
#include "gfx/TextureFile.h"
#include "timeline/RenderTarget.h"

namespace {

const std::string kGfx = ORVALE_GFX_DIR;

// The size of level 0 of the bound texture.
std::pair<GLint, GLint> boundTextureSize()
{
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    return {width, height};
}

TEST(Screen, PictureIsDrawnUprightOverTheViewport)
{
    resetDrawingState();
    // The logo background: night sky at its top, the dark green field at its bottom.
    Result<Texture> sky = loadTexture(kGfx + "/vaskel-logo_background.png", false);
    ASSERT_TRUE(sky) << sky.message();
    EXPECT_EQ(boundTextureSize(), std::make_pair(1024, 512));
    screenQuad().draw();
    const auto pixels = readPixels();
    const uint8_t* top = pixel(pixels, kSize / 2, kSize * 3 / 4);
    const uint8_t* bottom = pixel(pixels, kSize / 2, kSize / 8);
    EXPECT_GT(top[2], top[0]) << "the top is not the blue sky";
    EXPECT_GT(bottom[1], bottom[2]) << "the bottom is not the green field";

    // The mipmapped branch filters trilinearly.
    Result<Texture> font = loadTexture(kGfx + "/fontbrs1b.png", true);
    ASSERT_TRUE(font) << font.message();
    EXPECT_EQ(boundTextureSize(), std::make_pair(1024, 256));
    GLint filter = 0, levels = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 10, GL_TEXTURE_WIDTH, &levels);
    EXPECT_EQ(filter, GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(levels, 1) << "no full mipmap chain";
}

TEST(Screen, OrthoSwitchRestoresBothMatrices)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-1, 1, -1, 1, 1, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1, 2, 3);
    GLfloat projection[16], modelview[16], after[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glEnable(GL_DEPTH_TEST);

    beginOrtho(2, 2);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    endOrtho();

    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], projection[i]);
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], modelview[i]);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST)) << "endOrtho must not turn depth testing back on";
    glLoadIdentity();
}

TEST(Screen, RenderTargetHoldsItsPictureAndUnbindClearsTheWindow)
{
    Result<RenderTarget> made = RenderTarget::create(kSize, kSize);
    ASSERT_TRUE(made) << made.message();
    const RenderTarget& target = made.value();
    resetDrawingState();

    // Something drawn on the window before the target is used does not survive its unbind.
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 1, 1);
    target.bind();
    RenderTarget::unbind(0, kSize, kSize);
    auto pixels = readPixels();
    EXPECT_EQ(pixel(pixels, 5, 5)[0], 0);
    EXPECT_EQ(pixel(pixels, 5, 5)[2], 255);

    // The target's picture is what was cleared and drawn into it.
    glClearColor(0, 1, 0, 1);
    target.bind();
    RenderTarget::unbind(0, kSize, kSize);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    target.bindTexture();
    screenQuad().draw();
    pixels = readPixels();
    EXPECT_EQ(pixel(pixels, 30, 30)[1], 255);
    EXPECT_EQ(pixel(pixels, 30, 30)[0], 0);
}

TEST(Screen, RippledDrawOverfillsTheViewport)
{
    resetDrawingState();
    const GLuint white = flatTexture(255, 255, 255);
    screenQuad().drawRippled(0.0f, 1.01f);
    const auto pixels = readPixels();
    for (const auto& [x, y] : {std::pair{0, 0}, {kSize - 1, 0}, {0, kSize - 1}, {kSize - 1, kSize - 1}, {32, 32}})
        EXPECT_EQ(pixel(pixels, x, y)[0], 255) << "uncovered at " << x << "," << y;
    glDeleteTextures(1, &white);
}

TEST(Screen, MissingOrDamagedPictureIsRefusedNamingTheFile)
{
    Result<Texture> missing = loadTexture("data/gfx/no-such-picture.png", false);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.message().rfind("cannot load a picture: ", 0), 0u) << missing.message();
    EXPECT_NE(missing.message().find("no-such-picture.png is missing"), std::string::npos) << missing.message();

    const std::string notAPicture = ::testing::TempDir() + "/overlay.png";
    FILE* file = std::fopen(notAPicture.c_str(), "w");
    std::fputs("plain text, not a picture", file);
    std::fclose(file);
    Result<Texture> damaged = loadTexture(notAPicture, false);
    ASSERT_FALSE(damaged);
    EXPECT_NE(damaged.message().find("overlay.png"), std::string::npos) << damaged.message();
}

TEST(Screen, RenderTargetTheDriverCannotDrawIntoIsRefused)
{
    Result<RenderTarget> empty = RenderTarget::create(0, 0);
    ASSERT_FALSE(empty);
    EXPECT_NE(empty.message().find("cannot draw into a 0x0 off-screen framebuffer"), std::string::npos)
        << empty.message();
}

}  // namespace
