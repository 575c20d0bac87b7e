// The spot-light shading for many lit cubes in one instanced draw. An instance is one
// particle's cube: the unit cube scaled by its size, under the modelview and
// modelview-projection whose translation columns have been moved to the particle's corner,
// lit by its light's eye position: the same transform and light as drawing that cube alone
// with the corner as origin.
attribute float size;
attribute vec4 modelViewColumn;
attribute vec4 projectionColumn;
attribute vec3 lightPosition;
attribute vec4 particleTint;  // (colour × alpha, alpha)
varying vec3 normal;
varying vec3 lightDir;
varying vec3 eyeVec;
varying vec4 tint;

void main()
{
    vec4 vertex = vec4(gl_Vertex.xyz * size, gl_Vertex.w);
    normal = gl_NormalMatrix * gl_Normal;
    mat4 modelView = mat4(gl_ModelViewMatrix[0], gl_ModelViewMatrix[1], gl_ModelViewMatrix[2], modelViewColumn);
    vec3 position = vec3(modelView * vertex);
    lightDir = lightPosition - position;
    eyeVec = -position;
    tint = particleTint;
    mat4 projection = mat4(gl_ModelViewProjectionMatrix[0], gl_ModelViewProjectionMatrix[1],
                           gl_ModelViewProjectionMatrix[2], projectionColumn);
    gl_Position = projection * vertex;
}
