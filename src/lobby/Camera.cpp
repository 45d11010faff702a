#include "lobby/Camera.h"

#include "controls/Browser.h"
#include "graphics/Mybitmap.h"
#include "graphics/Myimage.h"

namespace {
constexpr char kSection[] = "Chat";
constexpr char kStillImage[] = "camera1";
}  // namespace

TCamera::TCamera(TMygfx* parent, const std::string& cameraUrl, const std::string& textUrl, int refreshSeconds)
    : m_live(std::make_unique<TBrowser>(parent, kSection, "Camera", refreshSeconds)),
      m_text(std::make_unique<TBrowser>(parent, kSection, "Cameratext")), m_cameraUrl(cameraUrl) {
    if (TMybitmap::Exists(kStillImage)) {
        m_still = std::make_unique<TMyimage>(parent, kStillImage);
        m_still->MoveTo(m_live->Bounds().left, m_live->Bounds().top);
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
        if (m_still) m_still->Hide();
        if (m_live->Url() != m_cameraUrl) m_live->Load(m_cameraUrl);
        m_live->Show();
    } else {
        m_live->Hide();
        if (m_still) m_still->Show();
    }
    m_text->Show();
}

void TCamera::Hide() {
    m_shown = false;
    m_live->Hide();
    if (m_still) m_still->Hide();
    m_text->Hide();
}
