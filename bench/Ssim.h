#pragma once

#include <cstddef>
#include <vector>

// The structural similarity (SSIM) of two pictures of the same size, on their luma: the
// mean over 8x8 windows (every 4 pixels each way) of the classic index with its usual
// constants for 8-bit values. 1 for the same picture; lower as structure (edges, texture)
// differs, far less moved by an even change of brightness than a plain difference is.
// `rgbA` and `rgbB` hold width * height RGB triples, row by row.
inline double structuralSimilarity(const std::vector<unsigned char>& rgbA,
                                   const std::vector<unsigned char>& rgbB, int width, int height) {
    const auto luma = [](const std::vector<unsigned char>& rgb, std::size_t pixel) {
        return 0.299 * rgb[3 * pixel] + 0.587 * rgb[3 * pixel + 1] + 0.114 * rgb[3 * pixel + 2];
    };
    constexpr int window = 8, stride = 4;
    constexpr double c1 = (0.01 * 255) * (0.01 * 255), c2 = (0.03 * 255) * (0.03 * 255);
    double sum = 0.0;
    int windows = 0;
    for (int y = 0; y + window <= height; y += stride) {
        for (int x = 0; x + window <= width; x += stride) {
            double meanA = 0, meanB = 0, aa = 0, bb = 0, ab = 0;
            for (int j = 0; j < window; ++j) {
                for (int i = 0; i < window; ++i) {
                    const std::size_t pixel = static_cast<std::size_t>(y + j) * width + (x + i);
                    const double a = luma(rgbA, pixel), b = luma(rgbB, pixel);
                    meanA += a;
                    meanB += b;
                    aa += a * a;
                    bb += b * b;
                    ab += a * b;
                }
            }
            const double n = window * window;
            meanA /= n;
            meanB /= n;
            const double varA = aa / n - meanA * meanA, varB = bb / n - meanB * meanB;
            const double cov = ab / n - meanA * meanB;
            sum += ((2 * meanA * meanB + c1) * (2 * cov + c2)) /
                   ((meanA * meanA + meanB * meanB + c1) * (varA + varB + c2));
            ++windows;
        }
    }
    return windows > 0 ? sum / windows : 1.0;
}
