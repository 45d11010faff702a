#include "graphics/Paint.h"

#include <algorithm>

#include "graphics/GraphicsState.h"
#include "graphics/GreatBitmap.h"
#include "graphics/Mybitmap.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace {

// Weight of a window's paint surface in the start-up progress.
constexpr int kProgressWeight = 50;

// The application's activation events reach every paint surface, newest
// first. The platform holds one pair of application handlers; the first
// surface installs them and the last one removes them, so surfaces can come
// and go in any order.
class TApplicationActivation {
public:
    static void Add(TPaint* paint) {
        auto& list = GraphicsState().Surfaces;
        list.push_back(paint);
        if (list.size() == 1 && VideoAvailable()) {
            platform::Video().SetApplicationEvents([] { Dispatch(true); }, [] { Dispatch(false); });
        }
    }

    // A surface that outlives its context is no longer listed anywhere.
    static void Remove(TPaint* paint) {
        TGraphicsState* state = CurrentGraphicsState();
        if (!state) return;
        auto& list = state->Surfaces;
        if (std::find(list.begin(), list.end(), paint) == list.end()) return;
        std::erase(list, paint);
        if (list.empty() && VideoAvailable()) platform::Video().SetApplicationEvents(nullptr, nullptr);
    }

private:

    static bool VideoAvailable() {
        return platform::Installed() && platform::Current().video != nullptr;
    }

    // A handler may free surfaces, so each one is looked up again first.
    static void Dispatch(bool activated) {
        TGraphicsState* state = CurrentGraphicsState();
        if (!state) return;
        std::vector<TPaint*> snapshot = state->Surfaces;
        for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
            const auto& live = state->Surfaces;
            if (std::find(live.begin(), live.end(), *it) == live.end()) continue;
            if (activated) {
                (*it)->ApplicationActivated();
            } else {
                (*it)->ApplicationDeactivated();
            }
        }
    }
};

int ShapeField(std::string& fields) {
    int32_t value = 0;
    return ParseInteger(CutField(fields), value) ? value : 0;
}

unsigned ButtonHeldBit(int button) {
    switch (button) {
    case platform::ButtonLeft: return platform::LeftButtonHeld;
    case platform::ButtonRight: return platform::RightButtonHeld;
    case platform::ButtonMiddle: return platform::MiddleButtonHeld;
    default: return 0;
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// Creation and teardown

TPaint::TPaint(const std::string& backgroundName, platform::WindowKind kind, TFormEvents events)
    : TMygfx(TRootTag{}, this) {
    TGreatBitmap::Instance();
    LoadBackground(backgroundName);
    int width = m_background ? m_background->Width() : 0;
    int height = m_background ? m_background->Height() : 0;
    CreateWindow(width, height, kind);
    Attach(std::move(events));
}

TPaint::TPaint(int width, int height, platform::WindowKind kind, TFormEvents events)
    : TMygfx(TRootTag{}, this) {
    TGreatBitmap::Instance();
    CreateWindow(width, height, kind);
    Attach(std::move(events));
}

TPaint::~TPaint() {
    // Children leave first, while the walk bookkeeping still exists.
    DetachChildren();
    TApplicationActivation::Remove(this);
    if (m_window) m_window->SetEvents({});
    if (m_background) m_background->Release();
}

void TPaint::LoadBackground(const std::string& name) {
    m_backgroundName = name;
    if (name.empty()) return;
    m_background = TMybitmap::Acquire(LowerCaseAscii(name));
}

void TPaint::CreateWindow(int width, int height, platform::WindowKind kind) {
    platform::WindowParams params;
    platform::Rect work = platform::Video().WorkArea();
    params.width = width;
    params.height = height;
    params.x = work.left + (work.Width() - width) / 2;
    params.y = work.top + (work.Height() - height) / 2;
    params.kind = kind;
    params.title = kApplicationTitle;
    params.shape = ReadShape();
    if (width > 0 && height > 0) m_window = platform::Video().CreateWindow(params);
    // The buffer itself waits for the first show; sprites see the depth.
    if (m_window) m_back.depth = m_window->Depth();
    SetBounds(TRect{0, 0, m_window ? width : 0, m_window ? height : 0});
}

void TPaint::Attach(TFormEvents events) {
    m_form = std::move(events);
    SubscribeOwnHandlers();
    if (m_window) {
        m_active = m_window->Focused();
        RouteEvents();
        TApplicationActivation::Add(this);
    }
    TGreatBitmap::Instance().ReportProgress(this, kProgressWeight);
}

// The window's own handlers come first, then dragging.
void TPaint::SubscribeOwnHandlers() {
    m_moveSubscribers.Subscribe(&m_form.onMouseMove, m_form.onMouseMove);
    m_moveSubscribers.Subscribe(&m_dragX, [this](TPaint*, TShiftState shift, int x, int y) {
        DragMove(shift, x, y);
    });
    m_downSubscribers.Subscribe(&m_form.onMouseDown, m_form.onMouseDown);
    m_downSubscribers.Subscribe(&m_dragX, [this](TPaint*, int button, TShiftState, int x, int y) {
        DragStart(button, x, y);
    });
    m_upSubscribers.Subscribe(&m_form.onMouseUp, m_form.onMouseUp);
}

void TPaint::RouteEvents() {
    platform::WindowEvents events;
    events.onPaint = [this](const TRect& area) { OnPaint(area); };
    events.onMouseMove = [this](int x, int y, unsigned shift) { OnMouseMove(x, y, shift); };
    events.onMouseDown = [this](int b, int x, int y, unsigned shift) { OnMouseDown(b, x, y, shift); };
    events.onMouseUp = [this](int b, int x, int y, unsigned shift) { OnMouseUp(b, x, y, shift); };
    events.onMouseWheel = [this](int d, int x, int y, unsigned shift) { OnMouseWheel(d, x, y, shift); };
    events.onActivate = [this] { OnActivate(); };
    events.onDeactivate = [this] { OnDeactivate(); };
    events.onKeyDown = [this](int key, unsigned shift) {
        if (m_inputEnabled && m_form.onKeyDown) m_form.onKeyDown(key, shift);
    };
    events.onKeyUp = [this](int key, unsigned shift) {
        if (m_inputEnabled && m_form.onKeyUp) m_form.onKeyUp(key, shift);
    };
    events.onChar = [this](uint8_t ch) {
        if (m_inputEnabled && m_form.onChar) m_form.onChar(ch);
    };
    events.onCloseRequest = m_form.onCloseRequest;
    events.onShowing = [this] { MakeBackBuffer(); };
    m_window->SetEvents(std::move(events));
}

platform::WindowShape TPaint::ReadShape() const {
    platform::WindowShape shape;
    if (m_backgroundName.empty()) return shape;
    std::string fields = SettingsFile().ReadString("Windows", m_backgroundName, "");
    int w = ShapeField(fields), h = ShapeField(fields);
    int x = ShapeField(fields), y = ShapeField(fields);
    int w2 = ShapeField(fields), h2 = ShapeField(fields);
    if (w == 0 || h == 0) return shape;
    shape.cornerW = w;
    shape.cornerH = h;
    if (w2 != 0 && h2 != 0) {
        shape.holeX = x;
        shape.holeY = y;
        shape.holeW = w2;
        shape.holeH = h2;
    }
    return shape;
}

void TPaint::MakeBackBuffer() {
    if (!m_window || HasBackBuffer()) return;
    m_back = m_window->BackBuffer();
    Redraw(this, Bounds());
}

void TPaint::ChangeBackground(const std::string& name) {
    // The new one is taken before the old one goes, so the same name is not
    // decoded again.
    TMybitmap* old = m_background;
    m_background = nullptr;
    LoadBackground(name);
    if (old) old->Release();
    Redraw(this, Bounds());
}

// ---------------------------------------------------------------------------
// Drawing and the tree walk

void TPaint::Draw(const TRect& rect) {
    TRect area = Intersect(rect, Bounds());
    if (area.Empty()) return;
    Invalidate(area);
    if (m_suspended || !m_background || !HasBackBuffer()) return;
    m_background->DrawOpaque(area, m_back, area.left, area.top);
}

void TPaint::Redraw(TMygfx* node, const TRect& rect) {
    if (!node) return;
    TRect area = Intersect(rect, node->Bounds());
    if (area.Empty()) return;
    if (!m_suspended) node->Draw(area);
    TWalk walk{node, 0};
    m_walks.push_back(&walk);
    while (walk.node && walk.index < static_cast<int>(walk.node->Children().size())) {
        Redraw(walk.node->Children()[static_cast<size_t>(walk.index)], area);
        ++walk.index;
    }
    m_walks.pop_back();
}

void TPaint::ChildInserted(TMygfx* parent, int position) {
    for (TWalk* walk : m_walks) {
        if (walk->node == parent && position <= walk->index) ++walk->index;
    }
}

void TPaint::ChildRemoved(TMygfx* parent, int position) {
    for (TWalk* walk : m_walks) {
        if (walk->node == parent && position <= walk->index) --walk->index;
    }
}

void TPaint::NodeGone(TMygfx* node) {
    for (TWalk* walk : m_walks) {
        if (walk->node == node) walk->node = nullptr;
    }
}

// ---------------------------------------------------------------------------
// Copying to the window

void TPaint::Invalidate(const TRect& rect) {
    TRect area = Intersect(rect, Bounds());
    if (area.Empty() || !m_window) return;
    m_pending = Union(m_pending, area);
    m_paintPosted = true;
    m_window->Invalidate(area);
}

void TPaint::PostPaint() {
    if (m_paintPosted || !m_window || m_pending.Empty()) return;
    m_paintPosted = true;
    m_window->Invalidate(m_pending);
}

void TPaint::Update() {
    if (m_locked || m_suspended || !m_window) return;
    m_window->Update();
}

void TPaint::OnPaint(const TRect& area) {
    if (!m_suspended) m_window->Present(area);
    m_pending = TRect{};
    m_paintPosted = false;
}

// ---------------------------------------------------------------------------
// Input

void TPaint::OnMouseMove(int x, int y, unsigned shift) {
    if (!m_inputEnabled) return;
    m_moveSubscribers.Dispatch(this, shift, x, y);
}

void TPaint::OnMouseDown(int button, int x, int y, unsigned shift) {
    if (!m_inputEnabled) return;
    m_downSubscribers.Dispatch(this, button, shift | ButtonHeldBit(button), x, y);
}

void TPaint::OnMouseUp(int button, int x, int y, unsigned shift) {
    if (!m_inputEnabled) return;
    m_upSubscribers.Dispatch(this, button, shift & ~ButtonHeldBit(button), x, y);
}

void TPaint::OnMouseWheel(int delta, int x, int y, unsigned shift) {
    if (!m_inputEnabled) return;
    platform::Rect frame = m_window->Bounds();
    TPoint point{x - frame.left, y - frame.top};
    m_wheelSubscribers.Dispatch(this, shift, point, delta / kWheelNotch);
}

void TPaint::DragStart(int button, int x, int y) {
    if (button != platform::ButtonLeft || Dragging() || !m_window->Visible()) return;
    if (y <= 0 || y >= kDragStripHeight || y >= Height() || x <= 0 || x >= Width()) return;
    m_dragX = x;
    m_dragY = y;
}

void TPaint::DragMove(TShiftState shift, int x, int y) {
    if (!(shift & platform::LeftButtonHeld)) {
        m_dragX = m_dragY = -1;
        return;
    }
    if (!Dragging()) return;
    platform::Rect frame = m_window->Bounds();
    m_window->Move(frame.left + x - m_dragX, frame.top + y - m_dragY);
}

// ---------------------------------------------------------------------------
// Activation

void TPaint::OnActivate() {
    if (m_active) return;
    m_active = true;
    if (m_form.onActivate) m_form.onActivate();
}

void TPaint::OnDeactivate() {
    m_active = false;
    // Every hover state ends before the window's own handling.
    m_moveSubscribers.Dispatch(this, 0, -1, -1);
    if (m_form.onDeactivate) m_form.onDeactivate();
}

void TPaint::ApplicationActivated() {
    if (m_window && m_window->Focused()) OnActivate();
}

void TPaint::ApplicationDeactivated() {
    // A backend that tells the window itself has already been handled.
    if (m_active) OnDeactivate();
}
