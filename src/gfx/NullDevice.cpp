#include "gfx/NullDevice.h"

#include <algorithm>
#include <cstring>

DeviceInfo NullDevice::info() const { return {"none", "none", "none", "no GPU"}; }

int NullDevice::clears(TargetId target) const
{
    for (const auto& [t, n] : clears_)
        if (t == target) return n;
    return 0;
}

TextureId NullDevice::createTexture(const TextureSettings&, const uint8_t*) { return TextureId{nextName_++}; }

Result<TargetNames> NullDevice::createTarget(int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0)
        return Failure{"cannot draw into a " + std::to_string(width) + "x" + std::to_string(height) + " target"};
    const TargetId target{nextName_++};
    return TargetNames{target, TextureId{nextName_++}};
}

ProgramId NullDevice::createProgram(const char*, const char*, const char*, std::span<const SamplerUnit>,
                                    std::vector<std::string>&)
{
    return ProgramId{nextName_++};
}

MeshId NullDevice::createMesh(Topology, std::span<const Vertex> vertices, std::span<const uint32_t> indices,
                              MeshAttributes)
{
    const uint32_t name = nextName_++;
    if (recording_) {
        meshes_.resize(name);
        std::vector<Vertex>& kept = meshes_[name - 1];
        if (indices.empty())
            kept.assign(vertices.begin(), vertices.end());
        else
            for (const uint32_t i : indices) kept.push_back(vertices[i]);
    }
    return MeshId{name};
}

void NullDevice::clear(const std::array<float, 4>&)
{
    for (auto& [t, n] : clears_)
        if (t == target_) {
            ++n;
            return;
        }
    clears_.emplace_back(target_, 1);
}

void NullDevice::draw(const DrawCall& call) { record(call, 0); }

void NullDevice::drawInstances(const DrawCall& call, const Instances& instances) { record(call, instances.count); }

void NullDevice::readPixels(const PixelBox& box, uint8_t* rgba)
{
    std::memset(rgba, 0, static_cast<size_t>(box.width) * box.height * 4);
}

void NullDevice::record(const DrawCall& call, size_t instances)
{
    if (!recording_) return;
    Draw d;
    d.call = call;
    d.call.vertices = {};
    if (call.mesh && call.mesh.name <= meshes_.size())
        d.vertices = meshes_[call.mesh.name - 1];
    else
        d.vertices.assign(call.vertices.begin(), call.vertices.end());
    d.target = target_;
    d.instances = instances;
    draws_.push_back(std::move(d));
}
