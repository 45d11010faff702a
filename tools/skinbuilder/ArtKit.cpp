#include "ArtKit.h"

#include <cmath>
#include <cstdlib>

#include "resources/GizEncoder.h"

namespace skin {

namespace {

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> fields;
    size_t at = 0;
    while (true) {
        const size_t comma = text.find(',', at);
        fields.push_back(Trim(text.substr(at, comma == std::string::npos ? std::string::npos : comma - at)));
        if (comma == std::string::npos) return fields;
        at = comma + 1;
    }
}

bool ParseWhole(const std::string& text, int& value) {
    if (text.empty() || text.size() > 6) return false;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end != 0) return false;
    value = static_cast<int>(v);
    return true;
}

}  // namespace

bool TLayout::Fields(const std::string& section, const std::string& key, std::vector<std::string>& fields,
                     std::string& error) const {
    const TSourceSection* s = m_settings.Find(section);
    const std::string* value = s != nullptr ? s->Find(key) : nullptr;
    if (value == nullptr) {
        error = m_settings.Path() + ": the pictures need [" + section + "] " + key;
        return false;
    }
    fields = SplitCommas(*value);
    return true;
}

bool TLayout::Numbers(const std::string& section, const std::string& key, size_t first, size_t count,
                      std::vector<int>& numbers, std::string& error) const {
    std::vector<std::string> fields;
    if (!Fields(section, key, fields, error)) return false;
    numbers.assign(count, 0);
    for (size_t i = 0; i < count; ++i) {
        if (first + i >= fields.size() || !ParseWhole(fields[first + i], numbers[i])) {
            error = m_settings.Path() + ": [" + section + "] " + key + " needs a number in field " +
                    std::to_string(first + i + 1);
            return false;
        }
    }
    return true;
}

TConversion BackgroundConversion(const TPalette& palette) {
    TConversion c;
    c.dither = true;
    c.matte = palette.Get("night");
    return c;
}

TConversion SpriteConversion(const TColour& matte) {
    TConversion c;
    c.keepTransparency = true;
    c.matte = matte;
    return c;
}

TConversion OpaqueConversion() { return TConversion{}; }

bool Encode(const std::string& name, TCanvas& canvas, const TConversion& conversion,
            std::vector<TImage>& images, std::string& error) {
    const std::vector<uint16_t> pixels = canvas.ToGizPixels(conversion);
    TImage image{name, {}};
    if (!GizEncode(pixels.data(), canvas.Width(), canvas.Height(), image.giz)) {
        error = "cannot encode the image " + name;
        return false;
    }
    images.push_back(std::move(image));
    return true;
}

void TArtKit::WindowGround(const std::string& glow, double glowAlpha) {
    const double w = m_c.Width(), h = m_c.Height();
    m_c.SetColour(m_p.Get("night"));
    cairo_paint(Cr());
    m_c.RoundedRect(0, 0, w, h, m_corner);
    cairo_clip(Cr());
    m_c.SetLinear(0, 0, m_p.Get("raised"), 1, 0, h, m_p.Get("night"), 1);
    cairo_paint(Cr());
    m_c.SetGlow(w * 0.3, 0, std::max(w, h) * 0.7, m_p.Get(glow), glowAlpha);
    cairo_paint(Cr());
}

void TArtKit::WindowFrame() {
    const double w = m_c.Width(), h = m_c.Height();
    cairo_reset_clip(Cr());
    m_c.RoundedRect(0.5, 0.5, w - 1, h - 1, m_corner);
    m_c.SetColour(m_p.Get("rim"));
    cairo_set_line_width(Cr(), 1);
    cairo_stroke(Cr());
    m_c.RoundedRect(1.5, 1.5, w - 3, h - 3, m_corner - 1);
    m_c.SetLinear(0, 0, m_p.Get("white"), 0.12, 0, std::min(h / 3.0, 160.0), m_p.Get("white"), 0);
    cairo_stroke(Cr());
}

void TArtKit::Card(double x, double y, double w, double h, double radius) {
    m_c.RoundedRect(x, y, w, h, radius);
    m_c.SetColour(m_p.Get("night"), 0.45);  // a soft shadow one pixel down
    cairo_save(Cr());
    cairo_translate(Cr(), 0, 2);
    cairo_fill(Cr());
    cairo_restore(Cr());
    m_c.RoundedRect(x, y, w, h, radius);
    m_c.SetColour(m_p.Get("panel"));
    cairo_fill(Cr());
    m_c.RoundedRect(x + 0.5, y + 0.5, w - 1, h - 1, radius - 0.5);
    m_c.SetColour(m_p.Get("line"));
    cairo_set_line_width(Cr(), 1);
    cairo_stroke(Cr());
    m_c.RoundedRect(x + 1.5, y + 1.5, w - 3, h - 3, radius - 1.5);
    m_c.SetLinear(0, y, m_p.Get("white"), 0.07, 0, y + 24, m_p.Get("white"), 0);
    cairo_stroke(Cr());
}

void TArtKit::Well(double x, double y, double w, double h, double radius) {
    m_c.RoundedRect(x, y, w, h, radius);
    m_c.SetColour(m_p.Get("deep"));
    cairo_fill(Cr());
    m_c.RoundedRect(x + 1, y + 1, w - 2, 2, 1);
    m_c.SetColour(m_p.Get("night"), 0.6);
    cairo_fill(Cr());
    m_c.RoundedRect(x + 0.5, y + 0.5, w - 1, h - 1, radius - 0.5);
    m_c.SetColour(m_p.Get("line"));
    cairo_set_line_width(Cr(), 1);
    cairo_stroke(Cr());
}

void TArtKit::Groove(double x, double y, double w, double h, double radius) {
    m_c.RoundedRect(x, y, w, h, radius);
    m_c.SetColour(m_p.Get("night"));
    cairo_fill_preserve(Cr());
    m_c.SetColour(m_p.Get("line"));
    cairo_set_line_width(Cr(), 1);
    cairo_stroke(Cr());
    m_c.RoundedRect(x + 0.5, y + h - 1.5, w - 1, 1, 0.5);
    m_c.SetColour(m_p.Get("rim"), 0.35);
    cairo_fill(Cr());
}

void TArtKit::Bevel(double x, double y, double w, double h, double r, const TColour& top, const TColour& bottom) {
    m_c.RoundedRect(x, y, w, h, r);
    m_c.SetLinear(0, y, top, 1, 0, y + h, bottom, 1);
    cairo_fill(Cr());
    m_c.RoundedRect(x + 0.5, y + 0.5, w - 1, h - 1, r - 0.5);
    m_c.SetLinear(0, y, m_p.Get("white"), 0.35, 0, y + h, m_p.Get("night"), 0.35);
    cairo_set_line_width(Cr(), 1);
    cairo_stroke(Cr());
}

void TArtKit::Separator(double x, double y, double w) {
    cairo_rectangle(Cr(), x, y, w, 1);
    m_c.SetColour(m_p.Get("line"));
    cairo_fill(Cr());
    cairo_rectangle(Cr(), x, y + 1, w, 1);
    m_c.SetColour(m_p.Get("white"), 0.04);
    cairo_fill(Cr());
}

void TArtKit::Rule(double x, double y, double w) {
    m_c.RoundedRect(x, y, w, 3, 1.5);
    m_c.SetLinear(x, 0, m_p.Get("teal"), 1, x + w, 0, m_p.Get("amber"), 1);
    cairo_fill(Cr());
}

void TArtKit::Heading(double x, double y, const std::string& utf8, const std::string& colour, double size) {
    m_c.SetColour(m_p.Get(colour));
    m_c.Text(m_faces.CairoBold(), size > 0 ? size : m_p.TypeSize("heading"), x, y, utf8);
}

void TArtKit::Caption(double x, double y, const std::string& utf8, const std::string& colour, double spacing,
                      double size) {
    m_c.SetColour(m_p.Get(colour));
    m_c.Text(m_faces.CairoRegular(), size > 0 ? size : m_p.TypeSize("caption"), x, y, utf8, spacing);
}

void TArtKit::Body(double x, double y, const std::string& utf8, const std::string& colour, double size) {
    m_c.SetColour(m_p.Get(colour));
    m_c.Text(m_faces.CairoRegular(), size > 0 ? size : m_p.TypeSize("body"), x, y, utf8);
}

double TArtKit::HeadingWidth(const std::string& utf8, double size) {
    return m_c.TextWidth(m_faces.CairoBold(), size > 0 ? size : m_p.TypeSize("heading"), utf8);
}

double TArtKit::CaptionWidth(const std::string& utf8, double spacing, double size) {
    return m_c.TextWidth(m_faces.CairoRegular(), size > 0 ? size : m_p.TypeSize("caption"), utf8, spacing);
}

double TArtKit::BodyWidth(const std::string& utf8, double size, bool bold) {
    return m_c.TextWidth(bold ? m_faces.CairoBold() : m_faces.CairoRegular(),
                         size > 0 ? size : m_p.TypeSize("body"), utf8);
}

void TArtKit::BodyCentred(double cx, double y, const std::string& utf8, const std::string& colour, double size,
                          bool bold) {
    const double s = size > 0 ? size : m_p.TypeSize("body");
    const double x = std::round(cx - BodyWidth(utf8, s, bold) / 2);
    m_c.SetColour(m_p.Get(colour));
    m_c.Text(bold ? m_faces.CairoBold() : m_faces.CairoRegular(), s, x, y, utf8);
}

void TArtKit::Emblem(double cx, double cy, double k) {
    m_c.SetGlow(cx, cy + 8 * k, 70 * k, m_p.Get("night"), 0.6);
    cairo_paint(Cr());
    Bevel(cx - 44 * k, cy - 44 * k, 88 * k, 88 * k, 22 * k, m_p.Get("raised"), m_p.Get("deep"));
    const double s = 30 * k, gap = 6 * k, x0 = cx - s - gap / 2, y0 = cy - s - gap / 2;
    GameTile(1, x0, y0, k);
    GameTile(4, x0 + s + gap, y0, k);
    GameTile(2, x0, y0 + s + gap, k);
    GameTile(3, x0 + s + gap, y0 + s + gap, k);
}

void TArtKit::GameTile(int game, double x, double y, double k) {
    const double s = 30 * k;
    switch (game) {
        case 1:
            Bevel(x, y, s, s, 7 * k, m_p.Get("tealhi"), m_p.Get("teal"));
            Blocks(x, y, s, k);
            break;
        case 2:
            Bevel(x, y, s, s, 7 * k, m_p.Get("pink"), m_p.Get("rose"));
            Checker(x, y, s, k);
            break;
        case 3:
            Bevel(x, y, s, s, 7 * k, m_p.Get("sky"), m_p.Get("violet"));
            Bubble(x, y, s, k);
            break;
        default:
            Bevel(x, y, s, s, 7 * k, m_p.Get("amber"), m_p.Get("amberdk"));
            Die(x, y, s, k);
            break;
    }
}

std::string GameAccent(int game) {
    static const char* accents[] = {"teal", "teal", "rose", "sky", "amber"};
    return accents[game >= 0 && game <= 4 ? game : 0];
}

TColour Mix(const TColour& a, const TColour& b, double t) {
    const auto channel = [t](uint8_t x, uint8_t y) {
        return static_cast<uint8_t>(std::lround(x + (y - x) * t));
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

void TArtKit::Blocks(double x, double y, double s, double k) {  // a T piece of four blocks
    const double b = 7 * k, ox = x + (s - 3 * b) / 2, oy = y + (s - 2 * b) / 2;
    const double cells[4][2] = {{0, 0}, {1, 0}, {2, 0}, {1, 1}};
    for (const auto& cell : cells) {
        m_c.RoundedRect(ox + cell[0] * b + 0.5 * k, oy + cell[1] * b + 0.5 * k, b - k, b - k, 1.5 * k);
        m_c.SetColour(m_p.Get("night"), 0.7);
        cairo_fill(Cr());
    }
}

void TArtKit::Die(double x, double y, double s, double k) {  // the three of a die
    for (int i = -1; i <= 1; ++i) {
        cairo_new_path(Cr());
        cairo_arc(Cr(), x + s / 2 + i * 7 * k, y + s / 2 - i * 7 * k, 2.6 * k, 0, 2 * M_PI);
        m_c.SetColour(m_p.Get("white"), 0.95);
        cairo_fill(Cr());
    }
}

void TArtKit::Checker(double x, double y, double s, double k) {  // a checker seen from above
    cairo_new_path(Cr());
    cairo_arc(Cr(), x + s / 2, y + s / 2, 9 * k, 0, 2 * M_PI);
    m_c.SetColour(m_p.Get("white"), 0.95);
    cairo_fill(Cr());
    cairo_arc(Cr(), x + s / 2, y + s / 2, 5.5 * k, 0, 2 * M_PI);
    m_c.SetColour(m_p.Get("rose"), 0.9);
    cairo_set_line_width(Cr(), 1.5 * k);
    cairo_stroke(Cr());
}

void TArtKit::Bubble(double x, double y, double s, double k) {  // a shiny bubble
    cairo_new_path(Cr());
    cairo_arc(Cr(), x + s / 2, y + s / 2, 9 * k, 0, 2 * M_PI);
    m_c.SetColour(m_p.Get("white"), 0.9);
    cairo_set_line_width(Cr(), 2 * k);
    cairo_stroke(Cr());
    cairo_arc(Cr(), x + s / 2 - 3 * k, y + s / 2 - 3 * k, 2.5 * k, 0, 2 * M_PI);
    cairo_fill(Cr());
}

void TArtKit::DialogHeader(const std::string& title, const std::string& caption) {
    Emblem(36, 34, 0.36);
    if (!title.empty()) Heading(66, 33, title, "white");
    if (!caption.empty()) Caption(67, 49, caption, "mist");
}

}  // namespace skin
