// The whole intro in one process, as a capture runs it, with the run ahead that a player makes
// between frames: once every scene is running, the memory it holds stays steady, so that a
// long session or a long capture does not grow. The checkpoints the run ahead keeps (bounded
// by their own limit) are counted apart.
#include <gtest/gtest.h>
#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <new>
#include <string>

#include "app/OffscreenIntro.h"

namespace {

// Bytes held through C++ allocation in this process: the intro's own objects (the GL driver,
// written in C, allocates with malloc and is not counted).
std::atomic<long long> liveBytes{0};

// Resident memory of this process in kB, after the GL driver has finished its frame and the
// allocator has given back the pages nothing uses any more.
long heldKilobytes(OffscreenIntro& intro)
{
    intro.gfx().finish();
    malloc_trim(0);
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

TEST(LongRun, MemoryTheIntroHoldsGrowsLessThanTwoMegabytesFrom30To200SecondsBesideItsCheckpointsAndItEndsAt206)
{
    OffscreenIntro::Refusal refusal;
    std::unique_ptr<OffscreenIntro> intro = OffscreenIntro::open(320, 180, GLApi::Core, refusal);
    ASSERT_TRUE(intro) << "no headless OpenGL context " << refusal.message;
    long long heap30 = 0, checkpoints30 = 0;
    long resident30 = 0;
    const Checkpoints& checkpoints = intro->run().checkpoints();
    for (int t = 0; t <= 200000; t += 1000 / 30) {
        intro->render(t);
        intro->run().runAhead(::Run::kAheadWhilePlaying);
        if (resident30 == 0 && t >= 30000) {
            resident30 = heldKilobytes(*intro);
            heap30 = liveBytes;
            checkpoints30 = static_cast<long long>(checkpoints.bytes());
        }
    }
    const long resident200 = heldKilobytes(*intro);
    const long long heap200 = liveBytes;
    const long long checkpoints200 = static_cast<long long>(checkpoints.bytes());
    EXPECT_LE(checkpoints.bytes(), Checkpoints::kMaxBytes);
    // The frame before 206 s leaves the intro running; the one at 206 s ends it.
    EXPECT_FALSE(intro->render(205990).ended);
    EXPECT_TRUE(intro->render(206000).ended);
    intro.reset();
    std::printf("C++ heap: %lld kB at 30 s, %lld kB at 200 s, of which checkpoints %lld kB and %lld kB; resident: "
                "%ld kB at 30 s, %ld kB at 200 s\n",
                heap30 / 1024, heap200 / 1024, checkpoints30 / 1024, checkpoints200 / 1024, resident30, resident200);
    EXPECT_LT((heap200 - checkpoints200) - (heap30 - checkpoints30), 2 << 20) << "the intro's own memory grew";
}

}  // namespace

// Counted allocation for the whole test program. GCC takes the replaced operators' malloc and
// free for a mismatch with the built-in new and delete they stand for.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    liveBytes += static_cast<long long>(malloc_usable_size(p));
    return p;
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept
{
    if (!p) return;
    liveBytes -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }
