#include "lobby/Gammonbrick.h"

#include "graphics/Myimage.h"

TGammonbrick::TGammonbrick(TMygfx* parent, bool white, int restLayer, int flyingLayer)
    : m_point(std::make_unique<TMyimage>(parent, white ? "peek_won" : "peek_bon")),
      m_tray(std::make_unique<TMyimage>(parent, white ? "peek_wof" : "peek_bof")),
      m_restLayer(restLayer),
      m_flyingLayer(flyingLayer) {
    for (TMyimage* image : {m_point.get(), m_tray.get()}) {
        image->SetTransparent(true);
        image->SetLayer(restLayer);
    }
}

TGammonbrick::~TGammonbrick() = default;

bool TGammonbrick::Visible() const { return Shown().Visible(); }
int TGammonbrick::X() const { return Shown().X(); }
int TGammonbrick::Y() const { return Shown().Y(); }

// Moves the picture, re-entering the drawn tree when its layer changes.
void TGammonbrick::Raise(TMyimage& image, int layer, int x, int y) {
    if (image.Visible() && image.Layer() == layer) {
        image.MoveTo(x, y);
        return;
    }
    image.Hide();
    image.SetLayer(layer);
    image.MoveTo(x, y);
    image.Show();
}

void TGammonbrick::Put(int x, int y, bool inTray) {
    if (inTray != m_inTray) Shown().Hide();
    m_inTray = inTray;
    TMyimage& image = Shown();
    if (image.Visible() && image.X() == x && image.Y() == y && image.Layer() == m_restLayer) return;
    // Shown again, it lies over the checkers already at rest: the top of its
    // stack.
    image.Hide();
    image.SetLayer(m_restLayer);
    image.MoveTo(x, y);
    image.Show();
}

void TGammonbrick::Fly(int x, int y) { Raise(Shown(), m_flyingLayer, x, y); }

void TGammonbrick::Hide() {
    m_point->Hide();
    m_tray->Hide();
}
