// TYatzyDie: one of the six dice of the Yatzy window.
//
// Its look is the image strip "4_Di" + n: square frames side by side, the
// frames 1..6 the faces, any further frames the die tumbling. A roll shows
// the tumbling frames (the faces in turn when the strip has no more) and
// stops on the new face. The held image "4_dice0" + n + "on" lies over the
// face while the die is held, and while the pointer rests on a clickable
// die that is not held. The position is the layout line "Dice" + n (x, y).
//
// Mouse: while clickable and not rolling, a left press on the die calls
// OnClick; entering a clickable, not held die calls OnEnter (the window
// plays its sound). The die does not decide whether a click holds: the
// window does, from the rules.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "graphics/Mouse.h"

class TMygfx;
class TMyimage;
class TMyTimer;
class TPaint;

class TYatzyDie {
public:
    static constexpr int kFaces = 6;
    static constexpr int kRollFrameMs = 50;
    // Tumbling frames a roll shows before it stops on its face.
    static constexpr int kRollSteps = 10;

    TYatzyDie(TMygfx* owner, int number, const std::string& section);
    ~TYatzyDie();
    TYatzyDie(const TYatzyDie&) = delete;
    TYatzyDie& operator=(const TYatzyDie&) = delete;

    // No face, not held.
    void Blank();
    // Shows a face at once (1..6; anything else blanks).
    void ShowFace(int face);
    // Tumbles and stops on the face.
    void RollTo(int face);
    // Ends a roll at once on its face.
    void FinishRoll();
    void SetHeld(bool held);
    void SetClickable(bool clickable);

    int Number() const { return m_number; }
    int Face() const { return m_face; }
    bool Held() const { return m_held; }
    bool Clickable() const { return m_clickable; }
    bool Rolling() const { return m_step > 0; }
    // The held image is on show (held, or hovered while clickable).
    bool Lit() const { return m_lit; }
    int X() const { return m_x; }
    int Y() const { return m_y; }
    int Size() const { return m_size; }

    std::function<void(TYatzyDie* sender)> OnClick;
    std::function<void(TYatzyDie* sender)> OnEnter;

private:
    void ShowFrame(int frame);
    void UpdateLit();
    void Tick();
    bool Inside(int x, int y) const;
    void PointerMoved(int x, int y);
    void Pressed(int button, int x, int y);

    int m_number;
    int m_x = 0, m_y = 0, m_size = 0, m_frames = 0;
    int m_face = 0;
    bool m_held = false, m_clickable = false, m_hover = false, m_lit = false;
    int m_step = 0;  // tumbling frames left, 0 when still
    TPaint* m_surface = nullptr;
    std::unique_ptr<TMyimage> m_strip;
    std::unique_ptr<TMyimage> m_heldImage;
    std::unique_ptr<TMyTimer> m_timer;
};
