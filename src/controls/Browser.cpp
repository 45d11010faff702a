#include "controls/Browser.h"

#include <algorithm>
#include <random>

#include "controls/Scrollbar.h"
#include "controls/WebUrls.h"
#include "graphics/Paint.h"
#include "platform/Platform.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"
#include "web/WebView.h"

namespace {

constexpr int kMsPerSecond = 1000;

struct TPlacement {
    TRect area;
    TColour colour = 0;
    bool newWindowLinks = false, zeroMargins = false;
};

int Number(std::string& fields) {
    int32_t value = 0;
    return ParseInteger(CutField(fields), value) ? value : 0;
}

bool Flag(std::string& fields) { return LowerCaseAscii(CutField(fields)) == "true"; }

TPlacement ReadPlacement(const std::string& section, const std::string& key) {
    std::string fields = SettingsFile().ReadString(section, key, "");
    TPlacement placement;
    const int left = Number(fields), top = Number(fields);
    const int width = std::clamp(Number(fields), 0, 4096), height = std::clamp(Number(fields), 0, 4096);
    placement.area = TRect{left, top, left + width, top + height};
    placement.colour = static_cast<TColour>(Number(fields)) & 0xFFFFFF;
    placement.newWindowLinks = Flag(fields);
    placement.zeroMargins = Flag(fields);
    return placement;
}

uint32_t DefaultRandom() {
    static std::mt19937 generator{std::random_device{}()};
    return static_cast<uint32_t>(generator());
}

// The skin's 0x00BBGGRR turned into the page's 0xRRGGBB: red and blue swap.
uint32_t PageColour(TColour colour) {
    return uint32_t(ColourRed(colour)) << 16 | uint32_t(ColourGreen(colour)) << 8 | ColourBlue(colour);
}

}  // namespace

std::function<uint32_t()> TBrowser::Random = DefaultRandom;

TBrowser::TBrowser(TMygfx* parent, const std::string& section, const std::string& key, int refreshSeconds)
    : TMygfx(parent) {
    const TPlacement placement = ReadPlacement(section, key);
    SetBounds(placement.area);
    m_colour = placement.colour;
    m_newWindowLinks = placement.newWindowLinks;
    m_zeroMargins = placement.zeroMargins;
    CreateViews(refreshSeconds);
}

TBrowser::TBrowser(TMygfx* parent, const TRect& area, TColour colour, bool newWindowLinks, bool zeroMargins,
                   int refreshSeconds)
    : TMygfx(parent), m_colour(colour), m_newWindowLinks(newWindowLinks), m_zeroMargins(zeroMargins) {
    SetBounds(area);
    CreateViews(refreshSeconds);
}

TBrowser::~TBrowser() {
    Unsubscribe();
    m_bar.reset();
    m_timer.reset();
}

void TBrowser::CreateViews(int refreshSeconds) {
    m_refresh = std::max(0, refreshSeconds);
    const int count = m_refresh > 0 ? 2 : 1;
    for (int i = 0; i < count; ++i) {
        m_views[i] = web::CreateWebView(Bounds().Width(), Bounds().Height());
        Attach(*m_views[i], i);
    }
    if (m_refresh > 0) {
        m_timer = std::make_unique<TMyTimer>();
        m_timer->SetInterval(int64_t{m_refresh} * kMsPerSecond);
        m_timer->OnTimer = [this](TMyTimer*) { RefreshTick(); };
    }
}

void TBrowser::Attach(web::IWebView& view, int index) {
    view.SetBackground(PageColour(m_colour));
    view.SetZeroMargins(m_zeroMargins);
    view.SetLinksOpenNewWindow(m_newWindowLinks);
    view.OnComplete = [this, index] { Completed(index); };
    view.OnError = [this, index](const std::string&) { Failed(index); };
    view.OnNewWindow = [this](const std::string& url) { NewWindow(url); };
    view.OnChanged = [this, index] {
        if (index == m_front) Repaint();
    };
}

// --- loading ----------------------------------------------------------------------

void TBrowser::Navigate(web::IWebView& view) { view.Navigate(FetchableForm(WithRand(m_url, Random()))); }

void TBrowser::Load(const std::string& url) {
    m_url = url;
    m_pending = true;
    if (m_wanted || m_loadsHidden) StartLoad();
}

void TBrowser::StartLoad() {
    m_pending = false;
    m_loaded = false;
    if (BackView()) BackView()->Stop();
    Navigate(View());
}

void TBrowser::Completed(int index) {
    if (index != m_front) {
        // The refreshed page is ready behind the shown one: swap them.
        m_front = index;
        View().ScrollTo(m_views[1 - index]->ScrollPos());
    }
    m_loaded = true;
    m_errorPage = false;
    UpdateBar();
    if (m_wanted) {
        TMygfx::Show();
        Repaint();
    }
    if (OnLoaded) OnLoaded(this);
}

void TBrowser::Failed(int index) {
    if (index != m_front) return;  // a failed refresh keeps the shown page
    m_loaded = true;
    m_errorPage = true;
    if (m_wanted) {
        TMygfx::Show();
        Repaint();
    }
}

void TBrowser::RefreshTick() {
    if (m_url.empty() || !BackView()) return;
    Navigate(*BackView());
}

// An "obwindow=" request opens a pop-up of its size or nothing at all.
void TBrowser::NewWindow(const std::string& url) {
    if (LowerCaseAscii(url).find("obwindow=") != std::string::npos) {
        int width = 0, height = 0;
        if (ObwindowSize(url, width, height) && OnPopup) OnPopup(url, width, height);
        return;
    }
    if (m_newWindowLinks) platform::Shell().OpenUrl(url);
}

// --- showing ------------------------------------------------------------------------

void TBrowser::Show() {
    m_wanted = true;
    if (m_pending) StartLoad();
    if (m_timer) m_timer->SetEnabled(true);
    Subscribe();
    if (m_loaded || m_errorPage) {
        TMygfx::Show();
        Repaint();
    }
    UpdateBar();
}

void TBrowser::Hide() {
    m_wanted = false;
    if (m_timer) m_timer->SetEnabled(false);
    Unsubscribe();
    if (m_bar) m_bar->Hide();
    TMygfx::Hide();
}

void TBrowser::SetScrollable(bool scrollable) {
    m_scrollable = scrollable;
    UpdateBar();
}

void TBrowser::UpdateBar() {
    const bool wanted = m_scrollable && m_loaded && View().ScrollRange() > 0;
    if (!wanted) {
        if (m_bar) m_bar->Hide();
        return;
    }
    if (!m_bar) {
        m_bar = std::make_unique<TScrollbar>(
            Parent(), "List", [this](TScrollbar* bar) { View().ScrollTo(bar->Position()); }, this,
            Bounds().Height(), Bounds().top, Bounds().right + kScrollGap);
        m_bar->SetStep(kScrollStep);
        m_bar->SetPage(Bounds().Height());
    }
    m_bar->SkipNextEvent();
    m_bar->SetRange(View().ScrollRange() + 1);
    if (m_wanted) m_bar->Show();
    FollowScroll();
}

// --- drawing ------------------------------------------------------------------------

void TBrowser::Repaint() {
    if (!Shown() || !Paint()) return;
    Paint()->Redraw(this, Bounds());
}

// The view's pixels converted to the screen's format, row by row.
void TBrowser::Draw(const TRect& rect) {
    TPaint* paint = Paint();
    if (!paint) return;
    const TRect part = Intersect(rect, Bounds());
    if (part.Empty()) return;
    paint->Invalidate(part);
    if (paint->Suspended()) return;
    const platform::Surface& back = paint->BackBuffer();
    const TRect target = Intersect(part, TRect{0, 0, back.width, back.height});
    if (target.Empty() || !back.pixels) return;
    web::IWebView& view = View();
    const uint32_t* pixels = view.Pixels();
    const int bytes = DepthBytesPerPixel(back.depth);
    for (int y = target.top; y < target.bottom; ++y) {
        const int sy = y - Bounds().top;
        if (sy >= view.Height()) break;
        uint8_t* out = back.pixels + static_cast<ptrdiff_t>(y) * back.pitch;
        for (int x = target.left; x < target.right; ++x) {
            const int sx = x - Bounds().left;
            if (sx >= view.Width()) break;
            const uint32_t argb = pixels[static_cast<size_t>(sy) * static_cast<size_t>(view.Width()) + sx];
            const TColour colour = RgbColour(uint8_t(argb >> 16), uint8_t(argb >> 8), uint8_t(argb));
            StorePixel(out + static_cast<ptrdiff_t>(x) * bytes, bytes, ColourToPixel(colour, back.depth));
        }
    }
}

// --- the mouse ----------------------------------------------------------------------

void TBrowser::Subscribe() {
    TPaint* paint = Paint();
    if (!paint || m_subscribed) return;
    m_subscribed = true;
    paint->MoveSubscribers().Subscribe(this, [this](TPaint*, TShiftState, int x, int y) { Moved(x, y); });
    paint->DownSubscribers().Subscribe(
        this, [this](TPaint*, int button, TShiftState, int x, int y) { Pressed(button, x, y); });
    paint->UpSubscribers().Subscribe(
        this, [this](TPaint*, int button, TShiftState, int x, int y) { Released(button, x, y); });
    paint->WheelSubscribers().Subscribe(
        this, [this](TPaint*, TShiftState, TPoint point, int notches) { Wheeled(point, notches); });
}

void TBrowser::Unsubscribe() {
    TPaint* paint = Paint();
    if (!paint || !m_subscribed) return;
    m_subscribed = false;
    paint->MoveSubscribers().Unsubscribe(this);
    paint->DownSubscribers().Unsubscribe(this);
    paint->UpSubscribers().Unsubscribe(this);
    paint->WheelSubscribers().Unsubscribe(this);
    m_hover = m_pressed = false;
}

bool TBrowser::Inside(int x, int y) const {
    return Shown() && x >= Bounds().left && x < Bounds().right && y >= Bounds().top && y < Bounds().bottom;
}

void TBrowser::Moved(int x, int y) {
    const bool inside = Inside(x, y);
    if (inside && !m_hover && OnEnter) OnEnter(this);
    if (!inside && m_hover) View().MouseLeave();
    m_hover = inside;
    if (inside) View().MouseMove(x - Bounds().left, y - Bounds().top);
}

void TBrowser::Pressed(int button, int x, int y) {
    if (button != platform::ButtonLeft || !Inside(x, y)) return;
    m_pressed = true;
    if (OnPress) OnPress(this);
    View().MouseDown(x - Bounds().left, y - Bounds().top);
}

void TBrowser::Released(int button, int x, int y) {
    if (button != platform::ButtonLeft || !m_pressed) return;
    m_pressed = false;
    if (!Inside(x, y)) return;
    View().MouseUp(x - Bounds().left, y - Bounds().top);
    if (OnClick) OnClick(this);
}

void TBrowser::Wheeled(TPoint point, int notches) {
    if (!m_scrollable || notches == 0 || !Inside(point.x, point.y)) return;
    View().ScrollTo(View().ScrollPos() - notches * kScrollStep);
    FollowScroll();
}

// Not with a skipped event: that would leave the thumb where it was. The
// bar's on-change scrolls the view to where it already is, which does nothing.
void TBrowser::FollowScroll() {
    if (m_bar) m_bar->SetPosition(View().ScrollPos());
}
