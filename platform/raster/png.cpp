// Reading and writing bitmaps as 8-bit RGB PNG files.
#include "platform/raster/png.h"

#include <cstdio>
#include <memory>
#include <png.h>
#include <vector>

namespace raster {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void set_error(std::string* error, const std::string& message) {
    if (error)
        *error = message;
}

// libpng reports errors through longjmp; this keeps the message for the caller.
struct PngErrorSink {
    std::string message;
};

void on_png_error(png_structp png, png_const_charp message) {
    if (auto* sink = static_cast<PngErrorSink*>(png_get_error_ptr(png)))
        sink->message = message;
    png_longjmp(png, 1);
}

void on_png_warning(png_structp, png_const_charp) {}

} // namespace

// Any colour type and bit depth is accepted and converted to 8-bit RGB; alpha is dropped.
std::optional<Bitmap> read_png(const std::filesystem::path& path, std::string* error) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        set_error(error, path.string() + ": cannot open for reading");
        return std::nullopt;
    }
    PngErrorSink sink;
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, &sink, on_png_error, on_png_warning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        set_error(error, path.string() + ": out of memory");
        return std::nullopt;
    }
    // Declared before setjmp so that a longjmp leaves nothing to unwind but these.
    std::vector<png_byte> pixels;
    std::vector<png_bytep> rows;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        set_error(error, path.string() + ": not a readable PNG file (" + sink.message + ")");
        return std::nullopt;
    }
    png_init_io(png, file.get());
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const size_t stride = png_get_rowbytes(png, info);
    if (png_get_channels(png, info) != 3 || width > 1u << 15 || height > 1u << 15) {
        png_destroy_read_struct(&png, &info, nullptr);
        set_error(error, path.string() + ": unsupported PNG layout or size");
        return std::nullopt;
    }
    pixels.resize(stride * height);
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = pixels.data() + y * stride;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);

    Bitmap bitmap(static_cast<int32_t>(width), static_cast<int32_t>(height));
    for (png_uint_32 y = 0; y < height; ++y) {
        Pixel* out = bitmap.row(static_cast<int32_t>(y));
        for (png_uint_32 x = 0; x < width; ++x) {
            const png_byte* rgb = rows[y] + x * 3;
            out[x] = OPAQUE_BITS | Pixel{rgb[0]} << 16 | Pixel{rgb[1]} << 8 | rgb[2];
        }
    }
    return bitmap;
}

bool write_png(const Bitmap& bitmap, const std::filesystem::path& path, std::string* error) {
    if (bitmap.width() == 0 || bitmap.height() == 0) {
        set_error(error, path.string() + ": cannot write an empty bitmap");
        return false;
    }
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        set_error(error, path.string() + ": cannot open for writing");
        return false;
    }
    PngErrorSink sink;
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, on_png_error, on_png_warning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        set_error(error, path.string() + ": out of memory");
        return false;
    }
    std::vector<png_byte> line(static_cast<size_t>(bitmap.width()) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        set_error(error, path.string() + ": cannot write PNG (" + sink.message + ")");
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.width()),
                 static_cast<png_uint_32>(bitmap.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t y = 0; y < bitmap.height(); ++y) {
        const Pixel* in = bitmap.row(y);
        for (int32_t x = 0; x < bitmap.width(); ++x) {
            line[static_cast<size_t>(x) * 3] = static_cast<png_byte>(in[x] >> 16);
            line[static_cast<size_t>(x) * 3 + 1] = static_cast<png_byte>(in[x] >> 8);
            line[static_cast<size_t>(x) * 3 + 2] = static_cast<png_byte>(in[x]);
        }
        png_write_row(png, line.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.get()) != 0) {
        set_error(error, path.string() + ": write failed");
        return false;
    }
    return true;
}

} // namespace raster
