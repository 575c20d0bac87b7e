// Light 0 as a spot with a soft edge between its cut-off and an outer cone of cosine 0.8.
// The light × material products and the shininess come from the source compiled ahead of
// this one: GL's light and material state, or each lit particle's own values.
varying vec3 normal;
varying vec3 lightDir;
varying vec3 eyeVec;

void main()
{
    const float outerCone = 0.8;
    float innerCone = gl_LightSource[0].spotCosCutoff;

    vec4 colour = ambientProduct();

    vec3 L = normalize(lightDir);
    vec3 D = normalize(gl_LightSource[0].spotDirection);
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
    gl_FragColor = colour;
}
