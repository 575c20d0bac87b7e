// A window's whole composition in one pass over the frame, replacing what it held. Either the
// scene's picture laid over the cleared grey by its alpha (LAID), or the filters added onto
// that grey (GLOW, HATCH, OUTLINE) as additive blending into an 8-bit frame added them one
// pass at a time: each one's colour and alpha clamped to [0, 1], the colour times the alpha,
// the sum clamped to [0, 1]. With OVERLAID the result is then multiplied by the overlay.
// The scene targets have a single level, and every read of them names it (textureLod): a
// software rasteriser otherwise works one out for every pixel of every read.
in vec2 vTexCoord;   // where the glow and the outline read (the twister's ripples move it)
in vec2 vScreen;     // 0 to 1 across the frame: where the picture is hatched or laid, the overlay
in float vGlowShare; // 1 where the glow is added, 0 where the twister's ripples leave the frame
out vec4 fragColour;
uniform sampler2D sceneTex;    // unit 0: the picture laid over or hatched
uniform sampler2D glowTex;     // unit 1: the picture glowing and outlined
uniform sampler2D overlayTex;  // unit 2
uniform float grey;       // the level the frame was cleared to, as an 8-bit frame holds it
uniform float laidAlpha;  // the laid picture's opacity
uniform float glows;      // how many times the glow is added
uniform float hatchSync;  // "black and white"'s sync

vec3 added(vec4 pass)
{
    return clamp(pass.rgb, 0.0, 1.0) * clamp(pass.a, 0.0, 1.0);
}

void main()
{
#ifdef LAID
    vec4 picture = textureLod(sceneTex, vScreen, 0.0);
    float alpha = clamp(picture.a * laidAlpha, 0.0, 1.0);
    vec3 colour = clamp(picture.rgb * alpha + grey * (1.0 - alpha), 0.0, 1.0);
#else
    vec3 sum = vec3(grey);
#ifdef GLOW
    sum += glows * vGlowShare * added(dreamvision(glowTex, vTexCoord));
#endif
#ifdef HATCH
    sum += added(blackAndWhite(sceneTex, vScreen, hatchSync));
#endif
#ifdef OUTLINE
    sum += added(outline(glowTex, vTexCoord));
#endif
    vec3 colour = clamp(sum, 0.0, 1.0);
#endif
#ifdef OVERLAID
    fragColour = vec4(colour, 1.0) * texture(overlayTex, vScreen);
#else
    fragColour = vec4(colour, 1.0);
#endif
}
