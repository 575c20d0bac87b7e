#include "app/Checkpoints.h"

#include <algorithm>
#include <iterator>

size_t Checkpoints::Kept::bytes() const
{
    return sizeof(Kept) + (poolSizes.capacity() + liveCounts.capacity() + places.capacity()) * sizeof(uint32_t) +
           live.capacity() * sizeof(Particle);
}

void Checkpoints::add(int32_t frame, const IntroState& state)
{
    Kept k;
    k.frame = frame;
    forEachEmitter(state, [&](const ParticleEmitter& e) {
        k.poolSizes.push_back(static_cast<uint32_t>(e.particles.size()));
        const size_t before = k.live.size();
        for (size_t i = 0; i < e.particles.size(); ++i)
            if (e.particles[i].alive) {
                k.places.push_back(static_cast<uint32_t>(i));
                k.live.push_back(e.particles[i]);
            }
        k.liveCounts.push_back(static_cast<uint32_t>(k.live.size() - before));
    });
    k.places.shrink_to_fit();
    k.live.shrink_to_fit();
    k.shell = state;
    forEachEmitter(k.shell, [](ParticleEmitter& e) { std::vector<Particle>().swap(e.particles); });
    bytes_ += k.bytes();
    kept_.push_back(std::move(k));
    if (bytes_ > kMaxBytes) thin();
}

void Checkpoints::thin()
{
    while (bytes_ > kMaxBytes && kept_.size() > 1) {
        std::vector<Kept> kept;
        bytes_ = 0;
        for (size_t i = 0; i < kept_.size(); ++i)
            if (i % 2 == 0) {
                bytes_ += kept_[i].bytes();
                kept.push_back(std::move(kept_[i]));
            }
        kept_ = std::move(kept);
    }
}

void Checkpoints::clear()
{
    kept_.clear();
    bytes_ = 0;
}

int32_t Checkpoints::restoreAtOrBelow(int32_t frame, IntroState& out) const
{
    const auto after =
        std::upper_bound(kept_.begin(), kept_.end(), frame, [](int32_t f, const Kept& k) { return f < k.frame; });
    if (after == kept_.begin()) return -1;
    const Kept& k = *std::prev(after);
    out = k.shell;
    size_t emitter = 0, next = 0;
    forEachEmitter(out, [&](ParticleEmitter& e) {
        e.particles.assign(k.poolSizes[emitter], Particle{});
        for (const size_t end = next + k.liveCounts[emitter]; next < end; ++next)
            e.particles[k.places[next]] = k.live[next];
        ++emitter;
    });
    return k.frame;
}
