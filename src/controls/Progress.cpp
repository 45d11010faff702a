#include "controls/Progress.h"

#include <algorithm>

#include "graphics/Myimage.h"
#include "graphics/Paint.h"

TProgress::TProgress(TPaint* surface, const std::string& element, int y, int x)
    : m_image(std::make_unique<TMyimage>(surface, element)), m_surface(surface), m_x(x), m_y(y) {
    m_imageWidth = m_image->Width();
    m_imageHeight = m_image->Height();
    m_image->MoveTo(x, y);
    m_image->SetClip(TRect{0, 0, 0, m_imageHeight});
}

TProgress::~TProgress() = default;

// Positions beyond the maximum (or below 0) show the full (or no) size.
int TProgress::Scale(int position, int size, int maximum) {
    int64_t total = maximum;
    int64_t part = position;
    if (total < 0) {
        total = -total;
        part = -part;
    }
    part = std::clamp<int64_t>(part, 0, total);
    const int64_t product = part * size;
    int64_t quotient = product / total;
    const int64_t twice = (product % total) * 2;
    if (twice > total || (twice == total && quotient % 2 != 0)) ++quotient;
    return static_cast<int>(std::clamp<int64_t>(quotient, 0, size));
}

void TProgress::SetPosition(int position) {
    m_position = position;
    if (m_maximum == 0) return;
    const int shown = Scale(position, m_imageWidth, m_maximum);
    if (shown == m_shown) return;
    m_shown = shown;
    m_image->SetClip(TRect{0, 0, shown, m_imageHeight});
    if (m_surface) m_surface->Update();
}

void TProgress::Show() {
    SetPosition(m_position);
    m_visible = true;
    m_image->Show();
}

void TProgress::Hide() {
    m_visible = false;
    m_image->Hide();
}
