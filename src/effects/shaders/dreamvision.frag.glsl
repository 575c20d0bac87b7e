// "dreamvision", a soft glow: the picture smeared along the diagonal, a grey copy tinted
// towards blue under a coloured halo. Thirteen reads along the diagonal: at the middle and at
// 0.0001216 to 0.0085033 of the texture either side, times the radius. The two nearest on each
// side lie within the same texel square at every size up to 1920 x 1080, where linear
// filtering makes a read all but linear in the offset: each pair is read once, at its
// midpoint, and counted twice.
vec4 dreamvision(sampler2D tex, vec2 uv)
{
    const float glow = 2.25;
    const float radius = 0.75;
    const float nearest = 0.5 * (0.0001216 + 0.0004764);

    vec4 c = textureLod(tex, uv, 0.0);
    c += 2.0 * textureLod(tex, uv + nearest * radius, 0.0);
    c += textureLod(tex, uv + 0.0012995 * radius, 0.0);
    c += textureLod(tex, uv + 0.0032759 * radius, 0.0);
    c += textureLod(tex, uv + 0.0060985 * radius, 0.0);
    c += textureLod(tex, uv + 0.0085033 * radius, 0.0);
    c += 2.0 * textureLod(tex, uv - nearest * radius, 0.0);
    c += textureLod(tex, uv - 0.0012995 * radius, 0.0);
    c += textureLod(tex, uv - 0.0034759 * radius, 0.0);
    c += textureLod(tex, uv - 0.0060985 * radius, 0.0);
    c += textureLod(tex, uv - 0.0085033 * radius, 0.0);
    vec4 ci = c;

    c.rgb = vec3((c.r + c.g + c.b) / 3.0);
    ci = ci / 29.5;
    c = c / 30.5;
    return vec4(0.75 * c.r + ci.r, 0.85 * c.g + ci.g, 1.0 * c.b + ci.b, c.a) * glow;
}
