// Procedural textures, the font atlas layout, the invitation text, the solids and flat
// shapes, the speech bubbles' layout and the opening scene's timing: what they compute.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/Shapes.h"
#include "gfx/ProceduralTexture.h"
#include "gfx/Shaping.h"
#include "scenes/OpeningScene.h"
#include "scenes/SpeechBubbles.h"
#include "text/SystemFontAtlas.h"
#include "text/TextPages.h"

namespace {

int grey(const ProceduralTexture& t, int x, int y) { return t.pixel(x, y)[0]; }

void expectOpaque(const ProceduralTexture& t)
{
    for (size_t i = 3; i < t.pixels.size(); i += 4) ASSERT_EQ(t.pixels[i], 255) << t.name;
}

TEST(ProceduralTextures, KnownPixelsAndAllOpaque)
{
    ProceduralTexture flare(32, 32, "flare"), bigflare(512, 512, "bigflare"), circle(64, 64, "circle"),
        surround(512, 512, "surround");
    fillFlare(flare);
    fillBigflare(bigflare);
    fillCircle(circle);
    fillSurround(surround);
    for (const ProceduralTexture* t : {&flare, &bigflare, &circle, &surround}) expectOpaque(*t);

    EXPECT_EQ(grey(flare, 16, 16), 255);
    EXPECT_EQ(grey(flare, 0, 0), 0);
    EXPECT_EQ(grey(flare, 16, 0), 0);
    EXPECT_EQ(grey(flare, 20, 16), static_cast<int>(255 * std::pow(0.75f, 3.0f)));
    EXPECT_EQ(grey(bigflare, 256, 256), 255);
    EXPECT_EQ(grey(bigflare, 0, 256), 0);
    EXPECT_EQ(grey(bigflare, 0, 0), 0);
    EXPECT_EQ(grey(bigflare, 511, 511), 0);
    EXPECT_EQ(grey(circle, 32, 32), 46);
    EXPECT_EQ(grey(circle, 32 + 13, 32), 250);  // next to the ring of radius 12.8
    EXPECT_EQ(grey(circle, 0, 0), 0);
    const uint8_t* centre = surround.pixel(256, 256);
    EXPECT_EQ(centre[0], 0);
    EXPECT_EQ(centre[1], 0);
    EXPECT_EQ(centre[2], 20);
    const uint8_t* band = surround.pixel(256 + 26, 256 + 26);  // both sines at their peak
    EXPECT_EQ(band[0], 163);
    EXPECT_EQ(band[2], band[0] + 20);
}

TEST(FontAtlas, RowsOf58PixelsAndACounterThatWrapsAsAByte)
{
    std::array<int32_t, 256> widths;
    widths.fill(20);
    const auto places = layoutAtlas(widths, 58, 2);
    // 8 rows (tops 0, 58, ..., 406); each holds the characters whose right edge stays
    // inside 512 pixels: 20, 42, ..., 504 gives 23 a row.
    ASSERT_EQ(places.size(), 8u * 23u);
    EXPECT_EQ(places[0].top, 0);
    EXPECT_EQ(places.back().top, 406);
    EXPECT_EQ(places[23].code, 23);  // the second row continues the count
    EXPECT_EQ(places[23].left, 0);
    EXPECT_EQ(places[22].left, 22 * 22);

    // With wider characters the counter runs past 255 and starts again at 0.
    widths.fill(2);
    const auto many = layoutAtlas(widths, 58, 2);
    EXPECT_EQ(many[256].code, 0);
}

TEST(FontAtlas, RectanglesFollowThePlaces)
{
    std::array<int32_t, 256> widths;
    widths.fill(10);
    widths['A'] = 30;
    // Texture coordinates, v = 1 at the picture's top; the last place of a code counts.
    const std::vector<GlyphPlace> places = {{'A', 0, 0}, {'A', 100, 58}};
    float glyphs[256][8] = {};
    const float u0 = 100.0f / 512, u1 = 130.0f / 512, vTop = 1 - 58.0f / 512, vBottom = 1 - 116.0f / 512;
    const float expected[8] = {u0, vTop, u1, vTop, u1, vBottom, u0, vBottom};
    atlasRectangles(places, widths, 58, glyphs);
    for (int i = 0; i < 8; ++i) EXPECT_FLOAT_EQ(glyphs['A'][i], expected[i]);
}

TEST(InvitationText, FieldsFillTheirRunsAndTheEventDetailsTheirPlaces)
{
    for (int i = 0; i < kInvitationFields; ++i) {
        const size_t expected = i == 3 || i == 41 ? 34 : i == 9 ? 30 : 35;
        EXPECT_EQ(invitationLines[i].size(), expected) << "field " << i;
    }
    // The event's address, dates, venue and country: leading spaces, then that many characters.
    const struct {
        int field, leading, length;
    } details[] = {{5, 8, 21}, {6, 5, 25}, {7, 7, 22}, {8, 15, 5}, {40, 7, 21}};
    for (const auto& d : details) {
        const std::string& line = invitationLines[d.field];
        EXPECT_EQ(line.find_first_not_of(' '), static_cast<size_t>(d.leading)) << "field " << d.field;
        EXPECT_EQ(line.find_last_not_of(' ') + 1, static_cast<size_t>(d.leading + d.length)) << "field " << d.field;
    }
    EXPECT_EQ(invitationLines[5].substr(8, 21), invitationLines[40].substr(7, 21));
}

TEST(InvitationText, LinesFlyInRestAndFadeOut)
{
    const Vec3 end(-108, 40, -200);
    const float t0 = 0.05f, t2 = 0.87f;
    Vec3 start(-108, 0, -1000);
    TextLineFrame f = textLineFrame(end, start, 0.0f, 0.0f, 0.86f, invitationLines[0]);
    EXPECT_EQ(f.fade, 0.0f);  // p = 0: nothing visible
    EXPECT_EQ(f.text, kBlankLine);

    start = Vec3(-108, 0, -1000);
    f = textLineFrame(end, start, 1.0f, t0, t2, invitationLines[1]);
    EXPECT_EQ(f.fade, 0.0f);  // p = 1: past its time, fully transparent
    EXPECT_EQ(f.text, invitationLines[1]);

    for (float p : {0.2f, 0.5f, 0.8f}) {  // fully shown: at rest on its slot
        start = Vec3(-108, 0, -1000);
        f = textLineFrame(end, start, p, t0, t2, invitationLines[1]);
        ASSERT_EQ(f.fade, 1.0f) << p;
        EXPECT_FLOAT_EQ(f.position.x, end.x);
        EXPECT_FLOAT_EQ(f.position.y, end.y);
        EXPECT_FLOAT_EQ(f.position.z, end.z);
    }
    start = Vec3(-108, 0, -1000);
    f = textLineFrame(end, start, 0.06f, t0, t2, invitationLines[1]);  // arriving from far away
    EXPECT_GT(f.fade, 0.0f);
    EXPECT_LT(f.fade, 1.0f);
    EXPECT_LT(f.position.z, end.z);

    // On page 1 the remote-entries line comes nearer the viewer than every other.
    const TextPage& page = kTextPages[1];
    ASSERT_EQ(page.count, 11);
    EXPECT_EQ(page.slots[5].field, 13);
    for (int k = 0; k < page.count; ++k) {
        if (k != 5) {
            EXPECT_LT(page.slots[k].end.z, page.slots[5].end.z);
        }
    }
}

TEST(Solids, EveryFaceNormalIsAUnitVectorPointingOutward)
{
    for (const Polyhedron* solid : {&kOctahedron, &kCube, &kIcosahedron, &kDodecahedron}) {
        for (int f = 0; f < solid->faceCount; ++f) {
            Vec3 centre;
            for (int k = 0; k < solid->cornersPerFace; ++k)
                centre = centre + solid->vertices[solid->faces[f * solid->cornersPerFace + k]];
            const Vec3 n = faceNormal(*solid, f);
            EXPECT_NEAR(length(n), 1.0f, 1e-5f);
            Vec3 direction = centre;
            normalize(direction);
            EXPECT_GT(n.x * direction.x + n.y * direction.y + n.z * direction.z, 0.9f)
                << "face " << f << " of a solid with " << solid->faceCount << " faces";
        }
    }
    // The octahedron's normals are (±1, ±1, ±1)/√3.
    const Vec3 n = faceNormal(kOctahedron, 0);
    EXPECT_NEAR(std::fabs(n.x), 1 / std::sqrt(3.0f), 1e-6f);
}

TEST(FlatShapes, DiscRimHas48PointsAndCloses)
{
    const auto rim = discRim(Vec3(1, 2, 3), 2.0f);
    EXPECT_NEAR(rim.front().x, rim.back().x, 1e-5f);
    EXPECT_NEAR(rim.front().y, rim.back().y, 1e-5f);
    EXPECT_FLOAT_EQ(rim.front().y, 4.0f);  // angle 0 is straight up: (sin 0, cos 0)
    for (const Vec3& v : rim) EXPECT_NEAR(length(v - Vec3(1, 2, 3)), 2.0f, 1e-5f);
}

TEST(OpeningScene, CubeWindowsFollowOneAnotherInSteps)
{
    fillCubeWindows();
    EXPECT_FLOAT_EQ(cubeWindows[0][0], 0.3f);
    EXPECT_FLOAT_EQ(cubeWindows[0][1], 0.305f);
    for (int i = 1; i < 121; ++i) EXPECT_EQ(cubeWindows[i][0], cubeWindows[i - 1][1]);
    EXPECT_NEAR(cubeWindows[119][1], 0.9, 1e-4);  // the last group grows in at 90 % of the scene
}

TEST(SpeechBubbles, FadeSlideAndSitInTheirPlaces)
{
    BubbleDraw draws[3];
    ASSERT_EQ(bubbleLayout(0.1f, 0, draws), 1);  // before its pulse: transparent, at the start offset
    EXPECT_EQ(draws[0].alpha, 0.0f);
    EXPECT_FLOAT_EQ(draws[0].offset.x, -0.1f);
    ASSERT_EQ(bubbleLayout(0.5f, 0, draws), 1);  // the middle of a gain-1 pulse: fully shown, at rest
    EXPECT_FLOAT_EQ(draws[0].alpha, 1.0f);
    EXPECT_NEAR(draws[0].offset.x, 0.0f, 1e-6f);
    ASSERT_EQ(bubbleLayout(0.5f, 3, draws), 1);
    EXPECT_EQ(draws[0].quad.right, 1.0f);  // reaches the right edge before its slide

    // Set 4: 5a alone from 0.83, all three from 0.89 to 0.92, 5c alone until 0.98.
    auto shown = [&](float p) {
        bubbleLayout(p, 4, draws);
        return std::array<bool, 3>{draws[0].alpha > 0, draws[1].alpha > 0, draws[2].alpha > 0};
    };
    EXPECT_EQ(shown(0.85f), (std::array<bool, 3>{true, false, false}));
    EXPECT_EQ(shown(0.905f), (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(shown(0.96f), (std::array<bool, 3>{false, false, true}));
    EXPECT_EQ(bubbleLayout(0.5f, 5, draws), 0);
}

}  // namespace
