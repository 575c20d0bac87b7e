// Shared by the filters: the position through the modelview-projection and the texture
// coordinate passed on.
in vec3 aPosition;
in vec2 aTexCoord;
uniform mat4 uModelViewProjection;
out vec2 vTexCoord;

void main()
{
    vTexCoord = aTexCoord;
    gl_Position = uModelViewProjection * vec4(aPosition, 1.0);
}
