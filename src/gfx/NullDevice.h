#pragma once

#include <vector>

#include "gfx/Device.h"

// A device without a GPU: it makes names for resources and draws nothing. Recording, it keeps
// what it was asked to draw, in order, for tests to look at.
class NullDevice final : public Device {
public:
    // One draw as it was asked for, with its vertices (a mesh's are the mesh's own).
    struct Draw {
        DrawCall call;               // its vertices span left empty: see `vertices`
        std::vector<Vertex> vertices;
        TargetId target;             // the target bound when it was asked for
        size_t instances = 0;        // 0 for a draw that is not instanced
    };

    explicit NullDevice(bool recording = false) : recording_(recording) {}

    const std::vector<Draw>& draws() const { return draws_; }
    void forget() { draws_.clear(); }
    // How many times each target (0: the window's framebuffer) has been cleared.
    int clears(TargetId target) const;

    DeviceInfo info() const override;
    TextureId createTexture(const TextureSettings& settings, const uint8_t* rgba) override;
    void destroyTexture(TextureId) override {}
    Result<TargetNames> createTarget(int32_t width, int32_t height) override;
    void destroyTarget(TargetId) override {}
    ProgramId createProgram(const char* vertexSource, const char* fragmentSource, const char* name,
                            std::span<const SamplerUnit> samplers, std::vector<std::string>& failures) override;
    void destroyProgram(ProgramId) override {}
    bool programLinked(ProgramId program) const override { return static_cast<bool>(program); }
    MeshId createMesh(Topology topology, std::span<const Vertex> vertices, std::span<const uint32_t> indices,
                      MeshAttributes attributes) override;
    void destroyMesh(MeshId) override {}

    void bindTarget(TargetId target) override { target_ = target; }
    void viewport(const PixelBox&) override {}
    void clear(const std::array<float, 4>& rgba) override;
    void draw(const DrawCall& call) override;
    void drawInstances(const DrawCall& call, const Instances& instances) override;
    void readPixels(const PixelBox& box, uint8_t* rgba) override;
    void blit(TargetId, const PixelBox&, TargetId, const PixelBox&, bool) override {}
    void finish() override {}

private:
    void record(const DrawCall& call, size_t instances);

    bool recording_;
    uint32_t nextName_ = 1;
    TargetId target_;
    std::vector<Draw> draws_;
    std::vector<std::vector<Vertex>> meshes_;  // recorded meshes' vertices, by name − 1 when recording
    std::vector<std::pair<TargetId, int>> clears_;
};
