#include "controls/Column.h"

#include "controls/Progress.h"
#include "graphics/Myimage.h"
#include "graphics/Paint.h"

TColumn::TColumn(TPaint* surface, const std::string& element, int y, int x)
    : m_image(std::make_unique<TMyimage>(surface, element)), m_surface(surface), m_x(x), m_y(y) {
    m_imageWidth = m_image->Width();
    m_imageHeight = m_image->Height();
    m_image->MoveTo(x, y);
    m_image->SetClip(TRect{0, m_imageHeight, m_imageWidth, m_imageHeight});
}

TColumn::~TColumn() = default;

void TColumn::SetPosition(int position) {
    m_position = position;
    const int shown = m_maximum == 0 ? 0 : TProgress::Scale(position, m_imageHeight, m_maximum);
    if (shown == m_shown) return;
    m_shown = shown;
    m_image->SetClip(TRect{0, m_imageHeight - shown, m_imageWidth, m_imageHeight});
    if (m_surface) m_surface->Update();
}

void TColumn::Show() {
    SetPosition(m_position);
    m_visible = true;
    m_image->Show();
}

void TColumn::Hide() {
    m_visible = false;
    m_image->Hide();
}

void TColumn::SetTransparent(bool transparent) {
    m_image->SetTransparent(transparent);
    if (!m_image->Visible()) return;
    m_image->Hide();
    m_image->Show();
}
