// Helpers shared by the picture tests: files in the work folder, ImageMagick
// as the independent encoder and decoder, pictures as RGB bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "picture/picture.h"

namespace picture_test {

using Bytes = std::vector<uint8_t>;

// The test's scratch folder (TARNOVA_WORK_DIR/picture), created on first use.
std::string WorkDir();

// The committed fuzz seeds, which double as small valid fixtures.
std::string SeedDir();

bool ReadFileBytes(const std::string& path, Bytes* bytes);
bool WriteFileBytes(const std::string& path, const Bytes& bytes);

// ImageMagick's own convert (not a wrapper that edits its arguments).
bool HaveConvert();

// Runs convert with the arguments (shell words) inside WorkDir(). On failure
// returns false and puts the command and its output into error.
bool RunConvert(const std::string& arguments, std::string* error);

// ImageMagick's reading of a file in WorkDir(): width x height RGB triples,
// 8 bits each, rows top-down.
bool DecodeWithImageMagick(const std::string& file, int* width, int* height, Bytes* rgb,
                           std::string* error);

// Any picture as RGB triples, rows top-down (palette looked up, mono as 0/255).
Bytes ToRgb(const picture::Picture& picture);

// Empty when equal within tolerance, else a message naming the first pixel
// that differs by more and the largest difference.
std::string CompareRgb(const Bytes& expected, const Bytes& actual, int width, int tolerance);

}  // namespace picture_test
