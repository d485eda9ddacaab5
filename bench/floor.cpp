// The least any generator must do per image: fill a raster of the given size, encode it as a
// 1-bit PNG and write the file. Usage: bench_floor WIDTH HEIGHT COUNT DIR; prints the
// microseconds per image.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "render/ExportImage.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: bench_floor WIDTH HEIGHT COUNT DIR\n");
        return 2;
    }
    const int w = std::atoi(argv[1]);
    const int h = std::atoi(argv[2]);
    const int count = std::atoi(argv[3]);
    const std::string dir = argv[4];
    diduzozoz::ExportImage image;
    image.width = w;
    image.height = h;
    std::vector<std::uint8_t> png;
    diduzozoz::PngEncoder encoder;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        image.pixels.assign(static_cast<std::size_t>(w) * h, 0);
        // Stripes, so the encoder sees bars rather than an empty page.
        for (int y = 0; y < h; ++y) {
            for (int x = (i + y / h) % 2; x < w; x += 3)
                image.pixels[static_cast<std::size_t>(y) * w + x] = 1;
        }
        encoder.Encode(image, png);
        char name[32];
        std::snprintf(name, sizeof name, "/%06d.png", i + 1);
        const int fd = ::open((dir + name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, png.data(), png.size()) != static_cast<ssize_t>(png.size()))
            return 1;
        ::close(fd);
    }
    const double us =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.2f\n", us / count);
    return 0;
}
