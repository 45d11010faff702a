#include "controls/Glide.h"

#include <algorithm>

#include "controls/Rollover.h"
#include "controls/Text.h"
#include "graphics/Mybitmap.h"
#include "graphics/Myfont.h"
#include "graphics/Myimage.h"
#include "graphics/Paint.h"
#include "graphics/PixelFormat.h"
#include "graphics/Sound.h"
#include "platform/Platform.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace {

constexpr char kFallbackFont[] = "font1";
// The background sprite lies under every item.
constexpr int kBackgroundLayer = -1;

// Fills target with the image whose right and bottom edges are moved in to
// the target's size: pixel (x, y) comes from the image's column x (inside the
// left frame) or x + W − w, and likewise for the rows. What the image does
// not cover stays 0.
void MoveEdgesIn(const TMybitmap& image, TMybitmap& target, int frame) {
    const int bytes = target.BytesPerPixel();
    const int shiftX = image.Width() - target.Width();
    const int shiftY = image.Height() - target.Height();
    for (int y = 0; y < target.Height(); ++y) {
        const int sy = y < frame ? y : y + shiftY;
        uint8_t* row = target.Pixels() + static_cast<size_t>(y) * static_cast<size_t>(target.Pitch());
        for (int x = 0; x < target.Width(); ++x) {
            const int sx = x < frame ? x : x + shiftX;
            StorePixel(row + static_cast<size_t>(x) * static_cast<size_t>(bytes), bytes,
                       image.PixelAt(sx, sy));
        }
    }
}

platform::Rect WindowOf(const TPaint* paint) {
    return paint && paint->Window() ? paint->Window()->Bounds() : platform::Rect{};
}

}  // namespace

TGlide::TGlide(TPaint* owner, bool growsRight, TSelectEvent onSelect, int rows, int columns,
               const std::string& section, const std::string& titleKey)
    : OnSelect(std::move(onSelect)),
      m_section(section.empty() ? kDefaultSection : section),
      m_titleKey(titleKey),
      m_owner(owner),
      m_growsRight(growsRight),
      m_rows(std::max(rows, 1)),
      m_columns(std::max(columns, 1)) {
    ReadSkin();
    m_popup = std::make_unique<TPaint>(m_section, platform::WindowKind::Popup);
    if (m_owner) {
        m_owner->MoveSubscribers().Subscribe(this, [this](TPaint*, TShiftState, int, int) {
            PointerMoved();
        });
    }
    m_popup->MoveSubscribers().Subscribe(this, [this](TPaint*, TShiftState, int, int) {
        PointerMoved();
    });
    m_timer = std::make_unique<TMyTimer>();
    m_timer->SetInterval(kTickMs);
    m_timer->OnTimer = [this](TMyTimer*) { Tick(); };
}

TGlide::~TGlide() {
    m_timer.reset();
    if (m_owner) m_owner->MoveSubscribers().Unsubscribe(this);
    m_popup->MoveSubscribers().Unsubscribe(this);
    // Everything drawn on the popup goes before the popup surface.
    m_items.clear();
    m_title.reset();
    m_background.reset();
}

void TGlide::ReadSkin() {
    std::string frame = SettingsFile().ReadString(m_section, "Framewidth", "");
    int32_t value = 0;
    m_frameWidth = ParseInteger(CutField(frame), value) && value > 0 ? value : 0;
    if (!m_titleKey.empty()) {
        std::string font = SettingsFile().ReadString(m_section, "Font", "");
        m_titleFont = CutField(font);
    }
}

void TGlide::AddItem(const std::string& element, const std::string& key) {
    auto item = std::make_unique<TRollover>(m_popup.get(), "", element,
                                            [this](TRollover* sender) { ItemClicked(sender); });
    std::string line = SettingsFile().ReadString(m_section, key, "");
    const std::string font = CutField(line);
    if (!font.empty() && TMybitmap::Exists(LowerCaseAscii(font))) {
        item->SetFont(TFonts::Instance().GetFont(font));
    }
    const std::string caption = FillPlaceholders(GetText(m_section, key), m_itemParameters);
    m_itemParameters.clear();
    if (!caption.empty()) item->SetCaption(caption);
    m_items.push_back(std::move(item));
}

TRollover* TGlide::Item(int i) const {
    if (i < 0 || i >= Count()) return nullptr;
    return m_items[static_cast<size_t>(i)].get();
}

bool TGlide::Growing() const { return m_timer->Enabled(); }

bool TGlide::Opened() const { return m_popup->Window() && m_popup->Window()->Visible(); }

// ---------------------------------------------------------------------------
// Layout, once

void TGlide::Layout() {
    m_laidOut = true;
    MeasureCells();
    if (!m_titleKey.empty()) {
        const std::string font = m_titleFont.empty() ? kFallbackFont : m_titleFont;
        m_titleHeight = TFonts::Instance().GetFont(font)->Height();
    }
    m_fullWidth = 2 * m_frameWidth + m_cellWidth * m_columns;
    m_fullHeight = 2 * m_frameWidth + m_cellHeight * m_rows + m_titleHeight;
    BuildBackground();
    if (!m_titleKey.empty()) CreateTitle();
    if (m_popup->Window()) m_popup->Window()->SetShownSize(m_fullWidth, m_fullHeight);
    PlaceItems();
}

// Items' sizes include their captions.
void TGlide::MeasureCells() {
    int widest = 0, tallest = 0;
    for (const auto& item : m_items) {
        widest = std::max(widest, item->Width());
        tallest = std::max(tallest, item->Height());
    }
    m_cellWidth = widest + kCellMargin;
    m_cellHeight = tallest + kCellMargin;
}

void TGlide::CreateTitle() {
    const int bottom = m_frameWidth + m_titleHeight;
    m_title = std::make_unique<TText>(m_popup.get(), TText::kPlain, m_titleFont,
                                      GetText("", m_titleKey), bottom,
                                      m_cellWidth * m_columns, m_frameWidth, m_frameWidth);
    m_title->Show();
}

// The background is a sprite of its own under the items, so redrawing any
// part of the popup shows the built background and not the raw image.
void TGlide::BuildBackground() {
    TMybitmap* image = m_popup->Background();
    if (!image || m_fullWidth <= 0 || m_fullHeight <= 0) return;
    const int frame = m_frameWidth;
    m_background = std::make_unique<TMyimage>(
        m_popup.get(), [image, frame](TMybitmap& target, void*) { MoveEdgesIn(*image, target, frame); },
        nullptr, m_fullWidth, m_fullHeight);
    m_background->SetLayer(kBackgroundLayer);
    m_background->Show();
}

void TGlide::PlaceItems() {
    for (int i = 0; i < Count(); ++i) {
        TRollover& item = *m_items[static_cast<size_t>(i)];
        const int x = (i % m_columns) * m_cellWidth + m_frameWidth + (m_cellWidth - item.Width()) / 2;
        const int y = (i / m_columns) * m_cellHeight + m_frameWidth +
                      (m_cellHeight - item.Height()) / 2 + m_titleHeight;
        item.SetPosition(x, y);
        item.Show();
    }
}

// ---------------------------------------------------------------------------
// Opening and growing

void TGlide::Popup(int x, int y) {
    if (!m_laidOut) Layout();
    // No item stays lit from the last time.
    m_popup->MoveSubscribers().Dispatch(m_popup.get(), 0, -1, -1);
    platform::Video().PointerPosition(m_pointerX, m_pointerY);
    const platform::Rect owner = WindowOf(m_owner);
    m_anchorX = x == -1 ? m_pointerX - owner.left : x;
    m_anchorY = y == -1 ? m_pointerY - owner.top + kPointerAnchorDrop : y;
    const int stepX = m_fullWidth / kGrowthSteps, stepY = m_fullHeight / kGrowthSteps;
    m_currentWidth = m_fullWidth - stepX * (kGrowthSteps - 1);
    m_currentHeight = m_fullHeight - stepY * (kGrowthSteps - 1);
    Place();
    StopSounds();
    m_timer->SetEnabled(true);
    PlaySound(m_sound);
}

void TGlide::Tick() {
    m_currentWidth += m_fullWidth / kGrowthSteps;
    m_currentHeight += m_fullHeight / kGrowthSteps;
    Place();
    RidePointer();
}

// The menu grows upwards from the anchor, and never starts left of or above
// its owner window or the screen.
void TGlide::Place() {
    platform::IWindow* window = m_popup->Window();
    if (!window) return;
    m_leftOffset = m_growsRight ? m_anchorX : m_anchorX - m_currentWidth;
    m_topOffset = m_anchorY - m_currentHeight;
    const platform::Rect owner = WindowOf(m_owner);
    const int left = std::max(owner.left + m_leftOffset, std::max(owner.left, 0));
    const int top = std::max(owner.top + m_topOffset, std::max(owner.top, 0));
    window->Move(left, top);
    window->SetShownSize(m_currentWidth, m_currentHeight);
    window->Show();
    window->BringToFront();
}

// A platform that cannot move the pointer leaves it where it is.
void TGlide::RidePointer() {
    const platform::Rect r = WindowOf(m_popup.get());
    if (m_currentWidth >= m_fullWidth) {
        m_timer->SetEnabled(false);
        platform::Video().SetPointerPosition(r.left + r.Width() / 2, r.top + r.Height() / 2);
    } else if (m_growsRight) {
        platform::Video().SetPointerPosition(r.left + r.Width() - 1, r.top + 1);
    } else {
        platform::Video().SetPointerPosition(r.left + 1, r.top + 1);
    }
}

// ---------------------------------------------------------------------------
// Closing

void TGlide::Close() {
    m_timer->SetEnabled(false);
    if (m_popup->Window()) m_popup->Window()->Hide();
}

void TGlide::PointerMoved() {
    if (!Opened() || Growing() || PointerInside()) return;
    Close();
}

bool TGlide::PointerInside() const {
    int x = 0, y = 0;
    platform::Video().PointerPosition(x, y);
    const platform::Rect r = WindowOf(m_popup.get());
    return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
}

void TGlide::ItemClicked(TRollover* item) {
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [item](const auto& entry) { return entry.get() == item; });
    if (it == m_items.end()) return;
    const int i = static_cast<int>(it - m_items.begin());
    Close();
    TSelectEvent handler = OnSelect;  // the handler may free the glide
    if (handler) handler(item, i % m_columns, i / m_columns);
}
