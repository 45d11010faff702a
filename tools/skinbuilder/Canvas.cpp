#include "Canvas.h"

#include <cairo-ft.h>

#include <algorithm>
#include <cmath>

#include "SkinPixels.h"
#include "ToolFiles.h"

namespace skin {

namespace {

constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// One channel composited over the matte, dithered by half a quantisation
// step pattern (a 5-bit step is 8 values of 8 bits).
uint8_t Channel(int premultiplied, int alpha, int matte, int threshold) {
    const int value = premultiplied + (matte * (255 - alpha) + 127) / 255;
    return static_cast<uint8_t>(std::min(255, value + threshold));
}

}  // namespace

TFaces::~TFaces() {
    if (m_cairoRegular != nullptr) cairo_font_face_destroy(m_cairoRegular);
    if (m_cairoBold != nullptr) cairo_font_face_destroy(m_cairoBold);
    if (m_regular != nullptr) FT_Done_Face(m_regular);
    if (m_bold != nullptr) FT_Done_Face(m_bold);
    if (m_plain != nullptr) FT_Done_Face(m_plain);
    if (m_plainBold != nullptr) FT_Done_Face(m_plainBold);
    if (m_library != nullptr) FT_Done_FreeType(m_library);
}

bool TFaces::Load(const std::string& folder, std::string& error) {
    if (FT_Init_FreeType(&m_library) != 0) {
        error = "FreeType does not start";
        return false;
    }
    const std::string regular = JoinPath(folder, "DejaVuSans.ttf");
    const std::string bold = JoinPath(folder, "DejaVuSans-Bold.ttf");
    if (FT_New_Face(m_library, regular.c_str(), 0, &m_regular) != 0 ||
        FT_New_Face(m_library, bold.c_str(), 0, &m_bold) != 0 ||
        FT_New_Face(m_library, regular.c_str(), 0, &m_plain) != 0 ||
        FT_New_Face(m_library, bold.c_str(), 0, &m_plainBold) != 0) {
        error = "cannot open the DejaVu Sans fonts in " + folder + " (Debian package fonts-dejavu-core)";
        return false;
    }
    m_cairoRegular = cairo_ft_font_face_create_for_ft_face(m_regular, 0);
    m_cairoBold = cairo_ft_font_face_create_for_ft_face(m_bold, 0);
    return true;
}

TCanvas::TCanvas(int width, int height)
    : m_width(width), m_height(height),
      m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      m_cr(cairo_create(m_surface)) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_set_font_options(m_cr, options);
    cairo_font_options_destroy(options);
}

TCanvas::~TCanvas() {
    cairo_destroy(m_cr);
    cairo_surface_destroy(m_surface);
}

void TCanvas::SetColour(const TColour& c, double alpha) {
    cairo_set_source_rgba(m_cr, c.R(), c.G(), c.B(), alpha);
}

void TCanvas::RoundedRect(double x, double y, double w, double h, double radius) {
    const double r = std::min({radius, w / 2, h / 2});
    cairo_new_sub_path(m_cr);
    cairo_arc(m_cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(m_cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(m_cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(m_cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(m_cr);
}

void TCanvas::SetLinear(double x0, double y0, const TColour& a, double alphaA, double x1, double y1,
                        const TColour& b, double alphaB) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, a.R(), a.G(), a.B(), alphaA);
    cairo_pattern_add_color_stop_rgba(p, 1, b.R(), b.G(), b.B(), alphaB);
    cairo_set_source(m_cr, p);
    cairo_pattern_destroy(p);
}

void TCanvas::SetGlow(double x, double y, double radius, const TColour& c, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, radius);
    cairo_pattern_add_color_stop_rgba(p, 0, c.R(), c.G(), c.B(), alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, c.R(), c.G(), c.B(), 0);
    cairo_set_source(m_cr, p);
    cairo_pattern_destroy(p);
}

void TCanvas::UseFace(cairo_font_face_t* face, double size) {
    cairo_set_font_face(m_cr, face);
    cairo_set_font_size(m_cr, size);
}

void TCanvas::Text(cairo_font_face_t* face, double size, double x, double y, const std::string& utf8,
                   double spacing) {
    UseFace(face, size);
    if (spacing == 0.0) {
        cairo_move_to(m_cr, x, y);
        cairo_show_text(m_cr, utf8.c_str());
        return;
    }
    // Letter-spaced: one UTF-8 character at a time.
    for (size_t i = 0; i < utf8.size();) {
        size_t n = 1;
        while (i + n < utf8.size() && (static_cast<uint8_t>(utf8[i + n]) & 0xC0) == 0x80) ++n;
        const std::string ch = utf8.substr(i, n);
        cairo_move_to(m_cr, x, y);
        cairo_show_text(m_cr, ch.c_str());
        cairo_text_extents_t e;
        cairo_text_extents(m_cr, ch.c_str(), &e);
        x += e.x_advance + spacing;
        i += n;
    }
}

double TCanvas::TextWidth(cairo_font_face_t* face, double size, const std::string& utf8, double spacing) {
    UseFace(face, size);
    if (spacing == 0.0) {
        cairo_text_extents_t e;
        cairo_text_extents(m_cr, utf8.c_str(), &e);
        return e.x_advance;
    }
    double width = 0;
    int count = 0;
    for (size_t i = 0; i < utf8.size(); ++count) {
        size_t n = 1;
        while (i + n < utf8.size() && (static_cast<uint8_t>(utf8[i + n]) & 0xC0) == 0x80) ++n;
        cairo_text_extents_t e;
        cairo_text_extents(m_cr, utf8.substr(i, n).c_str(), &e);
        width += e.x_advance;
        i += n;
    }
    return width + spacing * std::max(0, count - 1);
}

std::vector<uint16_t> TCanvas::ToGizPixels(const TConversion& conversion) {
    cairo_surface_flush(m_surface);
    const uint8_t* data = cairo_image_surface_get_data(m_surface);
    const int stride = cairo_image_surface_get_stride(m_surface);
    std::vector<uint16_t> out(static_cast<size_t>(m_width) * m_height);
    for (int y = 0; y < m_height; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
        for (int x = 0; x < m_width; ++x) {
            const uint32_t p = row[x];  // premultiplied ARGB in a native word
            const int a = static_cast<int>(p >> 24);
            uint16_t& pixel = out[static_cast<size_t>(y) * m_width + x];
            if (conversion.keepTransparency && a < 128) {
                pixel = 0;
                continue;
            }
            const int t = conversion.dither ? kBayer[y & 3][x & 3] / 2 : 0;
            pixel = OpaquePixel(Channel(static_cast<int>(p >> 16 & 255), a, conversion.matte.r, t),
                                Channel(static_cast<int>(p >> 8 & 255), a, conversion.matte.g, t),
                                Channel(static_cast<int>(p & 255), a, conversion.matte.b, t));
        }
    }
    return out;
}

}  // namespace skin
