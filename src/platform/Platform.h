// The platform layer: the only code that touches the operating system or SDL.
//
// Everything above this layer runs on the main thread. The interface is split
// into facets (event loop, dialogs, I/O readiness, video, audio, shell) so that
// a backend can be read facet by facet; a process installs exactly one backend
// at start-up with Install() and reaches it through Current().
//
// Threads: only host lookups and the socket notifier run on threads of their
// own, and they do nothing but Post() to the main thread. Posting is the one
// operation that is safe from any thread. Periodic sources are deadlines of
// the loop itself: the loop sleeps until the next one is due.
//
// Errors: every handler the loop calls (window events, posted tasks, I/O
// readiness, periodic ticks) runs through RunHandler, so an exception that
// escapes it reaches the reporter the program installed instead of ending
// the process.
//
// Re-entry: ProcessMessages() may be called from inside a handler (modal waits
// pump the loop until a flag changes). Tasks posted during a ProcessMessages()
// call are run by the same call only if they were queued before it started
// draining, so a handler that re-posts itself cannot starve the loop.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

using Task = std::function<void()>;

// ---------------------------------------------------------------------------
// Event loop, cross-thread posting, time.
class IEventLoop {
public:
    virtual ~IEventLoop() = default;

    // Handles everything pending (window events, posted tasks, I/O readiness)
    // and returns without blocking.
    virtual void ProcessMessages() = 0;
    // Blocks until something arrives (an event, a posted task, readiness of a
    // watched descriptor), handles it and everything else pending, then
    // returns. Returns at once when terminated.
    virtual void WaitMessage() = 0;
    // Asks the loop to end; Terminated() turns true and stays true.
    virtual void Terminate() = 0;
    virtual bool Terminated() const = 0;

    // Queues a task for the main thread; safe from any thread. Returns false
    // when the queue does not accept it (the loop has terminated).
    virtual bool Post(Task task) = 0;

    // High-resolution counter and its frequency (counts per second).
    virtual int64_t Counter() const = 0;
    virtual int64_t Frequency() const = 0;

    // The periodic source's capabilities in milliseconds; false when they
    // cannot be read.
    virtual bool TimerCaps(int& minPeriodMs, int& maxPeriodMs) const = 0;
    // Starts a periodic callback every periodMs, called from the loop on the
    // main thread while it waits or handles messages (a late loop calls it
    // once, not once per missed period). The callback should only Post().
    // Returns an id > 0, or 0 on failure. Main thread only, like the two
    // below.
    virtual int StartPeriodic(int periodMs, std::function<void()> onTick) = 0;
    // Stops the periodic callback; it is not called again.
    virtual void StopPeriodic(int id) = 0;
    // No tick of the source is wanted before the counter reaches due: the
    // source skips its periods until then and the loop sleeps through them.
    // A due in the past asks for the next period again.
    virtual void SetPeriodicDue(int id, int64_t due) = 0;
};

// ---------------------------------------------------------------------------
// System message boxes, used before the skin exists or when it is broken.
enum class BoxKind { YesNo, Information, Error };
enum class BoxResult { Yes, No, Ok };

class IDialogs {
public:
    virtual ~IDialogs() = default;
    // Modal; text and caption are Windows-1252.
    virtual BoxResult MessageBox(BoxKind kind, const std::string& text,
                                 const std::string& caption) = 0;
};

// ---------------------------------------------------------------------------
// Readiness of file descriptors (sockets) and host-name lookup, delivered on
// the main thread.
enum IoEvent : unsigned {
    IoRead = 1,
    IoWrite = 2,
    IoError = 4,   // error condition on the descriptor
    IoHangup = 8,  // the peer closed
};

using IoHandler = std::function<void(int fd, unsigned events)>;
// Addresses are IPv4 in host byte order; empty when the lookup failed.
using LookupHandler = std::function<void(int lookupId, const std::vector<uint32_t>& addresses)>;

class IIo {
public:
    virtual ~IIo() = default;
    // Watches fd for the given IoRead/IoWrite mask (errors and hang-ups are
    // always reported). Readiness is level-triggered: the handler is called on
    // the main thread once per loop pass while the condition holds. Returns an
    // id > 0, or 0 on failure. Watching an fd twice replaces the first watch.
    virtual int Watch(int fd, unsigned events, IoHandler handler) = 0;
    // Changes the mask of a watch.
    virtual bool Modify(int watchId, unsigned events) = 0;
    // Ends a watch; a notification already queued for it is dropped.
    virtual void Unwatch(int watchId) = 0;

    // Resolves host on a helper thread; the handler runs on the main thread.
    // Returns an id > 0, or 0 when the lookup could not be started.
    virtual int LookupHost(const std::string& host, LookupHandler handler) = 0;
    // A cancelled lookup never calls its handler.
    virtual void CancelLookup(int lookupId) = 0;
};

// ---------------------------------------------------------------------------
// Windows, input and the display.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right, bottom exclusive
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
};

enum class WindowKind { Normal, StaysOnTop, Popup };

enum MouseButton { ButtonLeft = 1, ButtonRight = 2, ButtonMiddle = 3 };
// Shift states of key and mouse events: the keys held, and for mouse events
// also the buttons held (a press includes the pressed button, a release no
// longer includes the released one).
enum KeyShift : unsigned {
    ShiftKey = 1,
    CtrlKey = 2,
    AltKey = 4,
    LeftButtonHeld = 8,
    RightButtonHeld = 16,
    MiddleButtonHeld = 32,
};

// A rounded-rectangle outline with elliptic corners cornerW × cornerH over the
// whole window, optionally with the inner rounded rectangle from (holeX,
// holeY) to (width − holeX, height − holeY), corners holeW × holeH, cut out.
// All zero: rectangular. Window systems without shaped windows ignore it.
struct WindowShape {
    int cornerW = 0, cornerH = 0;
    int holeX = 0, holeY = 0, holeW = 0, holeH = 0;
};

struct WindowParams {
    int x = 0, y = 0, width = 0, height = 0;
    WindowKind kind = WindowKind::Normal;
    std::string title;  // Windows-1252
    WindowShape shape;
};

// A pixel surface in the screen format: rows of width × bytes-per-pixel.
struct Surface {
    uint8_t* pixels = nullptr;
    int width = 0, height = 0, pitch = 0, depth = 0;
};

// Events of one window; every field may be empty. Mouse move, down and up
// points are in window coordinates; wheel points are in screen coordinates
// (like PointerPosition) and the delta is in 120ths of a notch, positive away
// from the user.
struct WindowEvents {
    std::function<void(const Rect&)> onPaint;  // copy this area again
    std::function<void(int x, int y, unsigned shift)> onMouseMove;
    std::function<void(int button, int x, int y, unsigned shift)> onMouseDown;
    std::function<void(int button, int x, int y, unsigned shift)> onMouseUp;
    std::function<void(int delta, int x, int y, unsigned shift)> onMouseWheel;
    std::function<void(int key, unsigned shift)> onKeyDown;  // virtual-key numbers
    std::function<void(int key, unsigned shift)> onKeyUp;
    std::function<void(uint8_t ch)> onChar;  // Windows-1252 byte
    std::function<void()> onActivate;
    std::function<void()> onDeactivate;
    std::function<void()> onCloseRequest;
    // A hidden window is about to appear: the owner fills the back buffer
    // now, so the window's first frame is its whole face.
    std::function<void()> onShowing;
};

class IWindow {
public:
    virtual ~IWindow() = default;
    virtual void SetEvents(WindowEvents events) = 0;
    // The back buffer in the screen format, made (zeroed) by the first call,
    // so a window nobody draws into holds no pixels; valid until the window
    // is freed.
    virtual Surface BackBuffer() = 0;
    // The back buffer's bits per pixel, known before the buffer is made.
    virtual int Depth() const = 0;
    // Copies an area of the back buffer to the screen.
    virtual void Present(const Rect& area) = 0;
    // Asks for an onPaint of this area later (no erase); areas asked for
    // before the paint arrives are joined into one.
    virtual void Invalidate(const Rect& area) = 0;
    // Delivers the pending paint now, if any.
    virtual void Update() = 0;
    virtual void SetShape(const WindowShape& shape) = 0;
    // A window that appears gets an onPaint of its whole area.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    virtual void Move(int x, int y) = 0;
    // Shows only the top-left width × height of the window, at most the size
    // it was created with; the back buffer keeps its size (a popup that grows
    // out of its anchor). False where the platform cannot resize a window.
    virtual bool SetShownSize(int width, int height) {
        (void)width;
        (void)height;
        return false;
    }
    virtual Rect Bounds() const = 0;
    virtual void Focus() = 0;
    virtual bool Focused() const = 0;
    virtual void Minimize() = 0;
    virtual void BringToFront() = 0;
    virtual void SetTitle(const std::string& title) = 0;
};

struct DisplayMode {
    int width = 0, height = 0, depth = 0;
};

class IVideo {
public:
    virtual ~IVideo() = default;
    // Whole-application activation (a window of this program gained or the
    // last one lost the focus).
    virtual void SetApplicationEvents(std::function<void()> onActivate,
                                      std::function<void()> onDeactivate) = 0;
    virtual std::unique_ptr<IWindow> CreateWindow(const WindowParams& params) = 0;
    virtual DisplayMode CurrentMode() const = 0;
    // False where the platform cannot set display modes.
    virtual bool SetMode(const DisplayMode& mode) = 0;
    // False where the window system offers no display modes to set.
    virtual bool CanSetMode() const { return true; }
    virtual void RestoreMode() = 0;
    virtual Rect WorkArea() const = 0;
    virtual void PointerPosition(int& x, int& y) const = 0;
    virtual bool SetPointerPosition(int x, int y) = 0;  // false: cannot warp
    virtual void ConfinePointer(const Rect* area) = 0;  // null releases
    virtual std::string ClipboardText() const = 0;      // Windows-1252
    virtual void SetClipboardText(const std::string& text) = 0;
};

// Whole-rectangle helpers.
inline Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
           a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
    return r;
}
inline Rect Union(const Rect& a, const Rect& b) {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    Rect r{a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
           a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom};
    return r;
}

// ---------------------------------------------------------------------------
// Wave playback.
class IAudio {
public:
    virtual ~IAudio() = default;
    // Starts playing a wave file asynchronously; false when it cannot.
    virtual bool PlayWave(const std::string& path) = 0;
    virtual bool Playing() const = 0;
    virtual void StopAll() = 0;
};

// ---------------------------------------------------------------------------
// Starting other things, ending the process.
class IShell {
public:
    virtual ~IShell() = default;
    virtual bool OpenUrl(const std::string& url) = 0;
    virtual bool StartProgram(const std::string& path) = 0;
    // Ends the process with the exit code; does not return.
    [[noreturn]] virtual void Halt(int exitCode) = 0;
};

// ---------------------------------------------------------------------------
// A backend: the set of facets. Facets a backend does not offer yet are null.
struct Backend {
    std::unique_ptr<IEventLoop> loop;
    std::unique_ptr<IDialogs> dialogs;
    std::unique_ptr<IIo> io;
    std::unique_ptr<IVideo> video;
    std::unique_ptr<IAudio> audio;
    std::unique_ptr<IShell> shell;
};

// Installs the process's backend, replacing (and freeing) a previous one.
void Install(std::unique_ptr<Backend> backend);
// Frees the installed backend. A backend still installed when the process
// exits is left to the operating system.
void Uninstall();
bool Installed();
Backend& Current();

// The reporter of errors that escape a handler (the program shows its error
// box there); null lets them propagate, as tests and tools want.
void SetErrorReporter(std::function<void()> reporter);
// Runs a handler of the loop; with a reporter installed, an exception that
// escapes it is caught here and reported.
void RunHandler(const std::function<void()>& handler);

// Shortcuts for the facets every layer uses.
IEventLoop& Loop();
IDialogs& Dialogs();
IIo& Io();
IShell& Shell();
IVideo& Video();
IAudio& Audio();

}  // namespace platform
