// A composing pass: the position through the modelview-projection, the texture coordinate
// passed on, where the vertex lies across the frame (0 to 1), and how much of the glow is
// added there: the vertex colour's alpha.
in vec3 aPosition;
in vec2 aTexCoord;
in vec4 aColour;
uniform mat4 uModelViewProjection;
out vec2 vTexCoord;
out vec2 vScreen;
out float vGlowShare;

void main()
{
    vTexCoord = aTexCoord;
    vGlowShare = aColour.a;
    gl_Position = uModelViewProjection * vec4(aPosition, 1.0);
    vScreen = gl_Position.xy / gl_Position.w * 0.5 + 0.5;
}
