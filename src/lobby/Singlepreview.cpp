#include "lobby/Singlepreview.h"

#include "controls/Text.h"
#include <algorithm>

#include "graphics/Mybitmap.h"
#include "graphics/Myimage.h"
#include "graphics/Paint.h"
#include "lobby/PreviewLayout.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace {

constexpr int kLabelDefault = 10;  // a missing box field, as for every label line
const TColour kEndBandFill = RgbColour(10, 14, 28);
const TColour kEndBandEdge = RgbColour(70, 90, 130);

const std::string kNoAlias;

}  // namespace

TSinglepreview::TSinglepreview(TPaint* surface, const std::string& kindName, const std::string& background,
                               const TPreviewPlace& place)
    : m_surface(surface), m_place(place) {
    m_background = std::make_unique<TMyimage>(surface, background);
    m_background->SetLayer(kBackgroundLayer);
    m_background->MoveTo(place.X, place.Y);
    const std::string prefix = "Preview" + kindName;
    m_names[0] = MakeLabel(prefix + "name1");
    m_names[1] = MakeLabel(prefix + "name2");
    m_score = MakeLabel(prefix + "point");
    const std::string endFont = SettingsFile().ReadString(kSection, "Previewendfont", "");
    m_endText = std::make_unique<TText>(surface, TText::kCentred, endFont, "", place.Y + place.Height,
                                        place.X + place.Width, place.Y, place.X);
    m_endText->SetLayer(kEndLayer);
    m_endTimer = std::make_unique<TMyTimer>();
    m_endTimer->SetInterval(kEndMs);
    m_endTimer->OnTimer = [this](TMyTimer*) { EndTimerFired(); };
}

TSinglepreview::~TSinglepreview() = default;

std::unique_ptr<TText> TSinglepreview::MakeLabel(const std::string& key) const {
    TPreviewLayout line(kSection, key);
    const int left = line.Next(kLabelDefault), top = line.Next(kLabelDefault);
    const int right = line.Next(kLabelDefault), bottom = line.Next(kLabelDefault);
    const int kind = line.Next(TText::kPlain);
    // A right or bottom edge of 0 keeps its meaning (follow the text, one
    // font height).
    auto label = std::make_unique<TText>(m_surface, kind, line.NextText(), "",
                                         bottom == 0 ? 0 : bottom + m_place.Y, right == 0 ? 0 : right + m_place.X,
                                         top + m_place.Y, left + m_place.X);
    label->SetLayer(kTextLayer);
    return label;
}

std::unique_ptr<TText> TSinglepreview::MakeLabel(const std::string& fontKey, int x, int y) const {
    const std::string font = SettingsFile().ReadString(kSection, fontKey, "");
    auto label = std::make_unique<TText>(m_surface, TText::kPlain, font, "", 0, 0, m_place.Y + y, m_place.X + x);
    label->SetLayer(kTextLayer);
    return label;
}

void TSinglepreview::ShowLabel(TText* label, bool show) {
    if (!label) return;
    if (show)
        label->Show();
    else
        label->Hide();
}

bool TSinglepreview::Ended() const { return m_endTimer->Enabled(); }

const std::string& TSinglepreview::ShownAlias(int seat) const {
    return seat == 1 || seat == 2 ? m_shown[static_cast<size_t>(seat - 1)] : kNoAlias;
}

const std::string& TSinglepreview::RequestedAlias(int seat) const {
    return seat == 1 || seat == 2 ? m_requestedAliases[static_cast<size_t>(seat - 1)] : kNoAlias;
}

TText* TSinglepreview::NameLabel(int seat) const {
    return seat == 1 || seat == 2 ? m_names[static_cast<size_t>(seat - 1)].get() : nullptr;
}

void TSinglepreview::Request(const std::string& seat1, const std::string& seat2) {
    m_requestedAliases = {seat1, seat2};
    m_requested = true;
}

void TSinglepreview::Stop() {
    if (m_drawn) Hide();
    m_started = m_active = false;
    m_endTimer->SetEnabled(false);
}

void TSinglepreview::Start() {
    m_shown = m_requestedAliases;
    m_requested = false;
    m_started = m_active = true;
    m_endTimer->SetEnabled(false);
    ShowEnd(false);
    for (size_t seat = 0; seat < m_names.size(); ++seat) m_names[seat]->SetText(m_shown[seat]);
    Reset();
}

void TSinglepreview::Hide() {
    m_drawn = false;
    ShowEnd(false);
    for (auto& name : m_names) ShowLabel(name.get(), false);
    ShowLabel(m_score.get(), false);
    HideContent();
    m_background->Hide();
}

void TSinglepreview::Show() {
    m_drawn = true;
    m_background->Show();
    ShowContent();
    for (auto& name : m_names) ShowLabel(name.get(), true);
    ShowLabel(m_score.get(), true);
    if (Ended()) ShowEnd(true);
}

void TSinglepreview::End(int winner) {
    ShowEnd(false);
    m_endText->SetText(FillPlaceholders(GetText(kSection, "Previewendtext"), ShownAlias(winner)));
    MakeEndBand();
    m_endTimer->SetEnabled(true);
    if (m_drawn) ShowEnd(true);
}

// A dark band with a thin edge, the text's size and a margin, centred in
// the slot and no wider than it.
void TSinglepreview::MakeEndBand() {
    const int width = std::min(m_endText->TextWidth() + 2 * kEndBandMarginX, m_place.Width);
    const int height = std::min(m_endText->FontHeight() + 2 * kEndBandMarginY, m_place.Height);
    m_endBand = std::make_unique<TMyimage>(
        m_surface,
        [](TMybitmap& bitmap, void*) {
            const int w = bitmap.Width(), h = bitmap.Height();
            bitmap.Fill({0, 0, w, h}, kEndBandEdge);
            bitmap.Fill({1, 1, w - 1, h - 1}, kEndBandFill);
        },
        nullptr, width, height);
    m_endBand->SetLayer(kEndBandLayer);
    m_endBand->MoveTo(m_place.X + (m_place.Width - width) / 2, m_place.Y + (m_place.Height - height) / 2);
}

// The band first, so the text is drawn over it.
void TSinglepreview::ShowEnd(bool show) {
    if (show && m_endBand) m_endBand->Show();
    if (!show && m_endBand) m_endBand->Hide();
    ShowLabel(m_endText.get(), show);
}

void TSinglepreview::SetScore(const std::string& formatKey, const std::string& values) {
    m_score->SetText(FillPlaceholders(GetText(kSection, formatKey), values));
}

void TSinglepreview::EndTimerFired() {
    m_endTimer->SetEnabled(false);
    if (m_drawn) Hide();
    m_started = m_active = false;
    if (OnReleased) OnReleased();
}
