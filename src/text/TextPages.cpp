#include "text/TextPages.h"

#include <array>
#include <cmath>

#include "gfx/Gfx.h"
#include "math/Shaping.h"
#include "math/Trigonometry.h"
#include "text/BitmapFont.h"

namespace {

// Each field: its leading spaces, its text and the run it is centred in (trailing spaces
// fill the rest). The event's address, dates, venue and country are the party's own,
// invented for it.
struct Field {
    int leading;
    const char* text;
    int run;
};
constexpr Field kFields[kInvitationFields] = {
    {14, "VASKEL", 35},
    {10, "INVITES YOU TO", 35},
    {7, "THE SECOND EDITION OF", 35},
    {13, "ORVALE", 34},
    {3, "----------------------------", 35},
    {8, "HTTP://ORVALE.INVALID", 35},
    {5, "AUGUST 18TH TO 21ST, 2011", 35},
    {7, "FERNWICK GLEN, VERMONT", 35},
    {15, "U.S.A", 35},
    {0, "", 30},
    {5, "FEEL THE OLDSCHOOL FEELING", 35},
    {8, "ON THE NEW CONTINENT", 35},
    {2, "------------------------------", 35},
    {6, "WE ACCEPT REMOTE ENTRIES", 35},
    {2, "------------------------------", 35},
    {1, "SO COME AND SHOW US YOUR TALENTS", 35},
    {3, "IN THE FOLLOWING COMPETITIONS", 35},
    {0, "", 35},
    {0, "", 35},
    {0, "", 35},
    {0, "", 35},
    {0, "", 35},
    {14, "DEMO", 35},
    {13, "INTROS", 35},
    {12, "OLDSCHOOL", 35},
    {9, "FREESTYLE MUSIC", 35},
    {11, "8-BIT MUSIC", 35},
    {7, "FREESTYLE  GRAPHICS", 35},
    {7, "INTERACTIVE FICTION", 35},
    {15, "WILD", 35},
    {12, "WILD DEMOS", 35},
    {0, "", 35},
    {7, "WE HAVE A VARIETY OF", 35},
    {10, "OLDSCHOOL GEAR", 35},
    {4, "AVAILABLE ON PRIOR REQUEST", 35},
    {14, "A PIANO", 35},
    {13, "A FIREPIT", 35},
    {1, "A BIG FIELD ALONGSIDE FOR FRISBEE", 35},
    {7, "SOCCER AND STAR GAZING", 35},
    {1, "---------------------------------", 35},
    {7, "HTTP://ORVALE.INVALID", 35},
    {9, "THE PLACE TO BE!", 34},
    {0, "", 35},
};

// Every field as it is written, built once by the compiler: its leading spaces, then its text,
// padded with spaces to its run (and cut there).
struct WrittenField {
    char text[35];
    int length;
};
constexpr std::array<WrittenField, kInvitationFields> kWritten = [] {
    std::array<WrittenField, kInvitationFields> written{};
    for (int i = 0; i < kInvitationFields; ++i) {
        const Field& f = kFields[i];
        WrittenField& w = written[static_cast<size_t>(i)];
        int n = 0;
        for (; n < f.leading && n < f.run; ++n) w.text[n] = ' ';
        for (const char* c = f.text; *c && n < f.run; ++c) w.text[n++] = *c;
        for (; n < f.run; ++n) w.text[n] = ' ';
        w.length = f.run;
    }
    return written;
}();

}  // namespace

std::string_view invitationLine(int k)
{
    const WrittenField& w = kWritten[static_cast<size_t>(k)];
    return {w.text, static_cast<size_t>(w.length)};
}

namespace {

constexpr float kPageZ = -200.0f;
constexpr float kPageX = -108.0f;

constexpr TextSlot kPage0[] = {{0, {kPageX, 80, kPageZ}},   {1, {kPageX, 60, kPageZ}},  {2, {kPageX, 40, kPageZ}},
                               {3, {kPageX, 20, kPageZ}},   {4, {kPageX, 0, kPageZ}},   {6, {kPageX, -20, kPageZ}},
                               {7, {kPageX, -40, kPageZ}},  {8, {kPageX, -60, kPageZ}}, {5, {kPageX, -80, kPageZ}}};
constexpr TextSlot kPage1[] = {{19, {kPageX, 100, kPageZ}}, {20, {kPageX, 80, kPageZ}},  {10, {kPageX, 60, kPageZ}},
                               {11, {kPageX, 40, kPageZ}},  {12, {kPageX, 20, kPageZ}},  {13, {-113, -2, -120}},
                               {14, {kPageX, -20, kPageZ}}, {15, {kPageX, -40, kPageZ}}, {16, {kPageX, -60, kPageZ}},
                               {17, {kPageX, -80, kPageZ}}, {18, {kPageX, -100, kPageZ}}};
constexpr TextSlot kPage2[] = {{21, {kPageX, 100, kPageZ}}, {22, {kPageX, 80, kPageZ}},  {23, {kPageX, 60, kPageZ}},
                               {24, {kPageX, 40, kPageZ}},  {25, {kPageX, 20, kPageZ}},  {26, {kPageX, 0, kPageZ}},
                               {27, {kPageX, -20, kPageZ}}, {28, {kPageX, -40, kPageZ}}, {29, {kPageX, -60, kPageZ}},
                               {30, {kPageX, -80, kPageZ}}, {31, {kPageX, -100, kPageZ}}};
constexpr TextSlot kPage3[] = {{32, {kPageX, 95, kPageZ}},  {33, {kPageX, 75, kPageZ}},  {34, {kPageX, 55, kPageZ}},
                               {35, {kPageX, 35, kPageZ}},  {36, {kPageX, 15, kPageZ}},  {37, {kPageX, -5, kPageZ}},
                               {38, {kPageX, -25, kPageZ}}, {39, {kPageX, -45, kPageZ}}, {40, {kPageX, -65, kPageZ}},
                               {41, {kPageX, -85, kPageZ}}, {42, {kPageX, -105, kPageZ}}};

}  // namespace

const TextPage kTextPages[4] = {{kPage0, 9}, {kPage1, 11}, {kPage2, 11}, {kPage3, 11}};

float lineFade(float p, float t0, float t2) { return sinePulse(p, t0, t2, 4.0f); }

TextLineFrame textLineFrame(const Vec3& end, Vec3& start, float p, float t0, float t2, std::string_view text)
{
    TextLineFrame frame;
    frame.fade = lineFade(p, t0, t2);
    const float swingX = static_cast<float>(80.0 * trig::sin(static_cast<double>(p * 80.0f)));
    const float swingY = static_cast<float>(35.0 * trig::cos(static_cast<double>(p * 35.0f)));
    start = Vec3(start.x + swingX, swingY, start.z);
    const Vec3 departure(end.x + swingX, swingY, 0.0f);
    frame.position = lerpVec3(p < 0.7f ? start : departure, end, frame.fade);
    // Up to 37 characters: the field once the line's time has come, the blank template before.
    frame.text = (p > t0 ? text : std::string_view(kBlankLine)).substr(0, 37);
    return frame;
}

void textLine(Gfx& g, const Vec3& end, Vec3& start, const Vec3& colour, float p, float t0, float, float t2,
              std::string_view text, float scale, const BitmapFont& font)
{
    const TextLineFrame frame = textLineFrame(end, start, p, t0, t2, text);
    g.colour(colour, frame.fade);
    g.modelView.loadIdentity();
    g.modelView.translate(frame.position.x, frame.position.y, frame.position.z);
    g.modelView.scale(scale, scale, scale);
    font.write(g, {.blend = Blend::Alpha, .depthTest = false}, frame.text);
}

namespace {

// When the k-th line of a page arrives and when it has gone, on the page's progress scale.
float lineArrives(int k) { return 0.025f * k; }
float lineGoes(int k) { return 0.86f + 0.005f * k; }

}  // namespace

void drawTextPage(Gfx& g, float p, int page, const BitmapFont& font)
{
    if (page < 0 || page > 3) return;
    const TextPage& layout = kTextPages[page];
    for (int k = 0; k < layout.count; ++k) {
        Vec3 start(-108.0f, 0.0f, -1000.0f);
        textLine(g, layout.slots[k].end, start, Vec3(1, 1, 1), p, lineArrives(k), 0.05f * (k + 1), lineGoes(k),
                 invitationLine(layout.slots[k].field), 1.25f, font);
    }
}

bool textPageShows(float p, int page)
{
    if (page < 0 || page > 3) return false;
    for (int k = 0; k < kTextPages[page].count; ++k)
        if (lineFade(p, lineArrives(k), lineGoes(k)) > 0) return true;
    return false;
}
