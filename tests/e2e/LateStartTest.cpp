// A late start (--start) runs through everything that has a history without drawing, and then
// draws the frame for its moment exactly as the capture tool draws it: byte for byte what
// `orvale-capture --at` writes for the same size, and what drawing every frame before it
// would have left.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "CaptureRun.h"
#include "app/OffscreenIntro.h"

namespace {

constexpr int kWidth = 320, kHeight = 180;

std::unique_ptr<OffscreenIntro> openIntro(int width, int height)
{
    OffscreenIntro::Refusal refusal;
    std::unique_ptr<OffscreenIntro> intro = OffscreenIntro::open(width, height, GLApi::Core, refusal);
    EXPECT_TRUE(intro) << "no headless OpenGL context " << refusal.message;
    return intro;
}

// The capture's picture of a moment, as 0xRRGGBB from its top row down.
std::vector<uint32_t> capturedFrame(int t)
{
    const std::filesystem::path folder = ::testing::TempDir() + "/late-start";
    std::filesystem::create_directories(folder);
    std::string messages;
    EXPECT_EQ(capture("--size 320x180 --out '" + folder.string() + "' --at " + std::to_string(t), messages), 0)
        << messages;
    char name[32];
    std::snprintf(name, sizeof name, "frame-%06d.png", t);
    const std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> png(
        cairo_image_surface_create_from_png((folder / name).c_str()), cairo_surface_destroy);
    std::vector<uint32_t> pixels;
    if (cairo_surface_status(png.get()) != CAIRO_STATUS_SUCCESS) return pixels;
    const unsigned char* data = cairo_image_surface_get_data(png.get());
    const int stride = cairo_image_surface_get_stride(png.get());
    for (int y = 0; y < cairo_image_surface_get_height(png.get()); ++y)
        for (int x = 0; x < cairo_image_surface_get_width(png.get()); ++x)
            pixels.push_back(reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xffffffu);
    std::filesystem::remove_all(folder);
    return pixels;
}

// The frame just drawn, in the same form.
std::vector<uint32_t> drawnFrame(OffscreenIntro& intro)
{
    std::vector<uint8_t> rgba(static_cast<size_t>(kWidth) * kHeight * 4);
    intro.gfx().readPixels({0, 0, kWidth, kHeight}, rgba.data());
    std::vector<uint32_t> pixels;
    for (int y = kHeight - 1; y >= 0; --y)
        for (int x = 0; x < kWidth; ++x) {
            const uint8_t* p = &rgba[(static_cast<size_t>(y) * kWidth + x) * 4];
            pixels.push_back(uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2]);
        }
    return pixels;
}

TEST(LateStart, TheFirstFrameIsTheCapturesFrameOfThatMoment)
{
    // Inside the burning circle: the fire ring's particles, the twinkles and the clear level
    // all carry history from the frames before.
    const int t = 16000;
    std::unique_ptr<OffscreenIntro> intro = openIntro(kWidth, kHeight);
    ASSERT_TRUE(intro);
    EXPECT_EQ(catchUpFrames(t), t * 60 / 1000);
    intro->catchUp(t);
    intro->render(t);
    const std::vector<uint32_t> drawn = drawnFrame(*intro);
    intro.reset();

    const std::vector<uint32_t> captured = capturedFrame(t);
    ASSERT_EQ(captured.size(), drawn.size());
    size_t differing = 0;
    for (size_t i = 0; i < drawn.size(); ++i) differing += drawn[i] != captured[i];
    EXPECT_EQ(differing, 0u) << "pixels that differ from orvale-capture --at " << t;
}

TEST(LateStart, AFrameAfterRunningWithoutDrawingIsTheFrameAfterDrawingEveryOne)
{
    // Among the ribbons, after every scene before them: the emitters, the lights the particles
    // leave, the random draws and the clear level all have their history.
    const int t = 100000;
    std::unique_ptr<OffscreenIntro> intro = openIntro(kWidth, kHeight);
    ASSERT_TRUE(intro);
    for (int n = 0; n * 1000 / kCatchUpFps < t; ++n) intro->render(n * 1000 / kCatchUpFps);
    intro->render(t);
    const std::vector<uint32_t> everyFrameDrawn = drawnFrame(*intro);

    intro->restart();
    intro->catchUp(t);
    intro->render(t);
    const std::vector<uint32_t> caughtUp = drawnFrame(*intro);
    size_t differing = 0;
    for (size_t i = 0; i < caughtUp.size(); ++i) differing += caughtUp[i] != everyFrameDrawn[i];
    EXPECT_EQ(differing, 0u) << "pixels that differ after running without drawing up to " << t;
}

}  // namespace
