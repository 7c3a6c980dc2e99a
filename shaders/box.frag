#version 150 core
// The goal crystal: each facet shows the face picture ("posX" ... "negZ") of the axis its
// model-space normal leans towards most, so the pictures turn with the spin. The first
// "lightCount" entries of "lights" light it with attenuation luminocity / (c + l d + e d^2)
// and no shadows, over "ambient"; it also glows from within and shines at its rims as
// seen from "playerPosition", so it reads as the goal from across the room.
in vec2 UV;
in vec3 modelNormal;
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
uniform sampler2D posX;
uniform sampler2D posY;
uniform sampler2D posZ;
uniform sampler2D negX;
uniform sampler2D negY;
uniform sampler2D negZ;
uniform int lightCount;
uniform PointLight lights[maxLights];
uniform float ambient;
uniform vec3 playerPosition;

vec3 facePicture() {
    vec3 a = abs(modelNormal);
    if (a.x >= a.y && a.x >= a.z) {
        return modelNormal.x > 0.0 ? texture(posX, UV).rgb : texture(negX, UV).rgb;
    }
    if (a.y >= a.z) {
        return modelNormal.y > 0.0 ? texture(posY, UV).rgb : texture(negY, UV).rgb;
    }
    return modelNormal.z > 0.0 ? texture(posZ, UV).rgb : texture(negZ, UV).rgb;
}

void main() {
    vec3 base = facePicture();
    vec3 n = normalize(renderNormal);
    vec3 e = normalize(playerPosition - renderPosition);
    float facing = max(dot(n, e), 0.0);
    vec3 lit = base * (ambient + 0.45 + 0.3 * facing);
    int count = min(lightCount, maxLights);
    for (int k = 0; k < count; ++k) {
        vec3 toLight = lights[k].position - renderPosition;
        float d = length(toLight);
        vec3 l = toLight / max(d, 1e-4);
        float falloff = max(lights[k].cAtt + lights[k].lAtt * d + lights[k].eAtt * d * d, 1e-4);
        float attenuation = lights[k].luminocity / falloff;
        float diffuse = max(dot(n, l), 0.0);
        float specular = diffuse > 0.0 ? 0.6 * pow(max(dot(n, normalize(l + e)), 0.0), 32.0) : 0.0;
        lit += 2.5 * lights[k].color * attenuation * (base * diffuse + vec3(specular));
    }
    float rim = pow(1.0 - facing, 3.0);
    lit += vec3(0.35, 0.7, 1.0) * rim * 0.8;
    color = vec4(lit, 1.0);
}
