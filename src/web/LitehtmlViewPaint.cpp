// The view's pixels and the pointer over them.
#include <cairo.h>

#include "web/LitehtmlView.h"

namespace web {
namespace {

cairo_surface_t* Surface(void* surface) { return static_cast<cairo_surface_t*>(surface); }

}  // namespace

const uint32_t* TLitehtmlView::Pixels() {
    if (!m_surface) {
        m_surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, m_width, m_height);
        m_dirty = true;
    }
    if (m_dirty) Paint();
    cairo_surface_flush(Surface(m_surface));
    // cairo's ARGB32 rows are exactly width words long for these widths
    // (stride is width × 4 rounded to 4 bytes).
    return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(Surface(m_surface)));
}

// The background colour first, then the page scrolled by m_scroll.
void TLitehtmlView::Paint() {
    m_dirty = false;
    cairo_t* cr = cairo_create(Surface(m_surface));
    cairo_set_source_rgb(cr, ((m_background >> 16) & 0xFF) / 255.0, ((m_background >> 8) & 0xFF) / 255.0,
                         (m_background & 0xFF) / 255.0);
    cairo_paint(cr);
    if (m_document) {
        litehtml::position clip(0, 0, m_width, m_height);
        m_document->draw(reinterpret_cast<litehtml::uint_ptr>(cr), 0, -m_scroll, &clip);
    }
    cairo_destroy(cr);
}

void TLitehtmlView::HandleRedraw(bool changed, const litehtml::position::vector& boxes) {
    if (changed || !boxes.empty()) Changed();
}

void TLitehtmlView::MouseMove(int x, int y) {
    if (!m_document) return;
    litehtml::position::vector boxes;
    HandleRedraw(m_document->on_mouse_over(x, y + m_scroll, x, y, boxes), boxes);
}

void TLitehtmlView::MouseDown(int x, int y) {
    if (!m_document) return;
    litehtml::position::vector boxes;
    HandleRedraw(m_document->on_lbutton_down(x, y + m_scroll, x, y, boxes), boxes);
}

void TLitehtmlView::MouseUp(int x, int y) {
    if (!m_document) return;
    litehtml::position::vector boxes;
    HandleRedraw(m_document->on_lbutton_up(x, y + m_scroll, x, y, boxes), boxes);
}

void TLitehtmlView::MouseLeave() {
    if (!m_document) return;
    litehtml::position::vector boxes;
    HandleRedraw(m_document->on_mouse_leave(boxes), boxes);
}

}  // namespace web
