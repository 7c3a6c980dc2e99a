#version 150 core
// The scene drawn at a smaller size, drawn up to the window along its edges, then lightly
// sharpened: "scene".
//
// Each window pixel reads the twelve scene texels nearest it (a 4x4 block without its
// corners). The luma of the middle four says which way an edge runs and how strongly; the
// twelve are then weighed by a windowed sinc-like kernel (Lanczos-2 shape) stretched along
// that edge, so an edge is not smeared across itself the way a bilinear filter smears it,
// while flat stone is blended as smoothly. The kernel's negative lobe would ring at hard
// edges: the result is clamped to the middle four's range. A light unsharp step against the
// plain bilinear blend of the middle four, held back where the neighbourhood has little
// room to move and kept within their range, gives back some of the detail the smaller size
// lost.
in vec2 UV;
out vec4 color;
uniform sampler2D scene;

// How much of the difference from the bilinear blend is added back (0 for none).
const float sharpening = 0.5;

float luma(vec3 c) {
    return dot(c, vec3(0.299, 0.587, 0.114));
}

vec3 texel(ivec2 at, ivec2 last) {
    return texelFetch(scene, clamp(at, ivec2(0), last), 0).rgb;
}

// Adds one middle texel's view of the edge through it: `w` is its bilinear weight; `left`,
// `centre` and `right` (and `up`, `down`) the lumas across it each way.
void edgeAt(float w, float left, float centre, float right, float up, float down, inout vec2 dir,
            inout float strength) {
    float steepX = max(abs(right - centre), abs(centre - left));
    float steepY = max(abs(down - centre), abs(centre - up));
    vec2 across = vec2(right - left, down - up);
    // Near 1 where the step across is all on one side (an edge), near 0 in a ramp or noise.
    float lenX = clamp(abs(across.x) / max(steepX, 1e-5), 0.0, 1.0);
    float lenY = clamp(abs(across.y) / max(steepY, 1e-5), 0.0, 1.0);
    dir += across * w;
    strength += (lenX * lenX + lenY * lenY) * w;
}

// The kernel's weight for a texel `offset` away (in scene texels), with the edge running
// along `dir` (unit), `stretch` widening it along the edge, and the lobe's shape.
float kernelWeight(vec2 offset, vec2 dir, vec2 stretch, float lobe, float reach) {
    vec2 rotated = vec2(dot(offset, dir), dot(offset, vec2(-dir.y, dir.x))) * stretch;
    float d2 = min(dot(rotated, rotated), reach);
    // A polynomial in d^2 shaped like Lanczos-2: (25/16 (2/5 d^2 - 1)^2 - 9/16) (lobe d^2 - 1)^2.
    float base = 0.4 * d2 - 1.0;
    float window = lobe * d2 - 1.0;
    return (1.5625 * base * base - 0.5625) * (window * window);
}

void tap(vec3 colour, vec2 offset, vec2 dir, vec2 stretch, float lobe, float reach, inout vec3 sum,
         inout float total) {
    float w = kernelWeight(offset, dir, stretch, lobe, reach);
    sum += colour * w;
    total += w;
}

void main() {
    ivec2 size = textureSize(scene, 0);
    ivec2 last = size - 1;
    vec2 at = UV * vec2(size) - 0.5;
    vec2 cell = floor(at);
    vec2 f = at - cell;
    ivec2 o = ivec2(cell);

    //     b c
    //   e F G h
    //   i J K l
    //     n o      (F is the texel at `cell`)
    vec3 b = texel(o + ivec2(0, -1), last), c = texel(o + ivec2(1, -1), last);
    vec3 e = texel(o + ivec2(-1, 0), last), F = texel(o, last);
    vec3 G = texel(o + ivec2(1, 0), last), h = texel(o + ivec2(2, 0), last);
    vec3 i = texel(o + ivec2(-1, 1), last), J = texel(o + ivec2(0, 1), last);
    vec3 K = texel(o + ivec2(1, 1), last), l = texel(o + ivec2(2, 1), last);
    vec3 n = texel(o + ivec2(0, 2), last), p = texel(o + ivec2(1, 2), last);

    float lb = luma(b), lc = luma(c), le = luma(e), lF = luma(F), lG = luma(G), lh = luma(h);
    float li = luma(i), lJ = luma(J), lK = luma(K), ll = luma(l), ln = luma(n), lp = luma(p);

    vec2 dir = vec2(0.0);
    float strength = 0.0;
    edgeAt((1.0 - f.x) * (1.0 - f.y), le, lF, lG, lb, lJ, dir, strength);
    edgeAt(f.x * (1.0 - f.y), lF, lG, lh, lc, lK, dir, strength);
    edgeAt((1.0 - f.x) * f.y, li, lJ, lK, lF, ln, dir, strength);
    edgeAt(f.x * f.y, lJ, lK, ll, lG, lp, dir, strength);

    // `dir` is the gradient; the edge runs across it. Flat spots keep a horizontal frame.
    float dirLength2 = dot(dir, dir);
    dir = dirLength2 < 1.0 / 32768.0 ? vec2(1.0, 0.0) : dir * inversesqrt(dirLength2);
    strength = 0.5 * strength;
    strength *= strength;
    // A diagonal edge reaches further along itself on the texel grid.
    float diagonal = 1.0 / max(abs(dir.x), abs(dir.y));
    vec2 stretch = vec2(1.0 + (diagonal - 1.0) * strength, 1.0 - 0.5 * strength);
    float lobe = 0.5 - 0.29 * strength;
    float reach = 1.0 / lobe;

    vec3 sum = vec3(0.0);
    float total = 0.0;
    tap(b, vec2(0.0, -1.0) - f, dir, stretch, lobe, reach, sum, total);
    tap(c, vec2(1.0, -1.0) - f, dir, stretch, lobe, reach, sum, total);
    tap(e, vec2(-1.0, 0.0) - f, dir, stretch, lobe, reach, sum, total);
    tap(F, vec2(0.0, 0.0) - f, dir, stretch, lobe, reach, sum, total);
    tap(G, vec2(1.0, 0.0) - f, dir, stretch, lobe, reach, sum, total);
    tap(h, vec2(2.0, 0.0) - f, dir, stretch, lobe, reach, sum, total);
    tap(i, vec2(-1.0, 1.0) - f, dir, stretch, lobe, reach, sum, total);
    tap(J, vec2(0.0, 1.0) - f, dir, stretch, lobe, reach, sum, total);
    tap(K, vec2(1.0, 1.0) - f, dir, stretch, lobe, reach, sum, total);
    tap(l, vec2(2.0, 1.0) - f, dir, stretch, lobe, reach, sum, total);
    tap(n, vec2(0.0, 2.0) - f, dir, stretch, lobe, reach, sum, total);
    tap(p, vec2(1.0, 2.0) - f, dir, stretch, lobe, reach, sum, total);

    vec3 low = min(min(F, G), min(J, K));
    vec3 high = max(max(F, G), max(J, K));
    vec3 drawn = clamp(sum / total, low, high);

    // Contrast-adaptive: the less room between the range and black or white, the less added.
    vec3 blend = mix(mix(F, G, f.x), mix(J, K, f.x), f.y);
    vec3 room = min(low, 1.0 - high) / max(high, 1.0 / 255.0);
    vec3 amount = sharpening * sqrt(clamp(room, 0.0, 1.0));
    color = vec4(clamp(drawn + amount * (drawn - blend), low, high), 1.0);
}
