// TGammonbrick: one checker of a Backgammon preview, a sprite with two
// pictures: seen from above on a point ("peek_won" white, "peek_bon"
// black) and seen from the side in the tray ("peek_wof", "peek_bof").
// At rest it lies on the pieces' layer; flying, on a higher one, so it
// passes over the other checkers.
#pragma once

#include <memory>

class TMygfx;
class TMyimage;

class TGammonbrick {
public:
    TGammonbrick(TMygfx* parent, bool white, int restLayer, int flyingLayer);
    ~TGammonbrick();
    TGammonbrick(const TGammonbrick&) = delete;
    TGammonbrick& operator=(const TGammonbrick&) = delete;

    // At rest at (x, y), in the tray's picture or the point's.
    void Put(int x, int y, bool inTray);
    // One position of a flight, in the picture it has now.
    void Fly(int x, int y);
    void Hide();

    bool Visible() const;
    bool InTray() const { return m_inTray; }
    int X() const;
    int Y() const;
    TMyimage* PointImage() const { return m_point.get(); }
    TMyimage* TrayImage() const { return m_tray.get(); }

private:
    TMyimage& Shown() const { return m_inTray ? *m_tray : *m_point; }
    static void Raise(TMyimage& image, int layer, int x, int y);

    std::unique_ptr<TMyimage> m_point, m_tray;
    int m_restLayer, m_flyingLayer;
    bool m_inTray = false;
};
