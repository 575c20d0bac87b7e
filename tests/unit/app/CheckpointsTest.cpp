// The checkpoints a seek starts from: a state put back from one is the state kept (its live
// particles in their places, the dead ones blank, everything else as it was), the nearest at or
// below a frame is found, and past their memory limit every second one goes but the first.
#include "app/Checkpoints.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// A state whose ribbons hold `live` live particles, spread over a pool of 4000, marked with the
// frame they belong to.
IntroState stateWith(int32_t frame, size_t live)
{
    IntroState s;
    s.clearLevel = static_cast<float>(frame);
    for (ParticleEmitter& e : s.ribbons) e.particles.assign(4000, Particle{});
    for (size_t i = 0; i < live; ++i) {
        Particle& p = s.ribbons[i % 4].particles[(i * 7) % 4000];
        p.alive = true;
        p.age = static_cast<float>(frame);
        p.position = {static_cast<float>(i), 1, 2};
    }
    return s;
}

bool sameParticles(const IntroState& a, const IntroState& b)
{
    for (size_t e = 0; e < a.ribbons.size(); ++e) {
        const std::vector<Particle>& pa = a.ribbons[e].particles;
        const std::vector<Particle>& pb = b.ribbons[e].particles;
        if (pa.size() != pb.size()) return false;
        for (size_t i = 0; i < pa.size(); ++i) {
            if (pa[i].alive != pb[i].alive) return false;
            if (pa[i].alive && (pa[i].age != pb[i].age || pa[i].position.x != pb[i].position.x)) return false;
        }
    }
    return true;
}

TEST(Checkpoints, AStatePutBackIsTheOneKeptAndTheNearestBelowIsFound)
{
    Checkpoints kept;
    IntroState out;
    EXPECT_EQ(kept.restoreAtOrBelow(100, out), -1);
    kept.add(0, stateWith(0, 0));
    kept.add(60, stateWith(60, 300));
    kept.add(120, stateWith(120, 2000));
    EXPECT_EQ(kept.last(), 120);
    EXPECT_EQ(kept.restoreAtOrBelow(59, out), 0);
    EXPECT_EQ(kept.restoreAtOrBelow(119, out), 60);
    EXPECT_EQ(out.clearLevel, 60);
    EXPECT_TRUE(sameParticles(out, stateWith(60, 300)));
    EXPECT_EQ(kept.restoreAtOrBelow(5000, out), 120);
    EXPECT_TRUE(sameParticles(out, stateWith(120, 2000)));
    // Only the live particles are kept: far less than the pools.
    EXPECT_LT(kept.bytes(), 3 * sizeof(IntroState) + 2400 * sizeof(Particle) + 4096);
}

TEST(Checkpoints, PastTheirLimitEverySecondOneGoesButTheFirst)
{
    Checkpoints kept;
    const IntroState full = stateWith(0, 4000);
    size_t before = 0;
    int32_t frame = 0;
    for (; kept.count() >= before && frame < 100000; frame += 10) {
        before = kept.count();
        kept.add(frame, full);
        EXPECT_LE(kept.bytes(), Checkpoints::kMaxBytes);
    }
    ASSERT_LT(frame, 100000) << "never over the limit";
    EXPECT_EQ(kept.count(), (before + 2) / 2);
    IntroState out;
    EXPECT_EQ(kept.restoreAtOrBelow(15, out), 0);  // the first stays, the second went
    EXPECT_EQ(kept.restoreAtOrBelow(25, out), 20);
}

}  // namespace
