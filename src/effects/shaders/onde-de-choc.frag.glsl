// A shock wave: a ring of radius ttime (texture units) around the centre that pushes the
// picture outwards and tints it; the whole picture is dimmed to 0.8.
in vec2 vTexCoord;
out vec4 fragColour;
uniform sampler2D sceneTex;
uniform float ttime;

void main()
{
    const vec2 centre = vec2(0.5, 0.5);
    const vec3 shockParams = vec3(10.0, 0.8, 0.1);
    vec2 uv = vTexCoord;
    float dist = distance(uv, centre);
    vec4 colour;
    if (dist <= ttime + shockParams.z && dist >= ttime - shockParams.z) {
        float diff = dist - ttime;
        float powDiff = 1.0 - pow(abs(diff * shockParams.x), shockParams.y);
        float shift = diff * powDiff;
        // The centre itself has no outward direction; it stays in place.
        vec2 outward = dist > 0.0 ? (uv - centre) / dist : vec2(0.0);
        vec4 t = texture(sceneTex, uv + outward * shift);
        colour = vec4(0.8 * t.r, 0.9 * t.g, t.b, 1.0 - 0.5 * shift);
    } else {
        colour = texture(sceneTex, uv);
    }
    fragColour = vec4(0.8 * colour.rgb, 1.0);
}
