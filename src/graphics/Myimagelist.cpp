#include "graphics/Myimagelist.h"

#include <algorithm>

#include "graphics/GreatBitmap.h"
#include "graphics/Myimage.h"
#include "graphics/Mybitmap.h"
#include "graphics/Paint.h"
#include "shell/MyTimer.h"

namespace {

TRect Offset(const TRect& r, int dx, int dy) {
    return TRect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

bool SameRect(const TRect& a, const TRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Fades move one level per interval over 32 levels; a later tick never needs
// more than that.
constexpr int64_t kMaxFadeStep = 32;

}  // namespace

// ---------------------------------------------------------------------------
// Creation and frames

TMyimagelist::TMyimagelist(TMygfx* parent, int x, int y)
    : TMygfx(parent), m_frames(TMybitmaplist::Create()), m_x(x), m_y(y) {
    PlaceBounds();
    Subscribe();
}

TMyimagelist::TMyimagelist(TMygfx* parent, const TMyimagelist& other, int x, int y)
    : TMygfx(parent), m_frames(other.m_frames), m_x(x), m_y(y) {
    m_frames->AddRef();
    if (m_frames->Count() > 0) TakeFirstFrame();
    PlaceBounds();
    Subscribe();
}

TMyimagelist::~TMyimagelist() {
    if (TPaint* paint = Paint()) {
        paint->MoveSubscribers().Unsubscribe(this);
        paint->DownSubscribers().Unsubscribe(this);
    }
    m_timer.reset();
    m_frames->Release();
}

void TMyimagelist::Subscribe() {
    TPaint* paint = Paint();
    if (!paint) return;
    paint->MoveSubscribers().Subscribe(this, [this](TPaint*, TShiftState shift, int x, int y) {
        OnMove(shift, x, y);
    });
    paint->DownSubscribers().Subscribe(
        this, [this](TPaint*, int button, TShiftState shift, int x, int y) {
            OnPress(button, shift, x, y);
        });
}

void TMyimagelist::Add(const std::string& name) {
    int before = FrameCount();
    m_frames->Add(name);
    if (before == 0 && FrameCount() > 0) TakeFirstFrame();
}

TMybitmaplist::TSequence TMyimagelist::AddFrames(const std::string& prefix) {
    int before = FrameCount();
    TMybitmaplist::TSequence sequence = m_frames->AddSequence(prefix);
    if (before == 0 && FrameCount() > 0) TakeFirstFrame();
    return sequence;
}

void TMyimagelist::AddBitmap(TMybitmap* bitmap) {
    if (!bitmap) return;
    int before = FrameCount();
    m_frames->AddBitmap(bitmap);
    if (before == 0 && FrameCount() > 0) TakeFirstFrame();
}

void TMyimagelist::TakeFirstFrame() {
    TMybitmap* first = m_frames->Get(0);
    m_width = first ? first->Width() : 0;
    m_height = first ? first->Height() : 0;
    m_clip = TRect{0, 0, m_width, m_height};
    PlaceBounds();
}

void TMyimagelist::PlaceBounds() { SetBounds(Offset(m_clip, m_x, m_y)); }

TMybitmap* TMyimagelist::CurrentBitmap() const {
    return m_current > 0 ? m_frames->Get(m_current - 1) : nullptr;
}

void TMyimagelist::SetFrame(int n) {
    if (n < 0 || n > FrameCount() || n == m_current) return;
    // A frame that repeats the shown picture changes nothing on screen.
    if (m_current > 0 && n > 0 && m_frames->Get(n - 1)->SamePicture(*CurrentBitmap())) {
        m_current = n;
        return;
    }
    if (m_visible && m_current > 0) {
        if (n != 0) {
            TMygfx::Detach();
        } else {
            TMygfx::Hide();
        }
    }
    m_current = n;
    if (m_visible && n > 0) Enter();
}

// ---------------------------------------------------------------------------
// Showing and drawing

void TMyimagelist::Enter() {
    TMygfx::Show();
    if (TPaint* paint = Paint()) paint->Redraw(Parent(), Bounds());
}

void TMyimagelist::Repaint() {
    if (!m_visible || !Shown()) return;
    if (TPaint* paint = Paint()) paint->Redraw(Parent(), Bounds());
}

void TMyimagelist::Show() {
    if (m_visible) return;
    m_visible = true;
    if (m_current > 0) Enter();
}

void TMyimagelist::Hide() {
    if (!m_visible) return;
    m_visible = false;
    TMygfx::Hide();
}

void TMyimagelist::Detach() {
    if (!m_visible) return;
    m_visible = false;
    TMygfx::Detach();
}

void TMyimagelist::Draw(const TRect& rect) {
    if (m_erasing) return;
    TMybitmap* bitmap = CurrentBitmap();
    TPaint* paint = Paint();
    if (!bitmap || !paint) return;
    TRect area = Intersect(rect, Bounds());
    if (Parent()) area = Intersect(area, Parent()->Bounds());
    if (area.Empty()) return;
    paint->Invalidate(area);
    if (paint->Suspended()) return;
    DrawSpritePart(*bitmap, paint->BackBuffer(), area, m_x, m_y, m_transparent, m_translucency);
}

void TMyimagelist::MoveTo(int x, int y) {
    if (x == m_x && y == m_y) return;
    bool wasVisible = m_visible;
    if (wasVisible) Hide();
    m_x = x;
    m_y = y;
    PlaceBounds();
    if (wasVisible) Show();
}

void TMyimagelist::SetClip(const TRect& source) {
    TRect clip = Intersect(source, TRect{0, 0, m_width, m_height});
    if (clip.Empty()) clip = TRect{};
    if (SameRect(clip, m_clip)) return;
    bool growsRight = clip.left == m_clip.left && clip.top == m_clip.top &&
                      clip.bottom == m_clip.bottom && clip.right > m_clip.right && !m_clip.Empty();
    if (growsRight) {
        TRect strip{m_clip.right, clip.top, clip.right, clip.bottom};
        m_clip = clip;
        PlaceBounds();
        if (m_visible) Draw(Offset(strip, m_x, m_y));
        return;
    }
    bool wasVisible = m_visible;
    if (wasVisible) Hide();
    m_clip = clip;
    PlaceBounds();
    if (wasVisible) Show();
}

void TMyimagelist::DrawFrameAt(int n, int x, int y) {
    if (n == 0) {
        EraseAt(x, y);
        return;
    }
    TMybitmap* bitmap = n > 0 ? m_frames->Get(n - 1) : nullptr;
    TPaint* paint = Paint();
    if (!bitmap || !paint) return;
    // A stamp is not in the tree, so a first show could not repaint it.
    paint->MakeBackBuffer();
    TRect area = Offset(m_clip, x, y);
    if (Parent()) area = Intersect(area, Parent()->Bounds());
    if (area.Empty()) return;
    paint->Invalidate(area);
    if (paint->Suspended()) return;
    DrawSpritePart(*bitmap, paint->BackBuffer(), area, x, y, m_transparent, m_translucency);
}

void TMyimagelist::EraseAt(int x, int y) {
    TPaint* paint = Paint();
    if (!paint) return;
    m_erasing = true;
    paint->Redraw(Parent(), TRect{x, y, x + m_width, y + m_height});
    m_erasing = false;
}

void TMyimagelist::SetTranslucency(int level) {
    m_translucency = std::clamp(level, 0, 32);
    if (m_translucency > 0) TGreatBitmap::Instance().TranslucencyTable();
}

// ---------------------------------------------------------------------------
// Hit testing

bool TMyimagelist::Inside(int x, int y) const {
    return x >= m_x && x < m_x + m_width && y >= m_y && y < m_y + m_height;
}

void TMyimagelist::OnMove(TShiftState shift, int x, int y) {
    bool over = m_visible && m_current > 0 && OnEnter && !(shift & platform::LeftButtonHeld) &&
                Inside(x, y);
    if (over) {
        if (m_hovering) return;
        m_hovering = true;
        TNotifyHandler enter = OnEnter;  // the handler may free this list
        enter(this);
        return;
    }
    if (!m_hovering) return;
    m_hovering = false;
    if (TLeaveHandler leave = OnLeave) leave(this, shift);
}

void TMyimagelist::OnPress(int button, TShiftState shift, int x, int y) {
    if (!OnClick || !Inside(x, y) || !m_visible || m_current == 0) return;
    if (!(shift & platform::LeftButtonHeld)) return;
    TClickHandler click = OnClick;
    click(this, button, shift, x, y);
}

// ---------------------------------------------------------------------------
// Animation

void TMyimagelist::StartTimer() {
    if (!m_timer) {
        m_timer = std::make_unique<TMyTimer>();
        m_timer->OnTick = [this](TMyTimer*, int64_t intervals) { Tick(intervals); };
    }
    m_timer->SetEnabled(false);
    m_timer->SetInterval(m_frameInterval);
    m_timer->SetEnabled(true);
}

void TMyimagelist::StopAnimation() {
    if (m_timer) m_timer->SetEnabled(false);
}

bool TMyimagelist::Animating() const { return m_timer && m_timer->Enabled(); }

void TMyimagelist::Animate(int first, int last, int loops) {
    StopAnimation();
    if (first == 0 || last == 0) {
        first = 1;
        last = FrameCount();
    }
    last = std::min(last, FrameCount());
    if (first < 1 || first > last) return;
    m_first = first;
    m_last = last;
    m_loops = std::max(loops, 0);
    StartTimer();
    SetFrame(first);
    if (m_loops == 0) m_timer->SetQuietIntervals(StepsUntilChange());
}

void TMyimagelist::FadeIn(int n) {
    StopAnimation();
    SetTranslucency(1);
    m_last = kFadeIn;
    m_loops = 1;
    if (n == m_current) {
        Repaint();
    } else {
        SetFrame(n);
    }
    StartTimer();
}

void TMyimagelist::FadeOut() {
    StopAnimation();
    SetTranslucency(32);
    m_last = kFadeOut;
    m_loops = 1;
    StartTimer();
}

void TMyimagelist::Tick(int64_t intervals) {
    if (intervals < 1) return;
    if (m_last == kFadeOut) {
        FadeOutStep(static_cast<int>(std::min(intervals, kMaxFadeStep)));
    } else if (m_last == kFadeIn) {
        FadeInStep(static_cast<int>(std::min(intervals, kMaxFadeStep)));
    } else {
        FrameStep(intervals);
    }
}

void TMyimagelist::FadeOutStep(int intervals) {
    int level = m_translucency - intervals;
    if (level > 0) {
        m_translucency = level;
        Repaint();
        return;
    }
    --m_loops;
    EndAnimation(true);
}

void TMyimagelist::FadeInStep(int intervals) {
    if (m_translucency + intervals < 32) {
        m_translucency += intervals;
        Repaint();
        return;
    }
    --m_loops;
    EndAnimation(false);
}

void TMyimagelist::FrameStep(int64_t intervals) {
    int64_t frame = m_current + intervals;
    if (frame > m_last) {
        int64_t span = m_last - m_first + 1;
        int64_t wraps = (frame - m_last - 1) / span + 1;
        if (m_loops != 0 && wraps >= m_loops) {
            m_loops = 0;
            EndAnimation(false);
            return;
        }
        if (m_loops != 0) m_loops -= static_cast<int>(wraps);
        frame -= wraps * span;
    }
    SetFrame(static_cast<int>(frame));
    if (m_loops == 0 && Animating()) m_timer->SetQuietIntervals(StepsUntilChange());
}

int64_t TMyimagelist::StepsUntilChange() const {
    const TMybitmap* shown = CurrentBitmap();
    if (!shown || m_first < 1 || m_last > FrameCount()) return 1;
    const int span = m_last - m_first + 1;
    int64_t steps = 1;
    for (int frame = m_current; steps < span; ++steps) {
        frame = frame >= m_last ? m_first : frame + 1;
        if (!m_frames->Get(frame - 1)->SamePicture(*shown)) break;
    }
    return steps;
}

// Stops the timer, puts the final picture up and tells the owner, who may
// free this list in the handler.
void TMyimagelist::EndAnimation(bool hide) {
    StopAnimation();
    if (m_last == kFadeOut || m_last == kFadeIn) {
        m_translucency = 0;
        if (hide) {
            Hide();
        } else {
            Repaint();
        }
    } else {
        SetFrame(m_last);
    }
    if (TNotifyHandler done = OnDone) done(this);
}

void TMyimagelist::FinishAnimation() {
    if (!Animating()) return;
    EndAnimation(m_last == kFadeOut);
}
