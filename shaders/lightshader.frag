#version 150 core
// Lit surface: diffuse map, tangent-space normal map, up to ten point lights with
// attenuation luminocity / (c + l d + e d^2), a modest specular term, cube-map shadows
// with a slope-scaled bias and percentage-closer filtering, ambient, a "tint" over the
// result, and the player's health: as "percent_life" falls the picture drains of
// colour and reddens at the edges.
// Shadow maps hold the distance to the light divided by the far plane (near_far.y).
//
// Where the driver offers GL_ARB_gpu_shader5, the loop runs over the chosen lights only
// and one textureGather compares the four nearest depth texels. Plain GLSL 1.50 indexes
// sampler arrays with constants only, so there each slot is one guarded call with four
// taps on a small disc. (A software renderer runs guarded code for every slot, and four
// filtered cube taps cost more than the rest of the light: hence the first path.)
//
// A software renderer with multisampling runs this shader on blocks that the depth test
// has wholly hidden, and only a loop's own exit skips work for a whole block. Where the
// post-depth coverage is known, a hidden fragment leaves the light loop after one pass.
//
// Each path enables and tests for every extension it uses. GL_ARB_gpu_shader5 lets the loop
// counter index the sampler array and declares gl_SampleMaskIn; GL_ARB_texture_gather
// declares textureGather on a cube map (strict compilers refuse it under gpu_shader5 alone);
// GL_ARB_shader_image_load_store gives early_fragment_tests; GL_ARB_post_depth_coverage
// makes gl_SampleMaskIn the coverage after the depth test.
#extension GL_ARB_gpu_shader5 : enable
#extension GL_ARB_texture_gather : enable
#extension GL_ARB_shader_image_load_store : enable
#extension GL_ARB_post_depth_coverage : enable
#if defined(GL_ARB_gpu_shader5) && defined(GL_ARB_texture_gather) && !defined(STRICT_GLSL_150)
#define GATHER_SHADOWS 1
#if defined(GL_ARB_shader_image_load_store) && defined(GL_ARB_post_depth_coverage)
layout(early_fragment_tests) in;
layout(post_depth_coverage) in;
#define SEEN (gl_SampleMaskIn[0] != 0)
#endif
#endif
#ifndef SEEN
#define SEEN true
#endif

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
// The lit colour is dimmed by "tint"'s alpha and brightened by its colour: a dead creature's
// dimming, a struck one's flash (which keeps its texture, where a mix would flatten it).
uniform vec4 tint;

vec3 albedo;
vec3 surfaceNormal;
vec3 geometryNormal;
vec3 toEye;

// What one light gives the fragment before shadowing; also the shadow lookup's inputs.
struct LightSample {
    vec3 colour;
    vec3 fromLight;
    float reach;
};

LightSample sampleLight(PointLight light) {
    LightSample s;
    s.fromLight = worldPosition - light.position;
    float d = sqrt(dot(s.fromLight, s.fromLight));
    float falloff = light.cAtt + light.lAtt * d + light.eAtt * d * d;
    // One division serves the direction, the attenuation and the shadow depth.
    float toUnit = 1.0 / (d * falloff * light.near_far.y);
    vec3 l = -s.fromLight * (falloff * light.near_far.y * toUnit);
    float attenuation = light.luminocity * d * light.near_far.y * toUnit;
    float diffuse = max(dot(surfaceNormal, l), 0.0);
    // pow(x, 24) by squaring: cheaper than exp2(log2) on a software renderer.
    float x = max(dot(surfaceNormal, normalize(l + toEye)), 0.0);
    float x2 = x * x;
    float x8 = x2 * x2 * x2 * x2;
    float specular = diffuse > 0.0 ? 0.25 * x8 * x8 * x8 : 0.0;
    // The crystals' colour is dim on its own: 2.5 makes a pool of blue light on the stone.
    s.colour = 2.5 * light.color * attenuation * (albedo * diffuse + vec3(specular));
    // One cube texel covers about 2 d / 1024 units; grazing surfaces need a larger bias.
    float cosine = clamp(dot(geometryNormal, l), 0.0, 1.0);
    float bias = 0.015 + d * (2.0 / 1024.0) * (0.75 + 5.0 * (1.0 - cosine));
    s.reach = (d - bias) * d * falloff * toUnit;
    return s;
}

#ifdef GATHER_SHADOWS
// 1 where the light reaches the fragment, 0 in full shadow.
float litFraction(samplerCube shadowMap, LightSample s) {
    return dot(step(vec4(s.reach), textureGather(shadowMap, s.fromLight)), vec4(0.25));
}
#else
float litFraction(samplerCube shadowMap, LightSample s) {
    float distanceToLight = length(s.fromLight);
    vec3 axis = abs(s.fromLight.y) < 0.9 * distanceToLight ? vec3(0.0, 1.0, 0.0) : vec3(1.0, 0.0, 0.0);
    vec3 side = normalize(cross(s.fromLight, axis));
    vec3 across = cross(s.fromLight / distanceToLight, side);
    float radius = 1.5 * distanceToLight * (2.0 / 1024.0);
    // The cube has a single level: explicit LOD 0 spares the derivative work per tap.
    vec4 taps = vec4(textureLod(shadowMap, s.fromLight + radius * side, 0.0).r,
                     textureLod(shadowMap, s.fromLight - radius * side, 0.0).r,
                     textureLod(shadowMap, s.fromLight + radius * across, 0.0).r,
                     textureLod(shadowMap, s.fromLight - radius * across, 0.0).r);
    return dot(step(vec4(s.reach), taps), vec4(0.25));
}

vec3 shadedSlot(int k, samplerCube shadowMap) {
    LightSample s = sampleLight(lights[k]);
    return s.colour * litFraction(shadowMap, s);
}

#define LIGHT_SLOT(k) if (lightCount > k) colour += shadedSlot(k, shadows[k]);
#endif

// The mip level, rounded: reading one level instead of blending two halves the texture
// work on a software renderer. Both maps of a mesh are drawn at the same size.
float mipLevel(sampler2D map) {
    vec2 texels = UV * vec2(textureSize(map, 0));
    vec2 dx = dFdx(texels);
    vec2 dy = dFdy(texels);
    return max(floor(0.5 * log2(max(dot(dx, dx), dot(dy, dy))) + 0.5), 0.0);
}

void main() {
    float level = mipLevel(myTextureSampler);
    albedo = textureLod(myTextureSampler, UV, level).rgb;
    geometryNormal = normalize(worldNormal);
    // The vertex stage hands over unit tangents; only the direction of the mapped normal
    // counts, and it is normalised at the end.
    vec3 t = worldTangent - geometryNormal * dot(geometryNormal, worldTangent);
    vec3 tangentNormal = textureLod(myNormalSampler, UV, level).rgb * 2.0 - 1.0;
    surfaceNormal = normalize(mat3(t, worldBitangent, geometryNormal) * tangentNormal);
    // A mesh with degenerate texture coordinates has no tangent frame: use the plain normal.
    if (any(isnan(surfaceNormal))) {
        surfaceNormal = geometryNormal;
    }
    toEye = normalize(eyePosition - worldPosition);

    vec3 colour = ambient * albedo;
#ifdef GATHER_SHADOWS
    // Tested at the bottom: a loop tested at the top runs its body once more, masked off,
    // on a software renderer, which costs as much as one more light.
    if (lightCount > 0) {
        bool seen = SEEN;
        int k = 0;
        do {
            LightSample s = sampleLight(lights[k]);
            colour += s.colour * litFraction(shadows[k], s);
            ++k;
        } while (k < lightCount && seen);
    }
#else
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
#endif

    colour = colour * (1.0 - tint.a) + tint.rgb;

    // Wounds drain the colour and close in red from the edges of the view.
    float hurt = clamp(1.0 - percent_life, 0.0, 1.0);
    float grey = dot(colour, vec3(0.299, 0.587, 0.114));
    colour = mix(colour, vec3(grey), 0.8 * hurt);
    float edge = clamp(length(viewPosition.xy / max(-viewPosition.z, 0.1)) - 0.35, 0.0, 1.0);
    colour = mix(colour, vec3(0.45, 0.02, 0.0), clamp(hurt * hurt * edge * 1.6, 0.0, 0.85));
    fragColor = vec4(colour, 1.0);
}
