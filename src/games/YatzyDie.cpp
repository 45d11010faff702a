#include "games/YatzyDie.h"

#include "games/LayoutFields.h"
#include "graphics/Myimage.h"
#include "graphics/Paint.h"
#include "shell/MyTimer.h"

TYatzyDie::TYatzyDie(TMygfx* owner, int number, const std::string& section)
    : m_number(number), m_surface(owner->Paint()) {
    const std::string n = std::to_string(number);
    TLayoutFields place(section, "Dice" + n);
    m_x = place.Number(0, 0);
    m_y = place.Number(1, 0);
    m_strip = std::make_unique<TMyimage>(owner, "4_Di" + n);
    m_size = m_strip->Height();
    m_frames = m_size > 0 ? m_strip->Width() / m_size : 0;
    m_strip->SetTransparent(true);
    m_strip->MoveTo(m_x, m_y);
    m_heldImage = std::make_unique<TMyimage>(owner, "4_dice0" + n + "on");
    m_heldImage->SetTransparent(true);
    m_heldImage->MoveTo(m_x, m_y);
    m_heldImage->SetLayer(1);
    m_timer = std::make_unique<TMyTimer>();
    m_timer->SetInterval(kRollFrameMs);
    m_timer->OnTimer = [this](TMyTimer*) { Tick(); };
    m_surface->MoveSubscribers().Subscribe(this, [this](TPaint*, TShiftState shift, int x, int y) {
        if ((shift & platform::LeftButtonHeld) == 0) PointerMoved(x, y);
    });
    m_surface->DownSubscribers().Subscribe(
        this, [this](TPaint*, int button, TShiftState, int x, int y) { Pressed(button, x, y); });
}

TYatzyDie::~TYatzyDie() {
    m_surface->MoveSubscribers().Unsubscribe(this);
    m_surface->DownSubscribers().Unsubscribe(this);
}

void TYatzyDie::Blank() {
    m_timer->SetEnabled(false);
    m_step = 0;
    m_face = 0;
    m_held = false;
    m_strip->Hide();
    UpdateLit();
}

void TYatzyDie::ShowFace(int face) {
    m_timer->SetEnabled(false);
    m_step = 0;
    if (face < 1 || face > kFaces) {
        Blank();
        return;
    }
    m_face = face;
    ShowFrame(face);
}

void TYatzyDie::ShowFrame(int frame) {
    if (m_frames <= 0) return;
    const int column = (frame - 1) % m_frames;
    m_strip->SetClip({column * m_size, 0, (column + 1) * m_size, m_size});
    m_strip->MoveTo(m_x - column * m_size, m_y);
    if (!m_strip->Visible()) m_strip->Show();
}

void TYatzyDie::RollTo(int face) {
    m_face = face < 1 || face > kFaces ? 0 : face;
    m_held = false;
    UpdateLit();
    m_step = kRollSteps;
    ShowFrame(1);
    m_timer->SetEnabled(true);
}

// Tumbling shows the strip's extra frames in turn; a strip of faces only
// shows the faces in turn.
void TYatzyDie::Tick() {
    if (--m_step <= 0) {
        FinishRoll();
        return;
    }
    const int extra = m_frames - kFaces;
    const int frame = extra > 0 ? kFaces + 1 + m_step % extra : 1 + m_step % kFaces;
    ShowFrame(frame);
}

void TYatzyDie::FinishRoll() {
    if (m_step == 0 && !m_timer->Enabled()) return;
    ShowFace(m_face);
    UpdateLit();
}

void TYatzyDie::SetHeld(bool held) {
    m_held = held;
    UpdateLit();
}

void TYatzyDie::SetClickable(bool clickable) {
    m_clickable = clickable;
    UpdateLit();
}

void TYatzyDie::UpdateLit() {
    const bool lit = m_face != 0 && !Rolling() && (m_held || (m_hover && m_clickable));
    if (lit == m_lit) return;
    m_lit = lit;
    if (lit)
        m_heldImage->Show();
    else
        m_heldImage->Hide();
}

bool TYatzyDie::Inside(int x, int y) const {
    return x >= m_x && x < m_x + m_size && y >= m_y && y < m_y + m_size;
}

void TYatzyDie::PointerMoved(int x, int y) {
    const bool inside = Inside(x, y);
    if (inside == m_hover) return;
    m_hover = inside;
    if (inside && m_clickable && !m_held && m_face != 0 && !Rolling() && OnEnter) OnEnter(this);
    UpdateLit();
}

void TYatzyDie::Pressed(int button, int x, int y) {
    if (button != platform::ButtonLeft || !m_clickable || Rolling() || m_face == 0 || !Inside(x, y)) return;
    if (OnClick) OnClick(this);
}
