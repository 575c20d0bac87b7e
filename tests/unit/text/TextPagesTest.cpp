// The invitation text: its fields and how each line flies in, rests and fades out.
#include <gtest/gtest.h>

#include "text/TextPages.h"

namespace {

TEST(InvitationText, FieldsFillTheirRunsAndTheEventDetailsTheirPlaces)
{
    for (int i = 0; i < kInvitationFields; ++i) {
        const size_t expected = i == 3 || i == 41 ? 34 : i == 9 ? 30 : 35;
        EXPECT_EQ(invitationLine(i).size(), expected) << "field " << i;
    }
    // The event's address, dates, venue and country: leading spaces, then that many characters.
    const struct {
        int field, leading, length;
    } details[] = {{5, 8, 21}, {6, 5, 25}, {7, 7, 22}, {8, 15, 5}, {40, 7, 21}};
    for (const auto& d : details) {
        const std::string_view line = invitationLine(d.field);
        EXPECT_EQ(line.find_first_not_of(' '), static_cast<size_t>(d.leading)) << "field " << d.field;
        EXPECT_EQ(line.find_last_not_of(' ') + 1, static_cast<size_t>(d.leading + d.length)) << "field " << d.field;
    }
    EXPECT_EQ(invitationLine(5).substr(8, 21), invitationLine(40).substr(7, 21));
}

TEST(InvitationText, LinesFlyInRestAndFadeOut)
{
    const Vec3 end(-108, 40, -200);
    const float t0 = 0.05f, t2 = 0.87f;
    Vec3 start(-108, 0, -1000);
    TextLineFrame f = textLineFrame(end, start, 0.0f, 0.0f, 0.86f, invitationLine(0));
    EXPECT_EQ(f.fade, 0.0f);  // p = 0: nothing visible
    EXPECT_EQ(f.text, kBlankLine);

    start = Vec3(-108, 0, -1000);
    f = textLineFrame(end, start, 1.0f, t0, t2, invitationLine(1));
    EXPECT_EQ(f.fade, 0.0f);  // p = 1: past its time, fully transparent
    EXPECT_EQ(f.text, invitationLine(1));

    for (float p : {0.2f, 0.5f, 0.8f}) {  // fully shown: at rest on its slot
        start = Vec3(-108, 0, -1000);
        f = textLineFrame(end, start, p, t0, t2, invitationLine(1));
        ASSERT_EQ(f.fade, 1.0f) << p;
        EXPECT_FLOAT_EQ(f.position.x, end.x);
        EXPECT_FLOAT_EQ(f.position.y, end.y);
        EXPECT_FLOAT_EQ(f.position.z, end.z);
    }
    start = Vec3(-108, 0, -1000);
    f = textLineFrame(end, start, 0.06f, t0, t2, invitationLine(1));  // arriving from far away
    EXPECT_GT(f.fade, 0.0f);
    EXPECT_LT(f.fade, 1.0f);
    EXPECT_LT(f.position.z, end.z);

    // A page shows from its first line's arrival until its last line has gone.
    for (int k = 0; k < 4; ++k) {
        EXPECT_FALSE(textPageShows(0.0f, k)) << k;
        EXPECT_TRUE(textPageShows(0.01f, k)) << k;
        EXPECT_TRUE(textPageShows(0.89f, k)) << k;  // the later lines are still going
        EXPECT_FALSE(textPageShows(0.92f, k)) << k;
    }
    EXPECT_FALSE(textPageShows(0.5f, 4));

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

}  // namespace
