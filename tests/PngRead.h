// Reads a PNG file's bytes back to grey pixels, for the tests that check what was written.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace diduzozoz::test {

struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> grey;  // row-major, 0 black to 255 white; empty when unreadable

    std::uint8_t At(int x, int y) const {
        return grey[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x];
    }
};

GreyImage ReadPng(std::string_view bytes);

}  // namespace diduzozoz::test
