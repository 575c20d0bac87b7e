// "black and white", pen hatching by brightness: white paper with up to four families of
// diagonal lines, one pixel wide every 10 pixels, the darker the picture the more families;
// scaled by sync.

// Whether a whole-pixel coordinate sum lies on a line: its floored modulo 10 is 0. Compared
// with a margin, because the division inside mod need not be exact.
bool onLine(float v)
{
    float m = mod(v, 10.0);
    return m < 0.5 || m > 9.5;
}

vec4 blackAndWhite(sampler2D tex, vec2 uv, float sync)
{
    const float vxOffset = 1.5;
    const float hatchYOffset = 5.0;
    vec3 tc = vec3(1.0);
    if (uv.x < vxOffset - 0.005) {
        float lum = length(textureLod(tex, uv, 0.0).rgb);
        float x = gl_FragCoord.x;
        float y = gl_FragCoord.y;
        if (lum < 1.0 && onLine(x + y)) tc = vec3(0.0);
        if (lum < 0.7 && onLine(x - y)) tc = vec3(0.0);
        if (lum < 0.5 && onLine(x + y - hatchYOffset)) tc = vec3(0.0);
        if (lum < 0.3 && onLine(x - y - hatchYOffset)) tc = vec3(0.0);
    } else if (uv.x >= vxOffset + 0.005) {
        tc = textureLod(tex, uv, 0.0).rgb;
    } else {
        tc = vec3(0.0);
    }
    return vec4(tc, 1.0) * sync;
}
