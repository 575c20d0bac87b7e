// The built-in shading of a fragment: the colour, times the texel where textured (TEXTURED),
// then the linear black fog (FOG); a smooth line's coverage (LINES) scales its alpha.
#ifdef TEXTURED
uniform sampler2D uTexture;
#endif
uniform float uFogScale;   // −1 / (end − start)
uniform float uFogOffset;  // end / (end − start)
in vec4 vColour;
in vec2 vTexCoord;
in float vFogCoord;
#ifdef LINES
uniform int uSmoothLines;
in vec4 vLine;
#endif
out vec4 fragColour;

void main()
{
    vec4 c = vColour;
#ifdef TEXTURED
    c = texture(uTexture, vTexCoord) * c;
#endif
#ifdef FOG
    float f = clamp(vFogCoord * uFogScale + uFogOffset, 0.0, 1.0);
    c.rgb = c.rgb * f;
#endif
#ifdef LINES
    if (uSmoothLines != 0) {
        float across = clamp(vLine.y - abs(vLine.x), 0.0, 1.0);
        float along = clamp(vLine.w - abs(vLine.z), 0.0, 1.0);
        c.a = c.a * (across * along);
    }
#endif
    fragColour = c;
}
