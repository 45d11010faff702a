#include "lobby/Camera.h"

#include "controls/Browser.h"
#include "graphics/Myimagelist.h"

namespace {
constexpr char kSection[] = "Chat";
constexpr char kStillPrefix[] = "camera";
}  // namespace

TCamera::TCamera(TMygfx* parent, const std::string& cameraUrl, const std::string& textUrl, int refreshSeconds)
    : m_live(std::make_unique<TBrowser>(parent, kSection, "Camera", refreshSeconds)),
      m_text(std::make_unique<TBrowser>(parent, kSection, "Cameratext")), m_cameraUrl(cameraUrl) {
    auto still = std::make_unique<TMyimagelist>(parent, m_live->Bounds().left, m_live->Bounds().top);
    if (still->AddFrames(kStillPrefix).count > 0) {
        still->SetFrameInterval(kStillFrameMs);
        m_still = std::move(still);
    }
    m_text->Load(textUrl);
}

TCamera::~TCamera() = default;

// The live page loads only while the camera is on and shown, so a camera
// that is off costs no transfers.
void TCamera::SetActive(bool active) {
    if (active == m_active) return;
    m_active = active;
    if (m_shown) ShowParts();
}

void TCamera::Show() {
    m_shown = true;
    ShowParts();
}

void TCamera::ShowParts() {
    if (m_active) {
        HideStill();
        if (m_live->Url() != m_cameraUrl) m_live->Load(m_cameraUrl);
        m_live->Show();
    } else {
        m_live->Hide();
        ShowStill();
    }
    m_text->Show();
}

// The strip starts at its first frame each time it comes into view and
// runs only while it is seen, so a hidden camera costs no timer.
void TCamera::ShowStill() {
    if (!m_still || m_still->Animating()) return;
    m_still->Show();
    if (m_still->FrameCount() > 1)
        m_still->Animate(0, 0, 0);
    else
        m_still->SetFrame(1);
}

void TCamera::HideStill() {
    if (!m_still) return;
    m_still->StopAnimation();
    m_still->Hide();
}

void TCamera::Hide() {
    m_shown = false;
    m_live->Hide();
    HideStill();
    m_text->Hide();
}
