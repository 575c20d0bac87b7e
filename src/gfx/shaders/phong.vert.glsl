// Per-pixel spot-light shading with light 0: eye-space normal, light and eye vectors.
varying vec3 normal;
varying vec3 lightDir;
varying vec3 eyeVec;

void main()
{
    normal = gl_NormalMatrix * gl_Normal;
    vec3 position = vec3(gl_ModelViewMatrix * gl_Vertex);
    lightDir = vec3(gl_LightSource[0].position) - position;
    eyeVec = -position;
    gl_Position = ftransform();
}
