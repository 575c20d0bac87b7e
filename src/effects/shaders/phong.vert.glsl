// Per-pixel spot-light shading with light 0: eye-space normal, light and eye vectors.
in vec3 aPosition;
in vec3 aNormal;
uniform mat4 uModelViewProjection;
uniform mat4 uModelView;
uniform mat3 uNormalMatrix;
uniform vec4 uLightPosition;  // eye space
out vec3 normal;
out vec3 lightDir;
out vec3 eyeVec;

void main()
{
    vec4 vertex = vec4(aPosition, 1.0);
    normal = uNormalMatrix * aNormal;
    vec3 position = vec3(uModelView * vertex);
    lightDir = vec3(uLightPosition) - position;
    eyeVec = -position;
    gl_Position = uModelViewProjection * vertex;
}
