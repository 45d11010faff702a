#include "web/ImageDecoder.h"

#include <cairo.h>
#include <gif_lib.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <algorithm>

namespace web {
namespace {

bool SideOk(long width, long height) {
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide;
}

TImage NewSurface(int width, int height) {
    TImage image = AdoptSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    return image;
}

uint32_t* Row(cairo_surface_t* surface, int y) {
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface) +
                                       static_cast<ptrdiff_t>(y) * cairo_image_surface_get_stride(surface));
}

// --- PNG, through cairo's own reader ---------------------------------------

struct TReadCursor {
    const std::string* data;
    size_t at;
};

cairo_status_t ReadPng(void* closure, unsigned char* out, unsigned int length) {
    auto* cursor = static_cast<TReadCursor*>(closure);
    if (cursor->data->size() - cursor->at < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, cursor->data->data() + cursor->at, length);
    cursor->at += length;
    return CAIRO_STATUS_SUCCESS;
}

// The PNG header is read first so an oversized image is refused before
// cairo allocates its pixels.
bool PngSideOk(const std::string& data) {
    if (data.size() < 24) return false;
    auto be32 = [&](size_t at) {
        return static_cast<long>(uint32_t(uint8_t(data[at])) << 24 | uint32_t(uint8_t(data[at + 1])) << 16 |
                                 uint32_t(uint8_t(data[at + 2])) << 8 | uint32_t(uint8_t(data[at + 3])));
    };
    return SideOk(be32(16), be32(20));
}

TImage DecodePng(const std::string& data) {
    if (!PngSideOk(data)) return nullptr;
    TReadCursor cursor{&data, 0};
    TImage image = AdoptSurface(cairo_image_surface_create_from_png_stream(&ReadPng, &cursor));
    if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    return image;
}

// --- JPEG ---------------------------------------------------------------------

struct TJpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void JpegFail(j_common_ptr info) { std::longjmp(reinterpret_cast<TJpegError*>(info->err)->jump, 1); }
void JpegQuiet(j_common_ptr) {}

// Plain C state only between setjmp and longjmp: the surface is created
// before the jump point and released by the caller's smart pointer.
bool DecodeJpegInto(const std::string& data, TImage& image) {
    jpeg_decompress_struct info;
    TJpegError error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = &JpegFail;
    error.manager.output_message = &JpegQuiet;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || !SideOk(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = NewSurface(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    if (!image || info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    static thread_local unsigned char line[kMaxImageSide * 3];
    cairo_surface_flush(image.get());
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        JSAMPROW rows[1] = {line};
        jpeg_read_scanlines(&info, rows, 1);
        uint32_t* out = Row(image.get(), y);
        for (unsigned x = 0; x < info.output_width; ++x)
            out[x] = 0xFF000000u | uint32_t(line[3 * x]) << 16 | uint32_t(line[3 * x + 1]) << 8 | line[3 * x + 2];
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    cairo_surface_mark_dirty(image.get());
    return true;
}

TImage DecodeJpeg(const std::string& data) {
    TImage image;
    if (!DecodeJpegInto(data, image)) return nullptr;
    return image;
}

// --- GIF (first frame) --------------------------------------------------------

int ReadGif(GifFileType* gif, GifByteType* out, int length) {
    auto* cursor = static_cast<TReadCursor*>(gif->UserData);
    const size_t left = cursor->data->size() - cursor->at;
    const size_t n = length < 0 ? 0 : std::min(left, static_cast<size_t>(length));
    std::memcpy(out, cursor->data->data() + cursor->at, n);
    cursor->at += n;
    return static_cast<int>(n);
}

struct TGifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

// Reads records up to the first image, keeping its graphic control block
// (transparency). The frame's size is checked against the screen's before a
// line is read, so a lying header cannot make anything large be allocated.
struct TGifFrame {
    int transparent = NO_TRANSPARENT_COLOR;
    bool found = false;
};

bool ReadControlBlock(GifFileType* gif, TGifFrame& frame) {
    int code = 0;
    GifByteType* extension = nullptr;
    if (DGifGetExtension(gif, &code, &extension) != GIF_OK) return false;
    while (extension) {
        if (code == GRAPHICS_EXT_FUNC_CODE) {
            GraphicsControlBlock control{};
            if (DGifExtensionToGCB(extension[0], extension + 1, &control) == GIF_OK)
                frame.transparent = control.TransparentColor;
        }
        code = 0;
        if (DGifGetExtensionNext(gif, &extension) != GIF_OK) return false;
    }
    return true;
}

TImage ReadGifImage(GifFileType* gif, const TGifFrame& frame) {
    if (DGifGetImageDesc(gif) != GIF_OK) return nullptr;
    const GifImageDesc& desc = gif->Image;
    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!map || desc.Interlace || desc.Left < 0 || desc.Top < 0 || desc.Width <= 0 ||
        desc.Left + desc.Width > gif->SWidth || desc.Top + desc.Height > gif->SHeight)
        return nullptr;
    TImage image = NewSurface(gif->SWidth, gif->SHeight);
    if (!image) return nullptr;
    static thread_local GifPixelType line[kMaxImageSide];
    cairo_surface_flush(image.get());
    for (int y = 0; y < desc.Height; ++y) {
        if (DGifGetLine(gif, line, desc.Width) != GIF_OK) return nullptr;
        uint32_t* out = Row(image.get(), desc.Top + y) + desc.Left;
        for (int x = 0; x < desc.Width; ++x) {
            const int index = line[x];
            if (index == frame.transparent || index >= map->ColorCount) continue;
            const GifColorType& c = map->Colors[index];
            out[x] = 0xFF000000u | uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
        }
    }
    cairo_surface_mark_dirty(image.get());
    return image;
}

TImage DecodeGif(const std::string& data) {
    TReadCursor cursor{&data, 0};
    int error = 0;
    std::unique_ptr<GifFileType, TGifCloser> gif(DGifOpen(&cursor, &ReadGif, &error));
    if (!gif || !SideOk(gif->SWidth, gif->SHeight)) return nullptr;
    TGifFrame frame;
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    do {
        if (DGifGetRecordType(gif.get(), &record) != GIF_OK) return nullptr;
        if (record == IMAGE_DESC_RECORD_TYPE) return ReadGifImage(gif.get(), frame);
        if (record == EXTENSION_RECORD_TYPE && !ReadControlBlock(gif.get(), frame)) return nullptr;
    } while (record != TERMINATE_RECORD_TYPE);
    return nullptr;
}

bool Begins(const std::string& data, const char* magic, size_t length) {
    return data.size() >= length && std::memcmp(data.data(), magic, length) == 0;
}

}  // namespace

TImage AdoptSurface(cairo_surface_t* surface) {
    if (!surface) return nullptr;
    return TImage(surface, [](cairo_surface_t* s) { cairo_surface_destroy(s); });
}

TImage DecodeImage(const std::string& data) {
    if (Begins(data, "\x89PNG\r\n\x1a\n", 8)) return DecodePng(data);
    if (Begins(data, "\xFF\xD8\xFF", 3)) return DecodeJpeg(data);
    if (Begins(data, "GIF87a", 6) || Begins(data, "GIF89a", 6)) return DecodeGif(data);
    return nullptr;
}

}  // namespace web
