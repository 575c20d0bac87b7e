// The built-in shading of triangles.
in vec3 aPosition;
in vec4 aColour;
in vec3 aNormal;
in vec2 aTexCoord;
out vec4 vColour;
out vec2 vTexCoord;
out float vFogCoord;

void main()
{
    ShadedVertex v = shade(aPosition, aColour, aNormal);
    gl_Position = v.clip;
    vColour = v.colour;
    vTexCoord = aTexCoord;
    vFogCoord = v.fogCoord;
}
