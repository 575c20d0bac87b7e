// Light 0 as a spot with a soft edge between its cut-off and an outer cone of cosine 0.8. The
// light is no spot: its direction is the one every light starts with, straight ahead, and the
// cosine of its cut-off is held as 0. The light × material products and the shininess come
// from the source compiled ahead of this one: the material as set, or each lit particle's own.
in vec3 normal;
in vec3 lightDir;
in vec3 eyeVec;
out vec4 fragColour;

void main()
{
    const float outerCone = 0.8;
    const float innerCone = 0.0;
    const vec3 spotDirection = vec3(0.0, 0.0, -1.0);

    vec4 colour = ambientProduct();

    vec3 L = normalize(lightDir);
    vec3 D = normalize(spotDirection);
    float spot = clamp((dot(-L, D) - outerCone) / (innerCone - outerCone), 0.0, 1.0);

    vec3 N = normalize(normal);
    float lambert = max(dot(N, L), 0.0);
    if (lambert > 0.0) {
        colour += diffuseProduct() * lambert * spot;
        vec3 R = reflect(-L, N);
        vec3 E = normalize(eyeVec);
        float specular = pow(max(dot(R, E), 0.0), shininess());
        colour += specularProduct() * specular * spot;
    }
    fragColour = colour;
}
