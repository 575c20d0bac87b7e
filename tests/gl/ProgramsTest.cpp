// The scenes' programs and the compositions on synthetic pictures, where a mistake in a
// constant or a formula shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "GLContext.h"
#include "effects/EmbeddedShaders.h"
#include "effects/Programs.h"
#include "gfx/ShaderProgram.h"

namespace {

class ProgramsTest : public ::testing::Test {
protected:
    void SetUp() override { resetDrawing(); }

    // Draws `picture` (and `mask` on the second unit, `overlay` on the third) over the viewport
    // through `program`, with the values of its own uniforms, and reads the result back.
    std::vector<uint8_t> pass(ProgramUniform uniform = {}, ProgramUniform second = {}, ProgramUniform third = {})
    {
        DrawState state{.texture = picture.id(), .moreTextures = {mask.id(), overlay.id()},
                        .program = program.id(), .uniforms = {uniform, second, third, {}}};
        screenQuad().draw(gfx(), state);
        return readPixels();
    }

    // Builds a program, none of whose stages may fail.
    template <typename Build>
    static ShaderProgram built(Build build)
    {
        std::vector<std::string> failures;
        ShaderProgram program = build(gfx().device(), failures);
        EXPECT_TRUE(failures.empty()) << failures.front();
        return program;
    }
    static ShaderProgram composition(Composition c, bool overlaid = false)
    {
        return built([&](Device& device, std::vector<std::string>& failures) {
            return buildComposition(device, c, overlaid, failures);
        });
    }

    ShaderProgram program;
    Texture picture;
    Texture mask;
    Texture overlay;
};

// "black and white" alone: hatched onto black, the glow added no times.
TEST_F(ProgramsTest, BlackAndWhiteHatchesDarkPicturesAndScalesBySync)
{
    program = composition(Composition::GlowHatched);
    picture = flatTexture(0, 0, 0);

    const auto unscaled = pass({"hatchSync", 0.0f});
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(unscaled[i], 0);

    const auto pixels = pass({"hatchSync", 1.0f});
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
    program = composition(Composition::GlowHatched);
    picture = flatTexture(255, 255, 255);  // length of (1, 1, 1) is above every threshold
    const auto pixels = pass({"hatchSync", 1.0f});
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
    program = composition(Composition::Glow);
    const int grey = 40;
    mask = flatTexture(grey, grey, grey, 255);
    const auto pixels = pass({"glows", 1.0f});
    // Thirteen equal samples: c = 13 g / 30.5 (already grey), ci = 13 g / 29.5, times the glow;
    // added as blending adds it, by its alpha, 13 / 30.5 times the glow.
    const double g = grey / 255.0;
    const double c = 13 * g / 30.5, ci = 13 * g / 29.5, alpha = 13 / 30.5 * 2.25;
    const double expected[3] = {(0.75 * c + ci) * 2.25, (0.85 * c + ci) * 2.25, (1.0 * c + ci) * 2.25};
    const uint8_t* p = pixel(pixels, kSize / 2, kSize / 2);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(p[i], std::min(1.0, expected[i]) * alpha * 255, 2) << "channel " << i;
}

// "outline" alone: the glow added no times, the hatching's sync 0.
TEST_F(ProgramsTest, OutlineOfAFlatPictureIsBlackAndOfAnEdgeIsNot)
{
    program = composition(Composition::GlowHatchedOutlined);
    mask = flatTexture(90, 160, 30);
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
    mask = gfx().createTexture({.width = kSize, .height = kSize, .mipmapped = false, .repeat = false}, texels.data());
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

// One filter as a program of its own, as each was drawn before the compositions fused them.
ShaderProgram filterAlone(const std::string& call)
{
    const std::string fragment = std::string(kDreamvisionFrag) + kBlackAndWhiteFrag + kOutlineFrag +
                                 "in vec2 vTexCoord;\nout vec4 fragColour;\nuniform sampler2D tex;\n"
                                 "void main() { fragColour = " + call + "; }\n";
    std::vector<std::string> failures;
    ShaderProgram program = ShaderProgram::build(gfx().device(), kFilterVert, fragment.c_str(), "alone", failures);
    EXPECT_TRUE(failures.empty()) << failures.front();
    return program;
}

// A picture with bright and dark, half-transparent and opaque parts, and edges everywhere.
Texture patchwork(int seed)
{
    std::vector<uint8_t> texels(kSize * kSize * 4);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            uint8_t* t = &texels[(static_cast<size_t>(y) * kSize + x) * 4];
            t[0] = static_cast<uint8_t>((x * 37 + y * 11 + seed) % 256);
            t[1] = static_cast<uint8_t>(((x / 8 + y / 8) % 2) * 230);
            t[2] = static_cast<uint8_t>(255 - x * 4);
            t[3] = static_cast<uint8_t>(x < kSize / 2 ? 255 : 120 + y);
        }
    return gfx().createTexture({.width = kSize, .height = kSize, .mipmapped = false, .repeat = false}, texels.data());
}

// The fused pass against the separate passes it replaces, each added onto the grey the frame
// was cleared to and rounded to 8 bits in turn, then multiplied by the overlay: they differ by
// that rounding alone, even where the glow exceeds 1 and the sum is clamped.
TEST_F(ProgramsTest, ACompositionAddsWhatItsSeparatePassesAdded)
{
    picture = patchwork(0);
    mask = patchwork(90);
    overlay = patchwork(170);
    const float grey = 77 / 255.0f;
    const ShaderProgram hatch = filterAlone("blackAndWhite(tex, vTexCoord, 0.25)");
    const ShaderProgram glow = filterAlone("dreamvision(tex, vTexCoord)");
    const ShaderProgram edges = filterAlone("outline(tex, vTexCoord)");
    for (const bool overlaid : {false, true}) {
        resetDrawing();
        gfx().clear(grey, grey, grey, 1);
        const auto add = [](const Texture& t, const ShaderProgram& p) {
            screenQuad().draw(gfx(), DrawState{.blend = Blend::Additive, .texture = t.id(), .program = p.id()});
        };
        add(picture, hatch);
        add(mask, glow);
        add(mask, glow);
        add(mask, edges);
        if (overlaid) {
            screenQuad().draw(gfx(), DrawState{.blend = Blend::Multiply, .texture = overlay.id()});
        }
        const std::vector<uint8_t> separate = readPixels();

        program = composition(Composition::GlowHatchedOutlined, overlaid);
        const std::vector<uint8_t> fused = pass({"grey", grey}, {"glows", 2}, {"hatchSync", 0.25f});
        int full = 0;
        for (size_t i = 0; i < fused.size(); i += 4)
            for (size_t c = 0; c < 3; ++c) {
                ASSERT_NEAR(fused[i + c], separate[i + c], 2) << "pixel " << i / 4 << " channel " << c;
                full += fused[i + c] == 255;
            }
        if (!overlaid) {
            EXPECT_GT(full, 0);  // some sums went past 1
        }
    }
}

// Laid over the grey by the picture's alpha times the opacity, as alpha blending laid it.
TEST_F(ProgramsTest, ALaidCompositionBlendsAsAlphaBlendingDid)
{
    picture = patchwork(40);
    overlay = patchwork(200);
    const float grey = 1.0f;
    resetDrawing();
    gfx().clear(grey, grey, grey, 1);
    gfx().colour(1, 1, 1, 0.6f);
    screenQuad().draw(gfx(), DrawState{.blend = Blend::Alpha, .texture = picture.id()});
    gfx().colour(1, 1, 1, 1);
    screenQuad().draw(gfx(), DrawState{.blend = Blend::Multiply, .texture = overlay.id()});
    const std::vector<uint8_t> separate = readPixels();

    program = composition(Composition::Laid, true);
    const std::vector<uint8_t> fused = pass({"grey", grey}, {"laidAlpha", 0.6f});
    for (size_t i = 0; i < fused.size(); i += 4)
        for (size_t c = 0; c < 3; ++c) ASSERT_NEAR(fused[i + c], separate[i + c], 1) << "pixel " << i / 4;
}

TEST(Programs, AllCompileAndLink)
{
    std::vector<ShaderProgram> programs;
    std::vector<std::string> failures;
    for (ShaderProgram (*build)(Device&, std::vector<std::string>&) :
         {buildPhong, buildDetourage, buildOndeDeChoc, buildPhongParticles})
        programs.push_back(build(gfx().device(), failures));
    for (size_t c = 0; c < kCompositions; ++c)
        for (const bool overlaid : {false, true})
            programs.push_back(buildComposition(gfx().device(), static_cast<Composition>(c), overlaid, failures));
    for (const ShaderProgram& program : programs) EXPECT_TRUE(program.linked()) << program.label();
    EXPECT_TRUE(failures.empty()) << failures.front();
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
