#pragma once

#include <cstdint>
#include <vector>

namespace zarn::cli::test {

// A version 5 movie of 550 x 400 pixels at 24 frames per second with one tag of every family
// the dump describes; sample_movie.cpp lists them in order.
std::vector<uint8_t> SampleMovie();

}  // namespace zarn::cli::test
