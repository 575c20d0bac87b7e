#pragma once

#include "gfx/DeviceResource.h"

// Vertices and their indices stored with the device once, drawn many times. Owned: they go
// with their owner.
class Mesh {
public:
    Mesh() = default;
    Mesh(Device& device, uint32_t name, Topology topology) : resource_(device, name), topology_(topology) {}

    uint32_t name() const { return resource_.name(); }
    Topology topology() const { return topology_; }

private:
    DeviceResource<uint32_t, &Device::destroyMesh> resource_;
    Topology topology_ = Topology::Triangles;
};
