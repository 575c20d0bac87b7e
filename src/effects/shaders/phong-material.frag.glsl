// The light × material products of the spot-light shading, from light 0, the light model
// and the material as they are set.
uniform vec4 uModelAmbient;
uniform vec4 uLightAmbient;
uniform vec4 uLightDiffuse;
uniform vec4 uLightSpecular;
uniform vec4 uMaterialAmbient;
uniform vec4 uMaterialDiffuse;
uniform vec4 uMaterialSpecular;
uniform float uShininess;

vec4 ambientProduct() { return uModelAmbient * uMaterialAmbient + uLightAmbient * uMaterialAmbient; }
vec4 diffuseProduct() { return uLightDiffuse * uMaterialDiffuse; }
vec4 specularProduct() { return uLightSpecular * uMaterialSpecular; }
float shininess() { return uShininess; }
