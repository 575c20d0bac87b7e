// A late start (--start) catches up with everything that has a history, on small frames, and
// then draws the frame for its moment exactly as the capture tool draws it: byte for byte
// what `orvale-capture --at` writes for the same size.
#include <cairo.h>
#include <epoxy/gl.h>
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
std::vector<uint32_t> drawnFrame()
{
    std::vector<uint8_t> rgba(static_cast<size_t>(kWidth) * kHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
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
    OffscreenIntro::Refusal refusal;
    std::unique_ptr<OffscreenIntro> intro = OffscreenIntro::open(kWidth, kHeight, refusal);
    ASSERT_TRUE(intro) << "no headless OpenGL context " << refusal.message;
    int shown = 0, total = 0;
    ASSERT_TRUE(intro->intro().catchUp(t, kWidth / 4, kHeight / 4, [&](int done, int all) {
        shown = done;
        total = all;
        return true;
    }).ok());
    EXPECT_EQ(total, t * 60 / 1000);
    EXPECT_EQ(shown, total);
    intro->render(t);
    const std::vector<uint32_t> drawn = drawnFrame();
    intro.reset();

    const std::vector<uint32_t> captured = capturedFrame(t);
    ASSERT_EQ(captured.size(), drawn.size());
    size_t differing = 0;
    for (size_t i = 0; i < drawn.size(); ++i) differing += drawn[i] != captured[i];
    EXPECT_EQ(differing, 0u) << "pixels that differ from orvale-capture --at " << t;
}

}  // namespace
