// The spot-light shading for many lit cubes in one instanced draw. An instance is one
// particle's cube: the unit cube scaled by its size, under the modelview and
// modelview-projection whose translation columns have been moved to the particle's corner,
// lit by its light's eye position: the same transform and light as drawing that cube alone
// with the corner as origin.
in vec3 aPosition;
in vec3 aNormal;
in float size;
in vec4 modelViewColumn;
in vec4 projectionColumn;
in vec3 lightPosition;
in vec4 particleTint;  // (colour × alpha, alpha)
uniform mat4 uModelViewProjection;
uniform mat4 uModelView;
uniform mat3 uNormalMatrix;
out vec3 normal;
out vec3 lightDir;
out vec3 eyeVec;
out vec4 tint;

void main()
{
    vec4 vertex = vec4(aPosition * size, 1.0);
    normal = uNormalMatrix * aNormal;
    mat4 modelView = mat4(uModelView[0], uModelView[1], uModelView[2], modelViewColumn);
    vec3 position = vec3(modelView * vertex);
    lightDir = lightPosition - position;
    eyeVec = -position;
    tint = particleTint;
    mat4 projection = mat4(uModelViewProjection[0], uModelViewProjection[1], uModelViewProjection[2],
                           projectionColumn);
    gl_Position = projection * vertex;
}
