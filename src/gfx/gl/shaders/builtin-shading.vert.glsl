// The built-in shading of one vertex, worked out where and as the fixed-function pipeline
// works it out: the position through the modelview-projection, the colour lit per vertex by
// light 0 (local light or direction, no spot, no attenuation, viewer at infinity) and clamped
// to 0..1, and the fog coordinate, the eye depth's magnitude. Lighting is left out unless LIT.
uniform mat4 uModelViewProjection;
uniform mat4 uModelView;
#ifdef LIT
uniform mat3 uNormalMatrix;     // the inverse transpose of the modelview: normals keep its scale
uniform int uLighting;          // 1: on the material, 2: ambient and diffuse from the vertex colour
uniform vec4 uLightPosition;    // eye space; w = 0: a direction
uniform vec3 uLightDirection;   // a direction's unit vector
uniform vec3 uHalfVector;       // a direction's half vector towards the viewer at infinity
uniform vec4 uSceneColour;      // model ambient × material ambient, alpha the diffuse alpha (lighting 1)
uniform vec4 uModelAmbient;
uniform vec4 uLightAmbient;
uniform vec4 uLightDiffuse;
uniform vec4 uAmbientProduct;   // light × material, for lighting 1
uniform vec4 uDiffuseProduct;
uniform vec4 uSpecularProduct;  // for both: the specular colour never follows the vertex
uniform float uShininess;
#endif

struct ShadedVertex {
    vec4 clip;
    vec4 colour;
    float fogCoord;
};

#ifdef LIT
vec4 lit(vec4 colour, vec4 eye, vec3 normal)
{
    vec4 c;
    vec4 ambient;
    vec4 diffuse;
    if (uLighting == 2) {
        c = vec4(uModelAmbient.rgb * colour.rgb, colour.a);
        ambient = uLightAmbient * colour;
        diffuse = uLightDiffuse * colour;
    } else {
        c = uSceneColour;
        ambient = uAmbientProduct;
        diffuse = uDiffuseProduct;
    }
    vec3 towardsLight;
    vec3 halfVector;
    if (uLightPosition.w == 0.0) {
        towardsLight = uLightDirection;
        halfVector = uHalfVector;
    } else {
        towardsLight = uLightPosition.xyz - eye.xyz;
        towardsLight = towardsLight * inversesqrt(dot(towardsLight, towardsLight));
        halfVector = towardsLight + vec3(0.0, 0.0, 1.0);
        halfVector = halfVector * inversesqrt(dot(halfVector, halfVector));
    }
    float nDotL = dot(normal, towardsLight);
    float nDotH = dot(normal, halfVector);
    float diffuseFactor = max(nDotL, 0.0);
    float specularFactor;
    if (uShininess == 0.0)
        specularFactor = 0.0 < nDotL ? 1.0 : 0.0;
    else
        specularFactor = 0.0 >= nDotL ? 0.0 : pow(max(nDotH, 0.0), clamp(uShininess, -128.0, 128.0));
    vec3 rgb = ambient.rgb + c.rgb;
    rgb = diffuseFactor * diffuse.rgb + rgb;
    rgb = specularFactor * uSpecularProduct.rgb + rgb;
    return vec4(rgb, c.a);
}
#endif

ShadedVertex shade(vec3 position, vec4 colour, vec3 normal)
{
    ShadedVertex v;
    vec4 p = vec4(position, 1.0);
    v.clip = uModelViewProjection * p;
    vec4 eye = uModelView * p;
#ifdef LIT
    v.colour = clamp(lit(colour, eye, uNormalMatrix * normal), 0.0, 1.0);
#else
    v.colour = clamp(colour, 0.0, 1.0);
#endif
    v.fogCoord = abs(eye.z);
    return v;
}
