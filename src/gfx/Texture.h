#pragma once

#include <cstdint>

#include "gfx/DeviceResource.h"

// A texture of 8-bit RGBA texels, owned: it goes with its owner. An empty one is none.
class Texture {
public:
    Texture() = default;
    Texture(Device& device, TextureId name, const TextureSettings& settings)
        : resource_(device, name), settings_(settings)
    {
    }

    TextureId id() const { return resource_.name(); }
    const TextureSettings& settings() const { return settings_; }

private:
    DeviceResource<TextureId, &Device::destroyTexture> resource_;
    TextureSettings settings_;
};
