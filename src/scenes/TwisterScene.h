#pragma once

#include <filesystem>

#include "core/Result.h"
#include "gfx/Gfx.h"
#include "math/CameraPath.h"
#include "math/Vec3.h"
#include "scenes/FrameContext.h"
#include "scenes/SceneShared.h"

// Scene F, 115.36 to 145 s: the twisting column over the frozen ring of fire.

// The column's 129 rings, 0 at its foot: each ring's texture twist (in 1/64 of the picture's
// width), radius and sideways shift (units). Entry 129 is never written and stays 0, so the
// column closes to a point on its axis.
inline constexpr int kRingCount = 129;
struct ColumnRings {
    float twist[kRingCount + 1];
    float radius[kRingCount + 1];
    float shift[kRingCount + 1];
};

class TwisterScene {
public:
    // The straight cylinder of radius 1 the column starts as, and the two camera paths;
    // without the wall's picture (the scene's geometry alone).
    TwisterScene();
    // The scene with the wall's picture from the folder gfx.
    static Result<TwisterScene> load(Gfx& g, const std::filesystem::path& gfx);

    // Draws the column as the rings stand, then rewrites them for progress p: the column
    // drawn in a frame uses the previous frame's rings.
    void draw(Gfx& g, float p, const FrameContext& frame, const SceneShared& shared);
    // Rewrites rings 0 to 128 for progress p.
    void updateRings(float p);
    // The eye (which cuts between four points circling the column after its opening descent)
    // and the target, before the scene's drop of 25 units.
    void camera(float p, Vec3& eye, Vec3& target) const;
    // The rings as the last frame left them: what the scene carries from frame to frame.
    const ColumnRings& rings() const { return rings_; }
    ColumnRings& rings() { return rings_; }

private:
    void drawColumn(Gfx& g, const DrawState& state) const;

    ColumnRings rings_;
    CameraPath eyePath_{"twistercam"};
    CameraPath targetPath_{"twistertargetcam"};
    Texture tunnel_;
};
