// Decoding of the images a page shows (PNG, JPEG, GIF: the first frame)
// into cairo image surfaces.
//
// The format is told by the data's first bytes, never by the URL or the
// server's content type. Images wider or higher than kMaxImageSide are
// refused before any pixel memory is taken, as are broken files.
#pragma once

#include <memory>
#include <string>

typedef struct _cairo_surface cairo_surface_t;

namespace web {

constexpr int kMaxImageSide = 4096;

using TImage = std::shared_ptr<cairo_surface_t>;

// A decoded image in cairo's ARGB32 format, or null.
TImage DecodeImage(const std::string& data);
// Takes over a cairo surface reference (null stays null).
TImage AdoptSurface(cairo_surface_t* surface);

}  // namespace web
