// Cut-out: shows colorMap where the red of alphaMap (texture unit 1) is below dval.
uniform sampler2D colorMap;
uniform sampler2D alphaMap;
uniform float dval;

void main()
{
    vec2 uv = gl_TexCoord[0].st;
    if (texture2D(alphaMap, uv).r >= dval) discard;
    gl_FragColor = texture2D(colorMap, uv);
}
