#version 150 core
// Simple lit (shield, sword): the texel of "myTextureSampler" under a soft blue lamp at
// "LampPos" and a warm ambient, so a held item reads clearly even far from any crystal.
in vec2 UV;
in vec3 normalView;
in vec3 toEyeView;
in vec3 toLampView;
in float lampDistance;

out vec4 color;

uniform sampler2D myTextureSampler;

void main() {
    vec3 base = texture(myTextureSampler, UV).rgb;
    vec3 n = normalize(normalView);
    vec3 l = normalize(toLampView);
    vec3 e = normalize(toEyeView);
    // Either side may face the eye: the item is thin and seen from behind as well.
    if (dot(n, e) < 0.0) n = -n;
    float diffuse = max(dot(n, l), 0.0) / (1.0 + 0.02 * lampDistance * lampDistance);
    float specular = pow(max(dot(reflect(-l, n), e), 0.0), 16.0) * 0.3 * diffuse;
    // The eye carries a faint light of its own: the near side is never pitch black.
    float headlight = 0.35 * max(dot(n, e), 0.0);
    vec3 lampColour = vec3(0.55, 0.6, 1.0);
    vec3 lit = base * (vec3(0.25, 0.22, 0.2) + headlight + lampColour * diffuse) + lampColour * specular;
    color = vec4(lit, 1.0);
}
