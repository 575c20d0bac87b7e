// Pictures into textures, the full-screen draws, the orthographic switch and the render target.
#include <gtest/gtest.h>

#include <string>

#include "GLContext.h"
#include "gfx/FullScreenQuad.h"
#include "timeline/RenderTarget.h"

namespace {

const std::string kGfx = ORVALE_GFX_DIR;

TEST(Screen, PictureIsDrawnUprightOverTheViewport)
{
    resetDrawingState();
    // The logo background: night sky at its top, the dark green field at its bottom.
    const GLuint sky = fullScreenQuad->loadTexture((kGfx + "/vaskel-logo_background.png").c_str(), 0);
    EXPECT_EQ(fullScreenQuad->width, 1024);
    EXPECT_EQ(fullScreenQuad->height, 512);
    fullScreenQuad->draw();
    const auto pixels = readPixels();
    const uint8_t* top = pixel(pixels, kSize / 2, kSize * 3 / 4);
    const uint8_t* bottom = pixel(pixels, kSize / 2, kSize / 8);
    EXPECT_GT(top[2], top[0]) << "the top is not the blue sky";
    EXPECT_GT(bottom[1], bottom[2]) << "the bottom is not the green field";
    glDeleteTextures(1, &sky);

    // A second load overwrites the remembered size; the mipmapped branch filters trilinearly.
    const GLuint font = fullScreenQuad->loadTexture((kGfx + "/fontbrs1b.png").c_str(), 1);
    EXPECT_EQ(fullScreenQuad->width, 1024);
    EXPECT_EQ(fullScreenQuad->height, 256);
    GLint filter = 0, levels = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 10, GL_TEXTURE_WIDTH, &levels);
    EXPECT_EQ(filter, GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(levels, 1) << "no full mipmap chain";
    glDeleteTextures(1, &font);
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

    fullScreenQuad->beginOrtho(2, 2);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    fullScreenQuad->endOrtho();

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
    RenderTarget target;
    target.create(kSize, kSize);
    resetDrawingState();

    // Something drawn on the window before the target is used does not survive its unbind.
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 1, 1);
    target.bind();
    target.unbind();
    auto pixels = readPixels();
    EXPECT_EQ(pixel(pixels, 5, 5)[0], 0);
    EXPECT_EQ(pixel(pixels, 5, 5)[2], 255);

    // The target's picture is what was cleared and drawn into it.
    glClearColor(0, 1, 0, 1);
    target.bind();
    target.unbind();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    target.bindTexture();
    fullScreenQuad->draw();
    pixels = readPixels();
    EXPECT_EQ(pixel(pixels, 30, 30)[1], 255);
    EXPECT_EQ(pixel(pixels, 30, 30)[0], 0);
    target.release();
}

TEST(Screen, RippledDrawOverfillsTheViewport)
{
    resetDrawingState();
    const GLuint white = flatTexture(255, 255, 255);
    fullScreenQuad->drawRippled(0.0f, 1.01f);
    const auto pixels = readPixels();
    for (const auto& [x, y] : {std::pair{0, 0}, {kSize - 1, 0}, {0, kSize - 1}, {kSize - 1, kSize - 1}, {32, 32}})
        EXPECT_EQ(pixel(pixels, x, y)[0], 255) << "uncovered at " << x << "," << y;
    glDeleteTextures(1, &white);
}

using ScreenDeathTest = ::testing::Test;

TEST(ScreenDeathTest, MissingOrDamagedPictureEndsWithStatusOneNamingTheFile)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(fullScreenQuad->loadTexture("data/gfx/no-such-picture.png", 0), ::testing::ExitedWithCode(1),
                "no-such-picture.png is missing");
    const std::string notAPicture = ::testing::TempDir() + "/overlay.png";
    FILE* file = std::fopen(notAPicture.c_str(), "w");
    std::fputs("plain text, not a picture", file);
    std::fclose(file);
    EXPECT_EXIT(fullScreenQuad->loadTexture(notAPicture.c_str(), 0), ::testing::ExitedWithCode(1), "overlay.png");
}

TEST(ScreenDeathTest, RenderTargetTheDriverCannotDrawIntoEndsWithStatusOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    RenderTarget empty;
    EXPECT_EXIT(empty.create(0, 0), ::testing::ExitedWithCode(1), "cannot draw into a 0x0 off-screen framebuffer");
}

}  // namespace
