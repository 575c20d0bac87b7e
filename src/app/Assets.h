#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "core/Result.h"
#include "effects/Programs.h"
#include "geometry/FloorGrid.h"
#include "geometry/Meshes.h"
#include "gfx/FullScreenQuad.h"
#include "gfx/Gfx.h"
#include "gfx/ProceduralTexture.h"
#include "scenes/SharedEmitters.h"
#include "text/BitmapFont.h"
#include "text/SystemFontAtlas.h"
#include "timeline/Timeline.h"

class Screen;

// The loading screen: a white page with a grey outlined box and a dark red bar that grows
// by one step after each piece of loading work.
struct LoadingBar {
    int32_t current = 0;  // steps done
    int32_t total = 0;    // steps expected
    int32_t length = 10;  // length of the bar in scene units

    void setTotal(int32_t n) { total = n; }
    // Draws the loading screen at the render size onto the screen.
    void draw(Gfx& g, Screen& screen, int32_t width, int32_t height) const;
    // How far the bar reaches past its left end, in scene units: 9.9 when full.
    float progress() const;
};

// Everything the intro shows, made behind the loading screen in loading order (the members'
// order) and released in reverse by the members' destructors.
class Assets {
public:
    // The scenes and what they draw with, for the timeline. Only once loaded.
    Stage stage();
    // The picture multiplied over every finished frame.
    TextureId overlayPicture() const { return burning->overlayPicture(); }
    // Replaces the two render targets with ones of the given size.
    Status resizeTargets(int32_t width, int32_t height);

    Gfx* g = nullptr;  // what they are made with
    Random* random = nullptr;  // what the scenes are laid out with
    std::filesystem::path gfx;  // the folder the pictures are read from
    SharedEmitters emitters;  // no GL resources: ready before the first step, configured by two of them
    std::optional<FullScreenQuad> quad;
    FloorGrid floor;
    Programs programs;
    std::optional<SystemFontAtlas> systemFont;
    std::optional<ProceduralTextures> textures;
    std::optional<SpeechBubbles> bubbles;
    std::optional<MetaballScene> metaballs;
    std::optional<ClosingScene> closing;
    std::optional<BitmapFont> font;
    std::optional<RibbonScene> ribbons;
    Mesh rock;
    std::optional<TwisterScene> twister;
    std::optional<OpeningScene> opening;
    std::optional<BurningScene> burning;
    std::optional<StemScene> stems;
    std::optional<RenderTarget> sceneTarget;   // "SceneRT"
    std::optional<RenderTarget> filterTarget;  // "FilterRT"
};

// Everything made at the render size width x height from the data folder, one step at a time
// (21 of them), so that the loading bar can be shown after each. A picture that cannot be
// loaded or a render target the GL cannot draw into stops loading with the reason; shader
// programs that fail to build are reported on stderr and loading goes on.
class AssetLoader {
public:
    // The scenes laid out with draws of the random generators.
    AssetLoader(Gfx& g, Random& random, int32_t width, int32_t height, const std::filesystem::path& data);

    // How many steps there are.
    static int32_t steps();
    // Runs the next step; after the last one, makes the render targets. True once everything
    // is loaded; a failure stops loading with the reason.
    Result<bool> step();
    // What was loaded, after step() said so.
    std::unique_ptr<Assets> take() { return std::move(assets_); }

private:
    std::unique_ptr<Assets> assets_;
    int32_t width_;
    int32_t height_;
    size_t next_ = 0;
};
