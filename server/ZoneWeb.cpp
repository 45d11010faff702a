// The zone's web panels: the banners of code 85 and the web areas' tabs of
// code 106, from the configuration (which the web site fills when
// server.ini names none).
#include "Zone.h"

namespace server {

void Zone::SendWebPanels(const ZoneUser& user) {
    for (int place = 1; place <= 3; ++place) {
        const auto& urls = m_config.banners[static_cast<size_t>(place - 1)];
        if (!urls.empty()) SendTo(user, Build(protocol::TBanner{place, urls.front()}));
    }
    for (int area = 1; area <= 2; ++area) {
        const auto& tabs = m_config.webTabs[static_cast<size_t>(area - 1)];
        if (!tabs.empty()) SendTo(user, Build(protocol::TWebTabs{area, tabs}));
    }
}

// Place 2 turns through its banners, one step per request of any user.
void Zone::OnBannerRequest(ZoneUser& user, const protocol::TBannerRequest& in) {
    constexpr int kTurningPlace = 2;
    if (in.Place != kTurningPlace) return;
    const auto& urls = m_config.banners[kTurningPlace - 1];
    if (urls.empty()) return;
    m_bannerTurn = (m_bannerTurn + 1) % urls.size();
    SendTo(user, Build(protocol::TBanner{kTurningPlace, urls[m_bannerTurn]}));
}

}  // namespace server
