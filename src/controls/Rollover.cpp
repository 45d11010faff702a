#include "controls/Rollover.h"

#include "controls/Text.h"
#include "graphics/GreatBitmap.h"
#include "graphics/Mybitmap.h"
#include "graphics/Myfont.h"
#include "graphics/Myimage.h"
#include "graphics/Myimagelist.h"
#include "graphics/Paint.h"
#include "graphics/Sound.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace {

constexpr char kCaptionFont[] = "font1";

int LayoutNumber(std::string& line, int defaultValue) {
    int32_t value = defaultValue;
    if (!ParseInteger(CutField(line), value)) value = defaultValue;
    return value;
}

}  // namespace

TRollover::TRollover(TMygfx* owner, const std::string& section, const std::string& element,
                     TClickEvent onClick)
    : OnClick(std::move(onClick)),
      m_surface(owner ? owner->Paint() : nullptr),
      m_owner(owner),
      m_element(element) {
    if (!m_element.empty() && !TMybitmap::Exists(LowerCaseAscii(m_element + "on"))) {
        TGreatBitmap::FileNotFound(m_element + "on");
    }
    LoadImages();
    if (!section.empty()) ReadLayout(section);
    Subscribe();
}

TRollover::~TRollover() { Unsubscribe(); }

// A button without element name has no images: a caption alone.
void TRollover::LoadImages() {
    m_on.reset();
    m_of.reset();
    if (m_element.empty()) return;
    m_on = std::make_unique<TMyimage>(m_owner, m_element + "on");
    m_of = std::make_unique<TMyimage>(m_owner, m_element + "of");
    m_on->SetTransparent(m_transparent);
    m_of->SetTransparent(m_transparent);
    m_width = m_on->Width();
    m_height = m_on->Height();
    m_layoutPending = true;
}

void TRollover::ReadLayout(const std::string& section) {
    std::string line = SettingsFile().ReadString(section, m_element, "");
    m_x = LayoutNumber(line, 0);
    m_y = LayoutNumber(line, 0);
    SetTransparent(SameTextAscii(CutField(line), "true"));
    if (!line.empty() && TMybitmap::Exists(LowerCaseAscii(line))) {
        m_font = TFonts::Instance().GetFont(line);
    }
    std::string caption = GetText(section, m_element);
    caption = CutField(caption);
    if (!caption.empty()) SetCaption(caption);
    m_layoutPending = true;
}

void TRollover::Subscribe() {
    if (!m_surface) return;
    m_surface->MoveSubscribers().Subscribe(
        this, [this](TPaint*, TShiftState shift, int x, int y) { PointerMoved(shift, x, y); });
    m_surface->DownSubscribers().Subscribe(
        this, [this](TPaint*, int button, TShiftState shift, int x, int y) {
            ButtonDown(button, shift, x, y);
        });
    m_surface->UpSubscribers().Subscribe(
        this, [this](TPaint*, int button, TShiftState shift, int x, int y) {
            ButtonUp(button, shift, x, y);
        });
}

void TRollover::Unsubscribe() {
    if (!m_surface) return;
    m_surface->MoveSubscribers().Unsubscribe(this);
    m_surface->DownSubscribers().Unsubscribe(this);
    m_surface->UpSubscribers().Unsubscribe(this);
}

int TRollover::ImageWidth() const { return m_on ? m_on->Width() : 0; }
int TRollover::ImageHeight() const { return m_on ? m_on->Height() : 0; }

TMyfont* TRollover::Font() const {
    return m_font ? m_font : TFonts::Instance().GetFont(kCaptionFont);
}

bool TRollover::Inside(int x, int y) const {
    return x >= m_x && x < m_x + m_width && y >= m_y && y < m_y + m_height;
}

// Shows the image of the state, hiding the other; a blinking overlay is
// entered again so it stays above the newly drawn image.
void TRollover::Light(bool lit) {
    TMyimage* shown = lit ? m_on.get() : m_of.get();
    TMyimage* hidden = lit ? m_of.get() : m_on.get();
    if (hidden) hidden->Hide();
    if (shown) shown->Show();
    if (m_blink && m_blink->Visible()) {
        m_blink->Detach();
        m_blink->Show();
    }
}

void TRollover::Layout() {
    if (m_on) m_on->MoveTo(m_x + m_imageOffset, m_y);
    if (m_of) m_of->MoveTo(m_x + m_imageOffset, m_y);
    if (m_label) {
        const int left = m_x + (m_width - m_captionWidth) / 2;
        m_label->SetBox(left, m_y + ImageHeight() + kCaptionGap, left + m_captionWidth, 0);
    }
    if (m_blink) PlaceBlink();
    m_layoutPending = false;
}

void TRollover::Show() {
    if (m_layoutPending) Layout();
    Light(m_down);
    m_visible = true;
    if (m_blinking) RunBlink();
    if (m_label) m_label->Show();
    m_hovering = false;
}

void TRollover::Hide() {
    if (m_blink) {
        m_blink->StopAnimation();  // blinking stays set, Show restarts it
        m_blink->Hide();
    }
    if (m_on) m_on->Hide();
    if (m_of) m_of->Hide();
    if (m_label) m_label->Hide();
    m_hovering = false;
    m_pressed = false;
    m_visible = false;
}

void TRollover::SetDown(bool down) {
    if (down == m_down) return;
    m_down = down;
    if (m_visible) Light(m_down || m_hovering);
}

void TRollover::SetTransparent(bool transparent) {
    m_transparent = transparent;
    for (TMyimage* image : {m_on.get(), m_of.get()}) {
        if (!image) continue;
        image->SetTransparent(transparent);
        if (image->Visible()) {
            image->Hide();
            image->Show();
        }
    }
}

void TRollover::SetX(int x) { SetPosition(x, m_y); }
void TRollover::SetY(int y) { SetPosition(m_x, y); }

void TRollover::SetPosition(int x, int y) {
    m_x = x;
    m_y = y;
    m_layoutPending = true;
}

void TRollover::SetCaptionMaxWidth(int width) {
    m_captionMaxWidth = width;
    m_layoutPending = true;
}

void TRollover::SetFont(TMyfont* font) {
    m_font = font;
    m_layoutPending = true;
}

// The caption is a line under the image; a caption wider than the image
// widens the button, and the image is then centred above it.
void TRollover::SetCaption(const std::string& caption) {
    if (caption == m_caption) return;
    m_caption = caption;
    TMyfont* font = Font();
    const int fullWidth = font->TextWidth(caption);
    m_height = ImageHeight() + font->Height() + kCaptionGap;
    m_captionWidth = fullWidth;
    if (m_captionMaxWidth > 0 && m_captionWidth > m_captionMaxWidth) {
        m_captionWidth = m_captionMaxWidth;
    }
    if (m_captionWidth > ImageWidth()) {
        m_imageOffset = (m_captionWidth - ImageWidth()) / 2;
        m_width = m_captionWidth;
    } else {
        m_imageOffset = 0;
        m_width = ImageWidth();
    }
    m_layoutPending = true;
    if (!m_label) CreateLabel();
    m_label->SetText(caption);
    if (m_visible) {
        Layout();
        m_label->Show();
    }
}

// A caption that may be cut short scrolls as a marquee under the pointer.
void TRollover::CreateLabel() {
    TMyfont* font = Font();
    const int kind = m_captionMaxWidth < font->TextWidth(m_caption) ? TText::kMarquee
                                                                    : TText::kPlain;
    const int left = m_x + (m_width - m_captionWidth) / 2;
    const int top = m_y + ImageHeight() + kCaptionGap;
    const bool suspended = m_surface && m_surface->Suspended();
    if (m_surface) m_surface->SetSuspended(true);
    m_label = std::make_unique<TText>(m_owner, kind, font->Name(), "", 0, left + m_captionWidth,
                                      top, left);
    if (m_surface) m_surface->SetSuspended(suspended);
}

void TRollover::StartBlink() {
    if (!m_blink) {
        m_blink = std::make_unique<TMyimagelist>(m_owner, 0, 0);
        m_blink->Add("Blinkon");
        m_blink->Add("Blinkof");
        m_blink->SetFrameInterval(kBlinkMs);
        m_blink->SetTransparent(true);
    }
    PlaceBlink();
    m_blinking = true;
    if (m_visible) RunBlink();
}

void TRollover::StopBlink() {
    m_blinking = false;
    if (!m_blink) return;
    m_blink->StopAnimation();
    m_blink->Hide();
}

void TRollover::PlaceBlink() {
    m_blink->MoveTo(m_x + (m_width - m_blink->Width()) / 2,
                    m_y + (ImageHeight() - m_blink->Height()) / 2);
}

void TRollover::RunBlink() {
    m_blink->Animate(0, 0, 0);
    m_blink->Show();
}

void TRollover::MoveToOwner(TMygfx* owner) {
    if (!owner || owner == m_owner) return;
    const bool wasVisible = m_visible;
    if (wasVisible) Hide();
    Unsubscribe();
    m_owner = owner;
    m_surface = owner->Paint();
    const int width = m_width, height = m_height;
    LoadImages();
    m_width = width;
    m_height = height;
    if (m_label) {
        m_label = std::make_unique<TText>(m_owner, m_label->Kind(), m_label->Font()->Name(),
                                          m_label->Text(), m_label->Bottom(), m_label->Right(),
                                          m_label->Top(), m_label->Left());
    }
    if (m_blink) {
        m_blink.reset();
        const bool blinking = m_blinking;
        StartBlink();
        m_blinking = blinking;
    }
    Subscribe();
    m_layoutPending = true;
    if (wasVisible) Show();
}

// Mouse ------------------------------------------------------------------

void TRollover::PointerMoved(TShiftState shift, int x, int y) {
    if (!m_visible || !m_enabled || (shift & platform::LeftButtonHeld)) return;
    if (Inside(x, y)) {
        if (m_hovering) return;
        m_hovering = true;
        if (m_down) return;
        Light(true);
        PlaySound(m_hoverSound);
    } else if (m_hovering) {
        m_hovering = false;
        m_pressed = false;
        if (!m_down) Light(false);
    }
}

void TRollover::ButtonDown(int, TShiftState shift, int, int) {
    if (!m_visible || !m_enabled || !m_hovering || !(shift & platform::LeftButtonHeld)) return;
    if (!OnClick) return;
    PlaySound(m_pressSound);
    m_pressed = true;
    TClickEvent handler = OnClick;  // the handler may free this button
    handler(this);
}

void TRollover::ButtonUp(int button, TShiftState, int, int) {
    m_pressed = false;
    if (!m_visible || !m_enabled || !m_hovering || button != platform::ButtonLeft) return;
    if (!OnRelease) return;
    TReleaseEvent handler = OnRelease;
    handler(this, button);
}
