#pragma once

#include "gfx/DeviceResource.h"

// Vertices and their indices stored with the device once, drawn many times. Owned: they go
// with their owner.
class Mesh {
public:
    Mesh() = default;
    Mesh(Device& device, MeshId id, Topology topology) : resource_(device, id), topology_(topology) {}

    MeshId id() const { return resource_.name(); }
    Topology topology() const { return topology_; }

private:
    DeviceResource<MeshId, &Device::destroyMesh> resource_;
    Topology topology_ = Topology::Triangles;
};
