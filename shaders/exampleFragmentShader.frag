#version 150 core
// Simple lit (shield, sword): the texel of "myTextureSampler". With "lightCount" 0 (the
// shield) it lies under a soft blue lamp at "LampPos" and a warm ambient, so a held item
// reads clearly even far from any crystal. Otherwise (the sword) the first "lightCount"
// entries of "lights" light it with attenuation luminocity / (c + l d + e d^2), seen from
// "playerPosition", over "ambient"; no shadows. "fade" (0 by default) makes it that much
// transparent, for the sword's trail.
in vec2 UV;
in vec3 normalView;
in vec3 toEyeView;
in vec3 toLampView;
in float lampDistance;
in vec3 renderPosition;
in vec3 renderNormal;

out vec4 color;

struct PointLight {
    vec3 color;
    vec3 position;
    float luminocity;
    float cAtt;
    float lAtt;
    float eAtt;
};

const int maxLights = 10;
uniform sampler2D myTextureSampler;
uniform int lightCount;
uniform PointLight lights[maxLights];
uniform float ambient;
uniform vec3 playerPosition;
uniform float fade;

vec3 underLights(vec3 base) {
    vec3 n = normalize(renderNormal);
    vec3 e = normalize(playerPosition - renderPosition);
    if (dot(n, e) < 0.0) n = -n;
    // The eye's faint light, as under the lamp: the held blade never turns pitch black.
    vec3 lit = base * (ambient + 0.35 * max(dot(n, e), 0.0));
    int count = min(lightCount, maxLights);
    for (int k = 0; k < count; ++k) {
        vec3 toLight = lights[k].position - renderPosition;
        float d = length(toLight);
        vec3 l = toLight / max(d, 1e-4);
        float falloff = max(lights[k].cAtt + lights[k].lAtt * d + lights[k].eAtt * d * d, 1e-4);
        float attenuation = lights[k].luminocity / falloff;
        float diffuse = max(dot(n, l), 0.0);
        float specular = diffuse > 0.0 ? 0.4 * pow(max(dot(n, normalize(l + e)), 0.0), 24.0) : 0.0;
        // As on the stone: the crystals' colour is dim on its own.
        lit += 2.5 * lights[k].color * attenuation * (base * diffuse + vec3(specular));
    }
    return lit;
}

void main() {
    vec3 base = texture(myTextureSampler, UV).rgb;
    if (lightCount > 0) {
        color = vec4(underLights(base), 1.0 - fade);
        return;
    }
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
    color = vec4(lit, 1.0 - fade);
}
