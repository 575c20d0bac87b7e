#pragma once

#include <array>
#include <string>
#include <string_view>

#include "math/Vec3.h"

class BitmapFont;
class Gfx;

// The invitation's text: 43 fields, each centred in 35 characters (34 for two of them) by
// the leading spaces that place it on the screen.
inline constexpr int kInvitationFields = 43;
// Field k (0 to kInvitationFields - 1) as it is written: its leading spaces, then its text,
// padded to its run.
std::string_view invitationLine(int k);

// The blank line shown before a slot's time: 30 spaces.
inline constexpr const char* kBlankLine = "                              ";

// What one line of a page looks like at progress p: how opaque, where, and which text.
struct TextLineFrame {
    float fade;       // opacity, 0 to 1
    Vec3 position;    // where the line starts, in the page's world coordinates
    std::string_view text;  // the field, or the blank template before the line's time
};

// A line's opacity at progress p, between its times t0 and t2.
float lineFade(float p, float t0, float t2);

// A line travelling from far away (start) to its slot (end), resting there while it is
// fully shown, then swinging off towards the viewer as it fades. Times are on the page's
// progress scale. `start` is moved by the line's swing (callers set it anew each time).
TextLineFrame textLineFrame(const Vec3& end, Vec3& start, float p, float t0, float t2, std::string_view text);

// Draws one line with the bitmap font at the given scale, over what is there, neither fogged
// nor depth-tested, from the modelview's identity. t1, the end of a typing-out reveal, is
// carried but not used: every line shows whole from t0 on.
void textLine(Gfx& g, const Vec3& end, Vec3& start, const Vec3& colour, float p, float t0, float t1, float t2,
              std::string_view text, float scale, const BitmapFont& font);

// One of the four pages (0 to 3) at its progress p.
void drawTextPage(Gfx& g, float p, int page, const BitmapFont& font);
// Whether any line of the page is at all opaque at its progress p: otherwise drawing it leaves
// every pixel as it was.
bool textPageShows(float p, int page);

// The slots of a page: the field each shows and its end point.
struct TextSlot {
    int field;
    Vec3 end;
};
struct TextPage {
    const TextSlot* slots;
    int count;
};
extern const TextPage kTextPages[4];
