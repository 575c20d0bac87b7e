// The six programs on synthetic pictures, where a mistake in a constant or a formula shows.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "GLContext.h"
#include "effects/Programs.h"
#include "gfx/ShaderProgram.h"

namespace {

class ProgramsTest : public ::testing::Test {
protected:
    void SetUp() override { resetDrawing(); }

    // Draws `picture` (and `mask` on the second unit) over the viewport through `program`, with
    // the value of its own uniform, and reads the result back.
    std::vector<uint8_t> pass(ProgramUniform uniform = {})
    {
        DrawState state{.texture = picture.id(), .secondTexture = mask.id(), .program = program.id(),
                        .uniforms = {uniform, {}}};
        screenQuad().draw(gfx(), state);
        return readPixels();
    }

    // Builds a program, none of whose stages may fail.
    static ShaderProgram built(ShaderProgram (*build)(Device&, std::vector<std::string>&))
    {
        std::vector<std::string> failures;
        ShaderProgram program = build(gfx().device(), failures);
        EXPECT_TRUE(failures.empty()) << failures.front();
        return program;
    }

    ShaderProgram program;
    Texture picture;
    Texture mask;
};

TEST_F(ProgramsTest, BlackAndWhiteHatchesDarkPicturesAndScalesBySync)
{
    program = built(buildBlackAndWhite);
    picture = flatTexture(0, 0, 0);

    const auto unscaled = pass({"sync", 0.0f});
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(unscaled[i], 0);

    const auto pixels = pass({"sync", 1.0f});
    int black = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            // Window coordinates of the pixel centre; a black picture is below every threshold.
            const int sum = x + y + 1, difference = x - y;
            auto onLine = [](int v) { return ((v % 10) + 10) % 10 == 0; };
            const bool line = onLine(sum) || onLine(difference) || onLine(sum - 5) || onLine(difference - 5);
            const uint8_t* p = pixel(pixels, x, y);
            ASSERT_EQ(p[0], line ? 0 : 255) << "at " << x << "," << y;
            black += line;
        }
    }
    EXPECT_GT(black, kSize * kSize / 5);  // four families: two lines in every five pixels of a diagonal
}

TEST_F(ProgramsTest, BlackAndWhiteLeavesBrightPicturesWhite)
{
    program = built(buildBlackAndWhite);
    picture = flatTexture(255, 255, 255);  // length of (1, 1, 1) is above every threshold
    const auto pixels = pass({"sync", 1.0f});
    for (size_t i = 0; i < pixels.size(); i += 4) ASSERT_EQ(pixels[i], 255);
}

TEST_F(ProgramsTest, DetourageCutsByTheAlphaPicturesRed)
{
    program = built(buildDetourage);
    picture = flatTexture(20, 200, 40);
    mask = flatTexture(128, 0, 0);

    const struct {
        float dval;
        bool shown;
    } cases[] = {{0.0f, false}, {0.5f, false}, {0.51f, true}, {1.1f, true}};
    for (const auto& c : cases) {
        gfx().clear(0, 0, 0, 1);
        const auto pixels = pass({"dval", c.dval});
        EXPECT_EQ(pixel(pixels, 10, 10)[1], c.shown ? 200 : 0) << "dval " << c.dval;
        EXPECT_EQ(pixel(pixels, 50, 60)[1], c.shown ? 200 : 0) << "dval " << c.dval;
    }
    // A draw that gives no value is not left the last one: its threshold is 0, which cuts all.
    gfx().clear(0, 0, 0, 1);
    EXPECT_EQ(pixel(pass(), 10, 10)[1], 0);
}

TEST_F(ProgramsTest, OndeDeChocOnlyDimsOutsideItsRing)
{
    program = built(buildOndeDeChoc);
    picture = flatTexture(200, 100, 50);
    auto pixels = pass({"ttime", -0.2f});
    for (size_t i = 0; i < pixels.size(); i += 4) {
        ASSERT_NEAR(pixels[i], 160, 1);
        ASSERT_NEAR(pixels[i + 1], 80, 1);
        ASSERT_NEAR(pixels[i + 2], 40, 1);
    }
    // Inside the ring the colour is tinted (green by 0.9) on top of the dimming.
    pixels = pass({"ttime", 0.25f});
    const uint8_t* onRing = pixel(pixels, kSize / 2 + 16, kSize / 2);  // 0.25 from the centre
    EXPECT_NEAR(onRing[0], 200 * 0.8 * 0.8, 2);
    EXPECT_NEAR(onRing[1], 100 * 0.9 * 0.8, 2);
    EXPECT_NEAR(pixel(pixels, 0, 0)[1], 80, 1);  // a corner lies outside the ring
}

TEST_F(ProgramsTest, DreamvisionOfFlatGreyFollowsItsFormula)
{
    program = built(buildDreamvision);
    const int grey = 40;
    picture = flatTexture(grey, grey, grey, 255);
    const auto pixels = pass();
    // Thirteen equal samples: c = 13 g / 30.5 (already grey), ci = 13 g / 29.5, times the glow.
    const double g = grey / 255.0;
    const double c = 13 * g / 30.5, ci = 13 * g / 29.5;
    const double expected[3] = {(0.75 * c + ci) * 2.25, (0.85 * c + ci) * 2.25, (1.0 * c + ci) * 2.25};
    const uint8_t* p = pixel(pixels, kSize / 2, kSize / 2);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(p[i], std::min(1.0, expected[i]) * 255, 2) << "channel " << i;
}

TEST_F(ProgramsTest, OutlineOfAFlatPictureIsBlackAndOfAnEdgeIsNot)
{
    program = built(buildOutline);
    picture = flatTexture(90, 160, 30);
    auto pixels = pass();
    for (size_t i = 0; i < pixels.size(); i += 4) {
        ASSERT_EQ(pixels[i], 0);
        ASSERT_EQ(pixels[i + 3], 255);
    }

    // A dark picture with a white right half: the edge lights up, tinted (1, 0.4, 0.6).
    std::vector<uint8_t> texels(kSize * kSize * 4, 0);
    for (int y = 0; y < kSize; ++y)
        for (int x = kSize / 2; x < kSize; ++x)
            for (int c = 0; c < 4; ++c) texels[(y * kSize + x) * 4 + c] = 255;
    // The neighbours lie 0.0035 away, a fifth of a pixel here: linear filtering lets them see the edge.
    picture = gfx().createTexture({.width = kSize, .height = kSize, .mipmapped = false, .repeat = false}, texels.data());
    pixels = pass();
    int lit = 0;
    for (int x = 0; x < kSize; ++x) {
        const uint8_t* p = pixel(pixels, x, kSize / 2);
        if (p[0] > 0) {
            ++lit;
            EXPECT_GE(p[0], p[2]);
            EXPECT_GE(p[2], p[1]);
        }
    }
    EXPECT_GT(lit, 0);
    EXPECT_LT(lit, 4);
}

TEST(Programs, AllCompileAndLink)
{
    for (ShaderProgram (*build)(Device&, std::vector<std::string>&) :
         {buildDreamvision, buildPhong, buildDetourage, buildOndeDeChoc, buildBlackAndWhite, buildOutline,
          buildPhongParticles}) {
        std::vector<std::string> failures;
        const ShaderProgram program = build(gfx().device(), failures);
        EXPECT_TRUE(program.linked()) << program.label();
        EXPECT_TRUE(failures.empty()) << program.label() << ": " << failures.front();
    }
}

TEST(Programs, AFailureIsSaidNamingTheProgramAndItsPassFallsBackToThePlainPicture)
{
    std::vector<std::string> failures;
    ShaderProgram broken = ShaderProgram::build(gfx().device(), "in vec3 aPosition;\nvoid main() { gl_Position = vec4(aPosition, 1.0); }",
                                                "out vec4 fragColour;\nvoid main() { fragColour = undefinedThing; }",
                                                "broken", failures);
    EXPECT_FALSE(broken.linked());
    ASSERT_EQ(failures.size(), 2u);  // the fragment shader, then the link
    EXPECT_EQ(failures[0].rfind("shader program \"broken\": compiling the fragment shader failed: ", 0), 0u)
        << failures[0];
    EXPECT_EQ(failures[1].rfind("shader program \"broken\": linking failed: ", 0), 0u) << failures[1];

    resetDrawing();
    const Texture picture = flatTexture(30, 90, 150);
    screenQuad().draw(gfx(), DrawState{.texture = picture.id(), .program = broken.id()});
    const std::vector<uint8_t> shown = readPixels();
    const uint8_t* p = pixel(shown, 20, 20);
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[2], 150);
}

}  // namespace
