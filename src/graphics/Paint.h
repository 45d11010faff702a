// TPaint: the paint surface of one skinned window, and the root of the
// window's tree of drawn objects (TMygfx).
//
// It creates the borderless platform window the size of its background
// image, centred in the desktop work area and shaped by settings.ini
// [Windows] (key: the background name; w, h, x, y, w2, h2: a rounded
// rectangle with w × h corners, and, with w2 and h2, the inner rounded
// rectangle from (x, y) to (width − x, height − y) with w2 × h2 corners cut
// out). The window's back buffer is the surface every sprite draws into, in
// the screen format; the platform's paint events copy the invalid area of it
// to the window.
//
// The back buffer is made when the window is first shown, not at creation:
// until then it is empty (no pixels, the screen's depth), every drawing
// clips to nothing, and the tree alone holds what the window shows. The
// first show makes the buffer and paints the whole tree into it, background
// first, before the window appears. A window hidden again keeps its buffer
// and goes on drawing into it, so showing it again needs no repaint.
//
// Mouse events fan out through four subscriber lists: moves (the window's own
// handler first, then dragging), presses (the window's own handler first,
// then the drag start), releases and wheel turns (in whole notches, toward
// zero, at window coordinates). The window is dragged by its top strip: a
// left press with 0 < y < 20 and 0 < x < width starts it, every move with
// the left button held moves the window so the grabbed point stays under the
// pointer, and a move without the button ends it.
//
// Activation: when the window loses activation a move to (−1, −1) goes
// through the move subscribers first, so every hover state ends, then the
// window's own handler runs. The application's activation and deactivation
// reach the window's handling too while it is the active window.
//
// Two flags stop output: while the update lock is set Update does nothing;
// while painting is suspended nothing is drawn into the back buffer and
// nothing copied to the window.
//
// During start-up the surface reports weight 50 to the progress hook.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graphics/Mouse.h"
#include "graphics/Mygfx.h"
#include "platform/Platform.h"

class TMybitmap;

// Every skinned window's caption.
inline constexpr char kApplicationTitle[] = "Quorvalendix";

// The handlers of the window's own (a form's events), each optional.
struct TFormEvents {
    TMousemove::THandler onMouseMove;   // the first move subscriber
    TMouseclick::THandler onMouseDown;  // the first press subscriber
    TMouseclick::THandler onMouseUp;    // the first release subscriber
    std::function<void()> onActivate;
    std::function<void()> onDeactivate;
    std::function<void(int key, unsigned shift)> onKeyDown;
    std::function<void(int key, unsigned shift)> onKeyUp;
    std::function<void(uint8_t ch)> onChar;
    std::function<void()> onCloseRequest;
};

class TPaint : public TMygfx {
public:
    // The window's top strip that drags it: 0 < y < kDragStripHeight.
    static constexpr int kDragStripHeight = 20;
    // A wheel notch in the platform's delta units.
    static constexpr int kWheelNotch = 120;

    // A window the size of the named background (loaded through the image
    // registry; a missing one ends the process).
    TPaint(const std::string& backgroundName, platform::WindowKind kind = platform::WindowKind::Normal,
           TFormEvents events = {});
    // A window without background, of the given size (a popup drawn entirely
    // by its sprites).
    TPaint(int width, int height, platform::WindowKind kind = platform::WindowKind::Normal,
           TFormEvents events = {});
    ~TPaint() override;

    // False when the platform could not create the window; then every
    // operation does nothing.
    bool Valid() const { return m_window != nullptr; }
    platform::IWindow* Window() const { return m_window.get(); }
    // The back buffer; empty (no pixels) when not valid or never shown.
    const platform::Surface& BackBuffer() const { return m_back; }
    // Makes the back buffer and paints the whole tree into it, unless it
    // exists: the first show does this, and so must whoever reads the pixels
    // of a window that was never shown.
    void MakeBackBuffer();
    bool HasBackBuffer() const { return m_back.pixels != nullptr; }
    int Width() const { return Bounds().Width(); }
    int Height() const { return Bounds().Height(); }

    TMybitmap* Background() const { return m_background; }
    const std::string& BackgroundName() const { return m_backgroundName; }
    // Takes the new background, copies it into the back buffer and redraws
    // the whole tree.
    void ChangeBackground(const std::string& name);

    TMousemove& MoveSubscribers() { return m_moveSubscribers; }
    TMouseclick& DownSubscribers() { return m_downSubscribers; }
    TMouseclick& UpSubscribers() { return m_upSubscribers; }
    TMousewheel& WheelSubscribers() { return m_wheelSubscribers; }

    // Draws the subtree of node within rect: clipped to the node's bounds,
    // the node first (unless painting is suspended), then each child in
    // order. Children that leave or enter a list during the walk neither
    // make a sibling be skipped nor be drawn twice.
    void Redraw(TMygfx* node, const TRect& rect);
    // Marks the window area for the next paint (no erasing).
    void Invalidate(const TRect& rect);
    // Asks for one paint of the pending area unless one is pending.
    void PostPaint();
    // Unless locked or suspended, the window paints its invalid area now.
    void Update();
    void SetLock(bool locked) { m_locked = locked; }
    bool Locked() const { return m_locked; }
    void SetSuspended(bool suspended) { m_suspended = suspended; }
    bool Suspended() const { return m_suspended; }
    // A disabled window ignores the mouse and the keyboard (a modal box of
    // its own is up); painting and activation go on.
    void SetInputEnabled(bool enabled) { m_inputEnabled = enabled; }
    bool InputEnabled() const { return m_inputEnabled; }
    bool PaintPosted() const { return m_paintPosted; }
    const TRect& PendingArea() const { return m_pending; }
    bool Dragging() const { return m_dragX != -1; }
    // Whether this window is the active one, as its activation events said.
    bool Active() const { return m_active; }

    // Marks the rectangle and copies the background's pixels of it into the
    // back buffer (unless suspended).
    void Draw(const TRect& rect) override;

    // The application's activation events, as the platform delivers them to
    // every paint surface.
    void ApplicationActivated();
    void ApplicationDeactivated();

private:
    friend class TMygfx;

    // The tree's walks in progress follow changes of the children lists.
    void ChildInserted(TMygfx* parent, int position);
    void ChildRemoved(TMygfx* parent, int position);
    void NodeGone(TMygfx* node);

    struct TWalk {
        TMygfx* node;
        int index;  // the child being drawn
    };

    void LoadBackground(const std::string& name);
    void CreateWindow(int width, int height, platform::WindowKind kind);
    void Attach(TFormEvents events);
    void RouteEvents();
    void SubscribeOwnHandlers();
    platform::WindowShape ReadShape() const;

    // Platform events.
    void OnPaint(const TRect& area);
    void OnMouseMove(int x, int y, unsigned shift);
    void OnMouseDown(int button, int x, int y, unsigned shift);
    void OnMouseUp(int button, int x, int y, unsigned shift);
    void OnMouseWheel(int delta, int x, int y, unsigned shift);
    void OnActivate();
    void OnDeactivate();

    // Window dragging, as move and press subscribers.
    void DragStart(int button, int x, int y);
    void DragMove(TShiftState shift, int x, int y);

    std::unique_ptr<platform::IWindow> m_window;
    platform::Surface m_back;
    TMybitmap* m_background = nullptr;
    std::string m_backgroundName;
    TFormEvents m_form;
    TMousemove m_moveSubscribers;
    TMouseclick m_downSubscribers;
    TMouseclick m_upSubscribers;
    TMousewheel m_wheelSubscribers;
    bool m_locked = false;
    bool m_suspended = false;
    bool m_inputEnabled = true;
    bool m_active = false;
    int m_dragX = -1, m_dragY = -1;
    bool m_paintPosted = false;
    TRect m_pending;
    std::vector<TWalk*> m_walks;
};
