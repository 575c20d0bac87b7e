// Cut-out: shows colorMap where the red of alphaMap (texture unit 1) is below dval.
in vec2 vTexCoord;
out vec4 fragColour;
uniform sampler2D colorMap;
uniform sampler2D alphaMap;
uniform float dval;

void main()
{
    vec2 uv = vTexCoord;
    if (texture(alphaMap, uv).r >= dval) discard;
    fragColour = texture(colorMap, uv);
}
