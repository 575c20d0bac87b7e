// The light × material products of the spot-light shading for a lit particle of colour c and
// alpha a, which sets: light-model and light ambient 0.1 a, light diffuse and specular a;
// material ambient 0.3 a, diffuse c a, specular 0.6 a, shininess 70 (every alpha 1).
in vec4 tint;  // (c a, a)

vec4 ambientProduct()
{
    float a = tint.a;
    vec4 light = vec4(vec3(0.1 * a), 1.0);
    vec4 material = vec4(vec3(0.3 * a), 1.0);
    return light * material + light * material;
}
vec4 diffuseProduct() { return vec4(vec3(tint.a), 1.0) * vec4(tint.rgb, 1.0); }
vec4 specularProduct() { return vec4(vec3(tint.a), 1.0) * vec4(vec3(0.6 * tint.a), 1.0); }
float shininess() { return 70.0; }
