#version 150 core
// Lit surface: diffuse map, tangent-space normal map, up to ten point lights with
// attenuation 1 / (c + l d + e d^2), a modest specular term, cube-map shadows with a
// slope-scaled bias and four-tap PCF, ambient, and the player's health: as "percent_life"
// falls the picture drains of colour and reddens at the edges.
// Shadow maps hold the distance to the light divided by the far plane (near_far.y).
in vec3 worldPosition;
in vec2 UV;
in vec3 worldNormal;
in vec3 worldTangent;
in vec3 worldBitangent;
in vec3 viewPosition;
in vec3 eyePosition;

out vec4 fragColor;

struct PointLight {
    vec3 color;
    vec3 position;
    float luminocity;
    float cAtt;
    float lAtt;
    float eAtt;
    vec2 near_far;
};

const int maxLights = 10;
uniform PointLight lights[maxLights];
uniform samplerCube shadows[maxLights];
uniform int lightCount;
uniform sampler2D myTextureSampler;
uniform sampler2D myNormalSampler;
uniform mat3 MV3x3;
uniform float ambient;
uniform float percent_life;

vec3 albedo;
vec3 surfaceNormal;
vec3 geometryNormal;
vec3 toEye;

// 1 where the light reaches the fragment, 0 in full shadow.
float litFraction(samplerCube shadowMap, PointLight light) {
    vec3 fromLight = worldPosition - light.position;
    float distanceToLight = length(fromLight);
    vec3 towardLight = -fromLight / distanceToLight;
    float cosine = clamp(dot(geometryNormal, towardLight), 0.05, 1.0);
    // One cube texel covers about 2 d / 1024 units; grazing surfaces need more.
    float texel = distanceToLight * (2.0 / 1024.0);
    float bias = 0.015 + texel * min(1.5 * sqrt(1.0 - cosine * cosine) / cosine, 6.0);
    // Four taps on a small disc across the direction to the light.
    vec3 side = normalize(cross(fromLight, abs(fromLight.y) < 0.9 * distanceToLight
                                               ? vec3(0.0, 1.0, 0.0) : vec3(1.0, 0.0, 0.0)));
    vec3 across = cross(fromLight / distanceToLight, side);
    float radius = 1.5 * texel;
    float far = light.near_far.y;
    float lit = 0.0;
    lit += step(distanceToLight - bias, texture(shadowMap, fromLight + radius * side).r * far);
    lit += step(distanceToLight - bias, texture(shadowMap, fromLight - radius * side).r * far);
    lit += step(distanceToLight - bias, texture(shadowMap, fromLight + radius * across).r * far);
    lit += step(distanceToLight - bias, texture(shadowMap, fromLight - radius * across).r * far);
    return lit * 0.25;
}

vec3 lightTerm(PointLight light) {
    vec3 fromLight = worldPosition - light.position;
    float d = length(fromLight);
    vec3 l = -fromLight / d;
    float attenuation = light.luminocity / (light.cAtt + light.lAtt * d + light.eAtt * d * d);
    float diffuse = max(dot(surfaceNormal, l), 0.0);
    vec3 halfway = normalize(l + toEye);
    float specular = diffuse > 0.0 ? 0.25 * pow(max(dot(surfaceNormal, halfway), 0.0), 24.0) : 0.0;
    return light.color * attenuation * (albedo * diffuse + vec3(specular));
}

// Sampler arrays take constant indices only: one guarded call per slot.
#define LIGHT_SLOT(k) if (lightCount > k) colour += lightTerm(lights[k]) * litFraction(shadows[k], lights[k]);

void main() {
    albedo = texture(myTextureSampler, UV).rgb;
    geometryNormal = normalize(worldNormal);
    vec3 t = normalize(worldTangent - geometryNormal * dot(geometryNormal, worldTangent));
    vec3 b = normalize(worldBitangent);
    vec3 tangentNormal = texture(myNormalSampler, UV).rgb * 2.0 - 1.0;
    surfaceNormal = normalize(mat3(t, b, geometryNormal) * tangentNormal);
    if (any(isnan(surfaceNormal))) {
        surfaceNormal = geometryNormal;
    }
    toEye = normalize(eyePosition - worldPosition);

    vec3 colour = ambient * albedo;
    LIGHT_SLOT(0)
    LIGHT_SLOT(1)
    LIGHT_SLOT(2)
    LIGHT_SLOT(3)
    LIGHT_SLOT(4)
    LIGHT_SLOT(5)
    LIGHT_SLOT(6)
    LIGHT_SLOT(7)
    LIGHT_SLOT(8)
    LIGHT_SLOT(9)

    // Wounds drain the colour and close in red from the edges of the view.
    float hurt = clamp(1.0 - percent_life, 0.0, 1.0);
    float grey = dot(colour, vec3(0.299, 0.587, 0.114));
    colour = mix(colour, vec3(grey), 0.8 * hurt);
    float edge = clamp(length(viewPosition.xy / max(-viewPosition.z, 0.1)) - 0.35, 0.0, 1.0);
    colour = mix(colour, vec3(0.45, 0.02, 0.0), clamp(hurt * hurt * edge * 1.6, 0.0, 0.85));
    fragColor = vec4(colour, 1.0);
}
