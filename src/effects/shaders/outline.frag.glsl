// "outline", edge detection on the inverted picture, tinted violet and weighted by the
// neighbourhood.
vec4 outline(sampler2D tex, vec2 uv)
{
    const float radius = 0.0035;
    const float scale = 1.0;
    const float bias = 0.0;
    const float cthru = 0.0;
    vec2 left = vec2(clamp(uv.x - radius, radius, 1.0), uv.y);
    vec2 below = vec2(uv.x, clamp(uv.y - radius, radius, 1.0));
    vec2 diagonal = vec2(left.x, below.y);

    vec3 a = 1.0 - textureLod(tex, left, 0.0).rgb;
    vec3 b = 1.0 - textureLod(tex, below, 0.0).rgb;
    vec3 c = 1.0 - textureLod(tex, diagonal, 0.0).rgb;
    vec3 d = 1.0 - textureLod(tex, uv, 0.0).rgb;

    vec3 ones = vec3(1.0);
    float dif = dot(abs(d - a), ones) + dot(abs(d - b), ones) + 0.5 * dot(abs(d - c), ones);
    float bw = (d.r + d.g + d.b) * 0.33334;
    dif = (dif + bias) * scale;
    dif = mix(dif, bw, cthru);
    return vec4(dif, 0.4 * dif, 0.6 * dif, 1.0) * vec4(a + b + c + d, 1.0);
}
