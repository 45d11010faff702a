#include "lobby/Webform.h"

#include <algorithm>

#include "controls/Browser.h"
#include "controls/Rollover.h"
#include "graphics/Mybitmap.h"
#include "graphics/Paint.h"
#include "graphics/PixelFormat.h"
#include "resources/StrFuncs.h"

namespace {

constexpr char kFrameImage[] = "webwindow";
constexpr char kOkElement[] = "0_mbOk";
// Behind the page where the skin has no frame image: the skin's deep blue.
constexpr TColour kPlainFrame = RgbColour(0x12, 0x1A, 0x33);
constexpr TColour kPageColour = RgbColour(0xFF, 0xFF, 0xFF);
constexpr int kMaxArea = 4096;

// The frame: the image's corners at the window's corners, its middle row and
// column repeated along the edges and over the middle.
class TFrame : public TMygfx {
public:
    TFrame(TMygfx* parent, int width, int height) : TMygfx(parent) {
        SetBounds(TRect{0, 0, width, height});
        if (TMybitmap::Exists(kFrameImage)) m_image = TMybitmap::Acquire(kFrameImage);
    }
    ~TFrame() override {
        if (m_image) m_image->Release();
    }

    void Draw(const TRect& rect) override {
        TPaint* paint = Paint();
        if (!paint) return;
        const TRect part = Intersect(rect, Bounds());
        if (part.Empty()) return;
        paint->Invalidate(part);
        if (paint->Suspended()) return;
        const platform::Surface& back = paint->BackBuffer();
        const int bytes = DepthBytesPerPixel(back.depth);
        const uint32_t plain = ColourToPixel(kPlainFrame, back.depth);
        for (int y = std::max(0, part.top); y < std::min(part.bottom, back.height); ++y)
            for (int x = std::max(0, part.left); x < std::min(part.right, back.width); ++x)
                StorePixel(back.pixels + static_cast<ptrdiff_t>(y) * back.pitch + static_cast<ptrdiff_t>(x) * bytes,
                           bytes, m_image ? Source(x, y) : plain);
    }

private:
    static int Map(int at, int size, int imageSize) {
        const int head = imageSize / 2, tail = imageSize - head;
        if (at < head) return at;
        if (at >= size - tail) return imageSize - (size - at);
        return head;
    }
    uint32_t Source(int x, int y) const {
        const int sx = std::clamp(Map(x, Bounds().Width(), m_image->Width()), 0, m_image->Width() - 1);
        const int sy = std::clamp(Map(y, Bounds().Height(), m_image->Height()), 0, m_image->Height() - 1);
        const int bytes = m_image->BytesPerPixel();
        const uint8_t* pixels = m_image->Pixels();
        return LoadPixel(pixels + (static_cast<ptrdiff_t>(sy) * m_image->Width() + sx) * bytes, bytes);
    }

    TMybitmap* m_image = nullptr;
};

}  // namespace

TWebform::TWebform(const std::string& url, int width, int height)
    : TForm(std::clamp(width, 1, kMaxArea) + kExtraWidth, std::clamp(height, 1, kMaxArea) + kExtraHeight,
            platform::WindowKind::StaysOnTop) {
    width = std::clamp(width, 1, kMaxArea);
    height = std::clamp(height, 1, kMaxArea);
    m_frame = std::make_unique<TFrame>(Paint(), Width(), Height());
    // Showing a plain drawn object only links it in: paint the frame once
    // here, or the window's edges stay black until something covers them.
    m_frame->Show();
    m_frame->Draw(m_frame->Bounds());
    const TRect area{kPanelInset, kPanelInset, kPanelInset + width, kPanelInset + height};
    m_browser = std::make_unique<TBrowser>(Paint(), area, kPageColour, false, false);
    m_browser->SetLayer(1);
    m_browser->SetScrollable(true);
    // A skin without the box's OK button leaves the window to the window
    // system's close instead of ending the program over a missing image.
    if (TMybitmap::Exists(LowerCaseAscii(std::string(kOkElement) + "on"))) {
        m_ok = std::make_unique<TRollover>(Paint(), "", kOkElement, [this](TRollover*) { Close(); });
        m_ok->SetPosition((Width() - m_ok->ImageWidth()) / 2, Height() - kButtonGap - m_ok->ImageHeight());
        m_ok->Show();
    }
    m_browser->Load(url);
    m_browser->Show();
}

TWebform::~TWebform() {
    m_ok.reset();
    m_browser.reset();
    m_frame.reset();
}

void TWebform::FormClose() {
    m_browser->Hide();
    if (OnClosed) OnClosed(this);
}
