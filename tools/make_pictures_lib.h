#pragma once
// Photo-like pictures for the demo and the benchmarks.

#include <string>

#include "picture_writer.h"

namespace tools {

// Smooth gradients with a little grain, so the files compress like photographs.
Bytes PhotoLike(int width, int height, int seed);

// `count` PNG and `count` JPEG pictures of 1024 x 600 (every other JPEG progressive),
// named photoNNN.png and photoNNN.jpg.
void MakeBenchPictures(const std::string& folder, int count);

}  // namespace tools
