#include "support/png_digest.hpp"

#include <png.h>
#include <stdio.h>

#include <array>
#include <fstream>

#include "support/temp_dir.hpp"

namespace zxmaze::testing {

std::vector<unsigned char> DecodePngRgb(const std::string& path, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) return {};
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return pixels;
}

std::string Sha256Hex(const std::vector<unsigned char>& bytes) {
    TempDir dir;
    const std::string file = dir.File("bytes");
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
    FILE* pipe = ::popen(("sha256sum '" + file + "'").c_str(), "r");
    if (pipe == nullptr) return {};
    std::array<char, 65> hex{};
    const std::size_t read = std::fread(hex.data(), 1, 64, pipe);
    ::pclose(pipe);
    return std::string(hex.data(), read);
}

}  // namespace zxmaze::testing
