#include "scenes/SpeechBubbles.h"

#include <algorithm>

#include "geometry/Shapes.h"
#include "gfx/FullScreenQuad.h"
#include "gfx/TextureFile.h"
#include "math/Shaping.h"

namespace {

const char* const kFiles[7] = {"speech1.png",  "speech2.png",  "speech3.png", "speech4.png",
                               "speech5a.png", "speech5b.png", "speech5c.png"};

// Draws picture `bubble` over the screen-space quad (0 to 1 across the viewport).
void quad(Gfx& g, TextureId bubble, const BubbleQuad& q)
{
    drawTexturedRect(g, DrawState{.blend = Blend::Alpha, .texture = bubble}, q.left, q.bottom, q.right, q.top);
}

}  // namespace

int bubbleLayout(float p, int set, BubbleDraw out[3])
{
    // Sets 0 to 3: one bubble each; set 4: three bubbles on one quad, one after another.
    static const struct {
        int picture;
        float from, to, gain;
        BubbleQuad quad;
    } kSingle[4] = {{0, 0.15f, 0.85f, 1, {0.548f, 0.12f, 0.932f, 0.3075f}},
                    {1, 0.15f, 0.8f, 1, {0.025f, 0.65f, 0.409f, 0.8375f}},
                    {2, 0.25f, 0.75f, 2, {0.05f, 0.1f, 0.434f, 0.2875f}},
                    {3, 0.15f, 0.8f, 2, {0.6672f, 0.7336f, 1.0f, 0.9f}}};
    if (set >= 0 && set < 4) {
        const auto& s = kSingle[set];
        const float a = sinePulse(p, s.from, s.to, s.gain);
        const Vec3 offsets[4] = {{0.1f * a - 0.1f, 0, 0}, {0.1f * a - 0.05f, 0.03f, 0}, {0, 0.05f * a, 0},
                                 {-0.08f * a, 0, 0}};
        out[0] = {s.picture, a, offsets[set], s.quad};
        return 1;
    }
    if (set == 4) {
        constexpr BubbleQuad shared{0.308f, 0.40625f, 0.692f, 0.59375f};
        const float a = sinePulse(p, 0.83f, 0.92f, 2), b = sinePulse(p, 0.86f, 0.95f, 2),
                    c = sinePulse(p, 0.89f, 0.98f, 2);
        out[0] = {4, a, {0.2f * a - 0.2f, 0, 0}, shared};  // slides in from the left
        out[1] = {5, b, {0.2f - 0.2f * b, 0, 0}, shared};  // from the right
        out[2] = {6, c, {0.2f * c - 0.2f, 0, 0}, shared};  // from the left
        return 3;
    }
    return 0;
}

Result<SpeechBubbles> SpeechBubbles::load(Gfx& g, const std::filesystem::path& gfx)
{
    SpeechBubbles bubbles;
    for (size_t i = 0; i < 7; ++i) {
        Result<Texture> picture = loadTexture(g, (gfx / kFiles[i]).string(), false);
        if (!picture) return Failure{picture.message()};
        bubbles.pictures_[i] = picture.take();
    }
    return bubbles;
}

bool SpeechBubbles::shows(float p, int set)
{
    BubbleDraw draws[3];
    const int count = bubbleLayout(p, set, draws);
    return std::any_of(draws, draws + count, [](const BubbleDraw& d) { return d.alpha > 0; });
}

void SpeechBubbles::draw(Gfx& g, float p, int set) const
{
    g.modelView.loadIdentity();
    beginOrtho(g, 1, 1);
    BubbleDraw draws[3];
    const int count = bubbleLayout(p, set, draws);
    for (int i = 0; i < count; ++i) {
        // The set of three each draws inside its own matrix push and pop.
        if (set == 4) g.modelView.push();
        g.colour(1, 1, 1, draws[i].alpha);
        g.modelView.translate(draws[i].offset.x, draws[i].offset.y, draws[i].offset.z);
        quad(g, pictures_[static_cast<size_t>(draws[i].picture)].id(), draws[i].quad);
        if (set == 4) g.modelView.pop();
    }
    endOrtho(g);
}
