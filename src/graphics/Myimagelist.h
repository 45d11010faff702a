// TMyimagelist: a sprite with numbered frames (1-based; frame 0 shows
// nothing), frame animation, fades, and hover and click detection of its own.
//
// Width, height and the source rectangle come from frame 1 when the first
// frame arrives; all frames are drawn through that rectangle at (x, y).
// Unlike TMyimage, showing an image list redraws the whole stack of its
// parent in its area, so it appears at its proper layer (under a sprite of a
// higher layer). Changing the frame of a visible list does the same.
//
// Animation runs on a TMyTimer ticking at the frame interval; a late tick of
// n intervals advances n frames at once, wrapping from the last frame to the
// first and counting loops (0 = endless). When the loops are used up the
// last frame stays and on done is called. FadeIn raises the translucency
// level from 1 by one per interval; at 32 the list draws opaque again and on
// done is called. FadeOut lowers it from 32; at 0 the list hides and on done
// is called.
//
// Hit testing: the list subscribes to its window's moves and presses, keyed
// by itself. While it is visible, shows a frame, has an on-enter handler and
// the left button is up, a move inside [x, x + width) × [y, y + height)
// enters (on enter, once); any other move while hovering leaves (on leave).
// A press of the left button inside a visible frame calls on click. The
// handlers may free the list; it then touches nothing after the call.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "graphics/Mouse.h"
#include "graphics/Mybitmaplist.h"
#include "graphics/Mygfx.h"

class TMybitmap;
class TMyTimer;

class TMyimagelist : public TMygfx {
public:
    using TClickHandler =
        std::function<void(TMyimagelist* sender, int button, TShiftState shift, int x, int y)>;
    using TNotifyHandler = std::function<void(TMyimagelist* sender)>;
    using TLeaveHandler = std::function<void(TMyimagelist* sender, TShiftState shift)>;

    // Animation modes kept where the last frame would be.
    static constexpr int kFadeOut = -1;
    static constexpr int kFadeIn = -2;
    // The frame interval until the owner sets one.
    static constexpr int kDefaultFrameInterval = 100;

    // An empty list at (x, y), subscribed to the window's moves and presses.
    TMyimagelist(TMygfx* parent, int x, int y);
    // Shares the other list's frames (one more reference).
    TMyimagelist(TMygfx* parent, const TMyimagelist& other, int x, int y);
    ~TMyimagelist() override;

    // Appends frames; the first frame fixes width, height and the source
    // rectangle.
    void Add(const std::string& name);
    TMybitmaplist::TSequence AddFrames(const std::string& prefix);
    void AddBitmap(TMybitmap* bitmap);

    // Ignored beyond the frame count, below 0, or when n is already shown.
    void SetFrame(int n);
    int Frame() const { return m_current; }
    int FrameCount() const { return m_frames ? m_frames->Count() : 0; }
    TMybitmaplist* Frames() const { return m_frames; }

    void Show() override;
    void Hide() override;
    void Detach() override;
    void Draw(const TRect& rect) override;

    void MoveTo(int x, int y);
    void SetX(int x) { MoveTo(x, m_y); }
    void SetY(int y) { MoveTo(m_x, y); }
    void SetClip(const TRect& source);
    // Paints frame n once at (x, y) without changing position or frame;
    // n = 0 erases that area instead. A window never shown gets its back
    // buffer for a frame.
    void DrawFrameAt(int n, int x, int y);
    // Redraws the parent's subtree in this list's size at (x, y), leaving
    // this list out.
    void EraseAt(int x, int y);
    void SetTransparent(bool transparent) { m_transparent = transparent; }
    // Level 0 ... 32 (0 and 32: not translucent); builds the translucency
    // table on first use. Takes effect at the next drawing.
    void SetTranslucency(int level);

    // Stops a running animation and runs frames first ... last (0 for either:
    // all frames), loops times (0: endless), starting with frame first.
    void Animate(int first, int last, int loops);
    // Shows frame n at level 1 and fades it in.
    void FadeIn(int n);
    // Fades the shown frame out from level 32 and hides the list at 0.
    void FadeOut();
    // Ends a running animation as its last tick would: the last frame (or the
    // end of the fade) is shown and on done is called.
    void FinishAnimation();
    void StopAnimation();
    bool Animating() const;
    void SetFrameInterval(int ms) { m_frameInterval = ms; }
    int FrameInterval() const { return m_frameInterval; }

    int X() const { return m_x; }
    int Y() const { return m_y; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const TRect& Clip() const { return m_clip; }
    bool Visible() const { return m_visible; }
    bool Transparent() const { return m_transparent; }
    int Translucency() const { return m_translucency; }
    bool Hovering() const { return m_hovering; }

    TClickHandler OnClick;
    TNotifyHandler OnEnter;
    TLeaveHandler OnLeave;
    TNotifyHandler OnDone;

private:
    void Subscribe();
    void TakeFirstFrame();
    void PlaceBounds();
    TMybitmap* CurrentBitmap() const;
    bool Inside(int x, int y) const;
    // Enters the parent's children and redraws the parent's stack in the
    // bounds, so the frame appears at its layer.
    void Enter();
    void Repaint();
    void StartTimer();

    // Subscriptions.
    void OnMove(TShiftState shift, int x, int y);
    void OnPress(int button, TShiftState shift, int x, int y);

    // Animation steps; each returns after calling on done.
    void Tick(int64_t intervals);
    void FadeOutStep(int intervals);
    void FadeInStep(int intervals);
    void FrameStep(int64_t intervals);
    // Of an endless animation: how many frame steps from the shown frame
    // until a different picture shows (frames may repeat a picture, like a
    // caret that stays lit for several frames). At least 1.
    int64_t StepsUntilChange() const;
    void EndAnimation(bool hide);

    TMybitmaplist* m_frames = nullptr;
    int m_x = 0, m_y = 0;
    int m_width = 0, m_height = 0;
    TRect m_clip;
    int m_current = 0;
    bool m_visible = false;
    bool m_transparent = false;
    int m_translucency = 0;
    bool m_hovering = false;
    bool m_erasing = false;
    int m_frameInterval = kDefaultFrameInterval;
    int m_first = 0, m_last = 0, m_loops = 0;
    std::unique_ptr<TMyTimer> m_timer;
};
