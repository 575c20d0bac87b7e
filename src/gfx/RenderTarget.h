#pragma once

#include <cstdint>

#include "core/Result.h"
#include "gfx/DeviceResource.h"

// An off-screen target: a colour texture and a depth buffer to draw into, whose picture is
// then drawn as a texture. Owned: it goes with its owner.
class RenderTarget {
public:
    RenderTarget() = default;
    // A target of width x height pixels; one the device cannot draw into is a failure that
    // says so.
    static Result<RenderTarget> create(Device& device, int32_t width, int32_t height);

    TargetId id() const { return resource_.name(); }
    TextureId picture() const { return picture_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

private:
    DeviceResource<TargetId, &Device::destroyTarget> resource_;
    TextureId picture_;
    int32_t width_ = 0;
    int32_t height_ = 0;
};
