// The light × material products of the spot-light shading, from light 0, the light model
// and the front material as GL holds them.
vec4 ambientProduct()
{
    return gl_LightModel.ambient * gl_FrontMaterial.ambient + gl_LightSource[0].ambient * gl_FrontMaterial.ambient;
}
vec4 diffuseProduct() { return gl_LightSource[0].diffuse * gl_FrontMaterial.diffuse; }
vec4 specularProduct() { return gl_LightSource[0].specular * gl_FrontMaterial.specular; }
float shininess() { return gl_FrontMaterial.shininess; }
