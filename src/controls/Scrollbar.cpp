#include "controls/Scrollbar.h"

#include <algorithm>
#include <cstdlib>

#include "controls/Rollover.h"
#include "graphics/Mybitmap.h"
#include "graphics/Myimage.h"
#include "graphics/Paint.h"
#include "resources/StrFuncs.h"
#include "shell/MyTimer.h"

TScrollbar::TScrollbar(TMygfx* spriteOwner, const std::string& prefix, TChangeEvent onChange,
                       const void* owner, int height, int top, int x)
    : OnChange(std::move(onChange)),
      m_surface(spriteOwner ? spriteOwner->Paint() : nullptr),
      m_spriteOwner(spriteOwner),
      m_owner(owner),
      m_x(x),
      m_top(top),
      m_height(height),
      m_repeat(std::make_unique<TMyTimer>()) {
    m_up = std::make_unique<TRollover>(spriteOwner, "", prefix + "up",
                                       [this](TRollover* sender) { UpPressed(sender); });
    m_down = std::make_unique<TRollover>(spriteOwner, "", prefix + "do",
                                         [this](TRollover* sender) { DownPressed(sender); });
    m_up->SetPosition(x, top);
    m_down->SetPosition(x, top + height - m_up->ImageHeight());
    CreateThumb(prefix + "bar");
    m_thumbX = x + (m_up->ImageWidth() - m_thumb->Width()) / 2;
    m_trackLength = height - m_up->ImageHeight() - m_down->ImageHeight() - m_thumb->Height() -
                    2 * kTrackMargin;
    m_repeat->SetInterval(kRepeatMs);
    m_repeat->OnTimer = [this](TMyTimer*) { Repeat(); };
    Subscribe();
}

TScrollbar::~TScrollbar() {
    Unsubscribe();
    m_repeat->SetEnabled(false);
}

// A skin without a thumb image gets an invisible one pixel thumb, so the bar
// still works by its buttons and track.
void TScrollbar::CreateThumb(const std::string& name) {
    if (TMybitmap::Exists(LowerCaseAscii(name))) {
        m_thumb = std::make_unique<TMyimage>(m_spriteOwner, LowerCaseAscii(name));
    } else {
        m_thumb = std::make_unique<TMyimage>(
            m_spriteOwner, [](TMybitmap& bitmap, void*) { bitmap.Clear(); }, nullptr, 1, 1);
    }
    m_thumb->SetTransparent(true);
}

void TScrollbar::Subscribe() {
    if (!m_surface) return;
    m_surface->DownSubscribers().Subscribe(
        this, [this](TPaint*, int button, TShiftState shift, int x, int y) {
            ButtonDown(button, shift, x, y);
        });
    m_surface->UpSubscribers().Subscribe(
        this, [this](TPaint*, int button, TShiftState shift, int x, int y) {
            ButtonUp(button, shift, x, y);
        });
    m_surface->MoveSubscribers().Subscribe(
        this, [this](TPaint*, TShiftState shift, int x, int y) { PointerMoved(shift, x, y); });
    m_surface->WheelSubscribers().Subscribe(
        this, [this](TPaint*, TShiftState shift, TPoint point, int notches) {
            Wheel(shift, point, notches);
        });
}

void TScrollbar::Unsubscribe() {
    if (!m_surface) return;
    m_surface->DownSubscribers().Unsubscribe(this);
    m_surface->UpSubscribers().Unsubscribe(this);
    m_surface->MoveSubscribers().Unsubscribe(this);
    m_surface->WheelSubscribers().Unsubscribe(this);
}

int TScrollbar::Width() const { return m_up->ImageWidth(); }

int TScrollbar::ThumbY() const { return m_top + m_up->ImageHeight() + kTrackMargin + m_thumbOffset; }

// Showing and placing ----------------------------------------------------

void TScrollbar::Show() {
    m_visible = true;
    Place();
}

void TScrollbar::Hide() {
    HideParts();
    m_visible = false;
    m_dragging = false;
    m_repeat->SetEnabled(false);
}

void TScrollbar::HideParts() {
    if (m_up->Visible()) m_up->Hide();
    if (m_down->Visible()) m_down->Hide();
    if (m_thumbShown) m_thumb->Hide();
    m_thumbShown = false;
}

void TScrollbar::Place() {
    if (!m_visible) return;
    PlaceButtons();
    PlaceThumb();
}

void TScrollbar::PlaceButtons() {
    const bool upWanted = m_position > 0;
    const bool downWanted = m_position + 1 < m_range;
    if (upWanted != m_up->Visible()) upWanted ? m_up->Show() : m_up->Hide();
    if (downWanted != m_down->Visible()) downWanted ? m_down->Show() : m_down->Hide();
}

void TScrollbar::PlaceThumb() {
    if (m_range < 2) {
        if (m_thumbShown) m_thumb->Hide();
        m_thumbShown = false;
        return;
    }
    m_thumbOffset = m_position * std::max(0, m_trackLength) / (m_range - 1);
    m_thumb->MoveTo(m_thumbX, ThumbY());
    if (!m_thumbShown) m_thumb->Show();
    m_thumbShown = true;
}

// The pointer stays on the spot of the thumb it grabbed, also when the
// thumb snaps to a position.
void TScrollbar::KeepPointerOnThumb(int oldThumbY) {
    if (!m_dragging || !m_surface || !m_surface->Window() || ThumbY() == oldThumbY) return;
    int pointerX = 0, pointerY = 0;
    platform::Video().PointerPosition(pointerX, pointerY);
    const int windowY = ThumbY() + m_dragOffsetY;
    platform::Video().SetPointerPosition(pointerX, m_surface->Window()->Bounds().top + windowY);
    m_dragLastY = windowY;
}

// Position and range -----------------------------------------------------

void TScrollbar::SetPosition(int position) {
    m_position = std::clamp(position, 0, std::max(0, m_range - 1));
    if (!m_skipNextEvent && m_visible) {
        const int oldThumbY = ThumbY();
        Place();
        KeepPointerOnThumb(oldThumbY);
    }
    Changed();
}

void TScrollbar::Changed() {
    if (m_skipNextEvent) {
        m_skipNextEvent = false;
    } else if (OnChange) {
        OnChange(this);
    }
}

void TScrollbar::SetRange(int range) {
    if (range == m_range) return;
    m_range = range;
    if (range <= 1) {
        HideParts();
        m_position = 0;
        m_dragging = false;
    } else {
        // A hidden bar keeps a valid position for the next Show.
        m_position = std::min(m_position, range - 1);
        if (!m_skipNextEvent) Place();
    }
    m_skipNextEvent = false;
}

// The buttons ------------------------------------------------------------

void TScrollbar::UpPressed(TRollover*) {
    m_repeatDelta = -m_step;
    MoveBy(m_repeatDelta);
    if (m_up->Visible()) m_repeat->SetEnabled(true);
}

void TScrollbar::DownPressed(TRollover*) {
    m_repeatDelta = m_step;
    MoveBy(m_repeatDelta);
    if (m_down->Visible()) m_repeat->SetEnabled(true);
}

void TScrollbar::Repeat() {
    if (m_up->Pressed() && m_up->Visible()) {
        MoveBy(-m_step);
    } else if (m_down->Pressed() && m_down->Visible()) {
        MoveBy(m_step);
    } else {
        m_repeat->SetEnabled(false);
    }
}

// The track and the thumb -----------------------------------------------

bool TScrollbar::InThumbColumn(int x) const {
    return x >= m_thumbX && x < m_thumbX + m_thumb->Width();
}

void TScrollbar::ButtonDown(int button, TShiftState, int x, int y) {
    if (button != platform::ButtonLeft || !m_visible || !m_thumbShown || !InThumbColumn(x)) return;
    const int trackTop = m_top + m_up->ImageHeight();
    const int trackBottom = m_top + m_height - m_down->ImageHeight();
    if (y < trackTop || y >= trackBottom) return;
    const int thumbTop = ThumbY();
    const int jump = m_page > 0 ? m_page : 1;
    if (y < thumbTop) {
        MoveBy(-jump);
    } else if (y >= thumbTop + m_thumb->Height()) {
        MoveBy(jump);
    } else {
        m_dragging = true;
        m_dragOffsetY = y - thumbTop;
        m_dragLastY = y;
    }
}

void TScrollbar::ButtonUp(int button, TShiftState, int, int) {
    if (button == platform::ButtonLeft) m_dragging = false;
}

void TScrollbar::PointerMoved(TShiftState shift, int x, int y) {
    if (!m_dragging || !(shift & platform::LeftButtonHeld)) return;
    if (x < m_thumbX - kDragSlack || x >= m_thumbX + m_thumb->Width() + kDragSlack) return;
    Drag(y);
}

// The thumb's top follows the pointer through the track; each move takes at
// least one position in its direction, so slow drags over a long range
// still advance.
void TScrollbar::Drag(int y) {
    if (m_range < 2 || m_trackLength <= 0 || y == m_dragLastY) return;
    if (m_range < m_trackLength && std::abs(y - m_dragLastY) < 2) return;
    const bool down = y > m_dragLastY;
    m_dragLastY = y;
    const int offset = y - m_dragOffsetY - (m_top + m_up->ImageHeight() + kTrackMargin);
    int wanted = offset * (m_range - 1) / m_trackLength;
    if (down) {
        wanted = std::min(wanted, m_range - 1);
        if (wanted == m_position) ++wanted;
        if (wanted > m_position && m_position < m_range - 1) SetPosition(wanted);
    } else if (wanted < m_position) {
        SetPosition(wanted);
    }
}

void TScrollbar::Wheel(TShiftState, TPoint point, int notches) {
    if (!m_visible || notches == 0) return;
    if (point.x < m_x || point.x >= m_x + Width()) return;
    if (point.y < m_top + m_up->ImageHeight() || point.y >= m_top + m_height - m_down->ImageHeight())
        return;
    MoveBy(-notches * m_step);
}
