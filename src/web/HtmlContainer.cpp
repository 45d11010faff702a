#include "web/HtmlContainer.h"

#include <cairo.h>

#include <algorithm>
#include <cctype>

#include "web/Fetcher.h"
#include "web/WebView.h"

namespace web {
namespace {

cairo_t* Cr(litehtml::uint_ptr hdc) { return reinterpret_cast<cairo_t*>(hdc); }

void SetColour(cairo_t* cr, const litehtml::web_color& c) {
    cairo_set_source_rgba(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0, c.alpha / 255.0);
}

void Rectangle(cairo_t* cr, const litehtml::position& p) { cairo_rectangle(cr, p.x, p.y, p.width, p.height); }

// A box with elliptic corners, the outline CSS radii describe.
void RoundedBox(cairo_t* cr, const litehtml::position& p, const litehtml::border_radiuses& r) {
    const bool square = !r.top_left_x && !r.top_right_x && !r.bottom_right_x && !r.bottom_left_x;
    if (square) return Rectangle(cr, p);
    auto corner = [&](double cx, double cy, double rx, double ry, double from) {
        if (rx <= 0 || ry <= 0) {
            cairo_line_to(cr, cx, cy);
            return;
        }
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, from, from + 1.5707963267948966);
        cairo_restore(cr);
    };
    const double pi = 3.141592653589793;
    cairo_new_sub_path(cr);
    corner(p.right() - r.top_right_x, p.y + r.top_right_y, r.top_right_x, r.top_right_y, -pi / 2);
    corner(p.right() - r.bottom_right_x, p.bottom() - r.bottom_right_y, r.bottom_right_x, r.bottom_right_y, 0);
    corner(p.x + r.bottom_left_x, p.bottom() - r.bottom_left_y, r.bottom_left_x, r.bottom_left_y, pi / 2);
    corner(p.x + r.top_left_x, p.y + r.top_left_y, r.top_left_x, r.top_left_y, pi);
    cairo_close_path(cr);
}

}  // namespace

THtmlContainer::THtmlContainer(IContainerHost& host, const TWebSettings& settings)
    : m_host(host), m_defaultSize(settings.DefaultFontSize), m_fonts(settings) {}

THtmlContainer::~THtmlContainer() {
    for (auto& font : m_liveFonts) m_fonts.Release(font.get());
}

void THtmlContainer::ForgetResources() {
    m_sheets.clear();
    m_images.clear();
}

std::string THtmlContainer::Resolve(const char* src, const char* base) const {
    const std::string from = base && *base ? std::string(base) : m_baseUrl;
    return ResolveUrl(from, src ? src : "");
}

// --- fonts and text ------------------------------------------------------------

litehtml::uint_ptr THtmlContainer::create_font(const char* faceName, int size, int weight, litehtml::font_style italic,
                                               unsigned int decoration, litehtml::font_metrics* fm) {
    std::unique_ptr<TFont> font =
        m_fonts.Create(faceName ? faceName : "", std::max(1, size), weight, italic == litehtml::fontStyleItalic);
    font->Underline = decoration & litehtml::font_decoration_underline;
    font->LineThrough = decoration & litehtml::font_decoration_linethrough;
    font->Overline = decoration & litehtml::font_decoration_overline;
    if (fm) {
        fm->ascent = font->Ascent;
        fm->descent = font->Descent;
        fm->height = font->Height;
        fm->x_height = font->XHeight;
        fm->draw_spaces = font->Underline || font->LineThrough || font->Overline;
    }
    m_liveFonts.push_back(std::move(font));
    return reinterpret_cast<litehtml::uint_ptr>(m_liveFonts.back().get());
}

void THtmlContainer::delete_font(litehtml::uint_ptr hFont) {
    auto* font = reinterpret_cast<TFont*>(hFont);
    auto it = std::find_if(m_liveFonts.begin(), m_liveFonts.end(), [&](const auto& f) { return f.get() == font; });
    if (it == m_liveFonts.end()) return;
    m_fonts.Release(it->get());
    m_liveFonts.erase(it);
}

int THtmlContainer::text_width(const char* text, litehtml::uint_ptr hFont) {
    auto* font = reinterpret_cast<TFont*>(hFont);
    if (!font || !font->Scaled || !text) return 0;
    cairo_text_extents_t extents;
    cairo_scaled_font_text_extents(font->Scaled, text, &extents);
    return static_cast<int>(extents.x_advance + 0.5);
}

void THtmlContainer::draw_text(litehtml::uint_ptr hdc, const char* text, litehtml::uint_ptr hFont,
                               litehtml::web_color color, const litehtml::position& pos) {
    auto* font = reinterpret_cast<TFont*>(hFont);
    if (!font || !font->Scaled || !text) return;
    cairo_t* cr = Cr(hdc);
    cairo_save(cr);
    ApplyClip(cr);
    cairo_set_scaled_font(cr, font->Scaled);
    SetColour(cr, color);
    const int baseline = pos.bottom() - font->Descent;
    cairo_move_to(cr, pos.x, baseline);
    cairo_show_text(cr, text);
    const int width = text_width(text, hFont);
    auto line = [&](double y) {
        cairo_rectangle(cr, pos.x, y, width, std::max(1, font->Size / 14));
        cairo_fill(cr);
    };
    if (font->Underline) line(baseline + 1);
    if (font->LineThrough) line(baseline - font->XHeight / 2);
    if (font->Overline) line(pos.y);
    cairo_restore(cr);
}

int THtmlContainer::pt_to_px(int pt) const { return pt * 96 / 72; }
int THtmlContainer::get_default_font_size() const { return m_defaultSize; }
const char* THtmlContainer::get_default_font_name() const { return "sans-serif"; }

void THtmlContainer::transform_text(litehtml::tstring& text, litehtml::text_transform tt) {
    if (text.empty()) return;
    auto upper = [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); };
    auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    switch (tt) {
    case litehtml::text_transform_capitalize: text[0] = upper(text[0]); break;
    case litehtml::text_transform_uppercase: std::transform(text.begin(), text.end(), text.begin(), upper); break;
    case litehtml::text_transform_lowercase: std::transform(text.begin(), text.end(), text.begin(), lower); break;
    default: break;
    }
}

// --- boxes ----------------------------------------------------------------------

void THtmlContainer::draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) {
    cairo_t* cr = Cr(hdc);
    cairo_save(cr);
    ApplyClip(cr);
    SetColour(cr, marker.color);
    const litehtml::position& p = marker.pos;
    switch (marker.marker_type) {
    case litehtml::list_style_type_circle:
        cairo_arc(cr, p.x + p.width / 2.0, p.y + p.height / 2.0, p.width / 2.0 - 0.5, 0, 6.283185307179586);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        break;
    case litehtml::list_style_type_square: Rectangle(cr, p); cairo_fill(cr); break;
    case litehtml::list_style_type_none: break;
    default:
        cairo_arc(cr, p.x + p.width / 2.0, p.y + p.height / 2.0, p.width / 2.0, 0, 6.283185307179586);
        cairo_fill(cr);
        break;
    }
    cairo_restore(cr);
}

void THtmlContainer::draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) {
    cairo_t* cr = Cr(hdc);
    cairo_save(cr);
    ApplyClip(cr);
    RoundedBox(cr, bg.border_box, bg.border_radius);
    cairo_clip(cr);
    Rectangle(cr, bg.clip_box);
    cairo_clip(cr);
    if (bg.color.alpha) {
        SetColour(cr, bg.color);
        cairo_paint(cr);
    }
    if (!bg.image.empty()) {
        auto it = m_images.find(Resolve(bg.image.c_str(), bg.baseurl.c_str()));
        if (it != m_images.end() && it->second) DrawImage(cr, bg, it->second.get());
    }
    cairo_restore(cr);
}

// The image scaled to the size litehtml asks for, placed at its origin and
// repeated as the background says.
void THtmlContainer::DrawImage(cairo_t* cr, const litehtml::background_paint& bg, cairo_surface_t* image) const {
    const int w = cairo_image_surface_get_width(image), h = cairo_image_surface_get_height(image);
    const int tw = bg.image_size.width > 0 ? bg.image_size.width : w;
    const int th = bg.image_size.height > 0 ? bg.image_size.height : h;
    if (w <= 0 || h <= 0 || tw <= 0 || th <= 0) return;
    const int x = bg.position_x, y = bg.position_y;
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(image);
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, double(w) / tw, double(h) / th);
    cairo_matrix_translate(&matrix, -x, -y);
    cairo_pattern_set_matrix(pattern, &matrix);
    cairo_pattern_set_extend(pattern, bg.repeat == litehtml::background_repeat_no_repeat ? CAIRO_EXTEND_NONE
                                                                                          : CAIRO_EXTEND_REPEAT);
    switch (bg.repeat) {
    case litehtml::background_repeat_no_repeat: cairo_rectangle(cr, x, y, tw, th); break;
    case litehtml::background_repeat_repeat_x:
        cairo_rectangle(cr, bg.clip_box.x, y, bg.clip_box.width, th);
        break;
    case litehtml::background_repeat_repeat_y:
        cairo_rectangle(cr, x, bg.clip_box.y, tw, bg.clip_box.height);
        break;
    default: Rectangle(cr, bg.clip_box); break;
    }
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

void THtmlContainer::draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& b,
                                  const litehtml::position& p, bool) {
    cairo_t* cr = Cr(hdc);
    cairo_save(cr);
    ApplyClip(cr);
    auto side = [&](const litehtml::border& border, double x, double y, double w, double h) {
        if (border.width <= 0 || border.style == litehtml::border_style_none ||
            border.style == litehtml::border_style_hidden)
            return;
        SetColour(cr, border.color);
        cairo_rectangle(cr, x, y, w, h);
        cairo_fill(cr);
    };
    side(b.top, p.x, p.y, p.width, b.top.width);
    side(b.bottom, p.x, p.bottom() - b.bottom.width, p.width, b.bottom.width);
    side(b.left, p.x, p.y, b.left.width, p.height);
    side(b.right, p.right() - b.right.width, p.y, b.right.width, p.height);
    cairo_restore(cr);
}

void THtmlContainer::set_clip(const litehtml::position& pos, const litehtml::border_radiuses&, bool, bool) {
    m_clips.push_back(pos);
}

void THtmlContainer::del_clip() {
    if (!m_clips.empty()) m_clips.pop_back();
}

void THtmlContainer::ApplyClip(cairo_t* cr) const {
    for (const litehtml::position& clip : m_clips) {
        Rectangle(cr, clip);
        cairo_clip(cr);
    }
}

// --- resources and links ---------------------------------------------------------

void THtmlContainer::load_image(const char* src, const char* baseurl, bool) {
    const std::string url = Resolve(src, baseurl);
    if (url.empty() || m_images.count(url)) return;
    m_images[url] = nullptr;  // asked for; filled when it arrives
    m_host.WantImage(url);
}

void THtmlContainer::get_image_size(const char* src, const char* baseurl, litehtml::size& sz) {
    sz.width = sz.height = 0;
    auto it = m_images.find(Resolve(src, baseurl));
    if (it == m_images.end() || !it->second) return;
    sz.width = cairo_image_surface_get_width(it->second.get());
    sz.height = cairo_image_surface_get_height(it->second.get());
}

void THtmlContainer::import_css(litehtml::tstring& text, const litehtml::tstring& url, litehtml::tstring& baseurl) {
    const std::string absolute = Resolve(url.c_str(), baseurl.c_str());
    text.clear();
    if (absolute.empty()) return;
    baseurl = absolute;
    auto it = m_sheets.find(absolute);
    if (it != m_sheets.end()) {
        text = it->second;
        return;
    }
    m_sheets[absolute];  // asked for once
    m_host.WantStyleSheet(absolute);
}

void THtmlContainer::set_base_url(const char* base_url) {
    if (base_url && *base_url) m_baseUrl = Resolve(base_url, nullptr);
}

void THtmlContainer::on_anchor_click(const char* url, const litehtml::element::ptr& el) {
    const std::string absolute = Resolve(url, nullptr);
    if (absolute.empty()) return;
    const char* target = el ? el->get_attr("target") : nullptr;
    m_host.LinkClicked(absolute, target ? target : "");
}

void THtmlContainer::get_client_rect(litehtml::position& client) const {
    client = litehtml::position(0, 0, m_width, m_height);
}

void THtmlContainer::get_media_features(litehtml::media_features& media) const {
    media.type = litehtml::media_type_screen;
    media.width = media.device_width = m_width;
    media.height = media.device_height = m_height;
    media.color = 8;
    media.monochrome = 0;
    media.color_index = 256;
    media.resolution = 96;
}

void THtmlContainer::get_language(litehtml::tstring& language, litehtml::tstring& culture) const {
    language = "en";
    culture.clear();
}

}  // namespace web
