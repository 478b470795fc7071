#include "cli/png_writer.hpp"

#include <png.h>

#include <stdexcept>
#include <vector>

namespace zxmaze {
namespace {

void AppendToString(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), length);
}

// Holds libpng's two structures for the length of one encoding.
class PngWriteStruct {
public:
    PngWriteStruct() {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        if (png_ != nullptr) info_ = png_create_info_struct(png_);
        if (png_ == nullptr || info_ == nullptr) {
            png_destroy_write_struct(&png_, &info_);
            throw std::bad_alloc();
        }
    }
    PngWriteStruct(const PngWriteStruct&) = delete;
    PngWriteStruct& operator=(const PngWriteStruct&) = delete;
    ~PngWriteStruct() { png_destroy_write_struct(&png_, &info_); }

    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

}  // namespace

std::string EncodePng(const Picture& picture) {
    std::string out;
    PngWriteStruct writer;
    png_structp png = writer.png_;
    // libpng reports errors by longjmp; with the output in memory the only one is running out of memory.
    if (setjmp(png_jmpbuf(png))) throw std::bad_alloc();
    png_set_write_fn(png, &out, AppendToString, nullptr);
    // Mazes are large flat areas: fast compression already shrinks them well.
    png_set_compression_level(png, 1);
    png_set_IHDR(png, writer.info_, Picture::kSize, Picture::kSize, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, writer.info_);
    const std::vector<std::uint8_t> rgb = picture.Pixels();
    const auto* pixels = rgb.data();
    for (int row = 0; row < Picture::kSize; ++row) {
        png_write_row(png, pixels + static_cast<std::size_t>(row) * Picture::kSize * 3);
    }
    png_write_end(png, nullptr);
    return out;
}

}  // namespace zxmaze
