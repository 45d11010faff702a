#include "controls/AdvertPanels.h"

#include "controls/Browser.h"
#include "graphics/Sound.h"

namespace {

constexpr const char* kKeys[] = {"Reklame1", "Reklame2", "Reklame3"};
constexpr int kReportingPanels = 2;
constexpr char kLoaded = 'a', kClicked = 'b';

}  // namespace

TAdvertPanels::TAdvertPanels(TMygfx* surface, const std::string& section, int firstByte, TSender sender)
    : m_sender(std::move(sender)) {
    for (int panel = 1; panel <= 3; ++panel) {
        auto browser = std::make_unique<TBrowser>(surface, section, kKeys[panel - 1]);
        if (panel <= kReportingPanels) {
            const char byte = static_cast<char>(firstByte + panel - 1);
            browser->OnLoaded = [this, byte](TBrowser*) {
                if (m_sender) m_sender(std::string{kLoaded, byte});
            };
            browser->OnClick = [this, byte](TBrowser*) {
                if (m_sender) m_sender(std::string{kClicked, byte});
            };
        } else {
            browser->OnEnter = [](TBrowser*) { PlaySound("Rollover.wav"); };
            browser->OnPress = [](TBrowser*) { PlaySound("Rolldown.wav"); };
        }
        browser->OnPopup = [this](const std::string& url, int width, int height) {
            if (OnPopup) OnPopup(url, width, height);
        };
        browser->Show();
        m_panels[static_cast<size_t>(panel - 1)] = std::move(browser);
    }
}

TAdvertPanels::~TAdvertPanels() = default;

void TAdvertPanels::Load(int panel, const std::string& url) {
    if (panel < 1 || panel > 3) return;
    Panel(panel).Load(url);
}
