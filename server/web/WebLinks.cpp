#include "web/WebLinks.h"

#include "web/WebPages.h"

namespace server::web {
namespace {
constexpr int kTopRefreshSeconds = 300;
}  // namespace

void FillZoneLinks(ZoneConfig& zone, const std::string& baseUrl) {
    if (zone.banners[0].empty()) zone.banners[0] = {baseUrl + "/banner?n=1"};
    if (zone.banners[1].empty())
        zone.banners[1] = {baseUrl + "/banner?n=2", baseUrl + "/banner?n=3", baseUrl + "/banner?n=1"};
    if (zone.webTabs[0].empty())
        zone.webTabs[0] = {{"News", "News", baseUrl + "/news", 0, ""}, {"Web", "Games", baseUrl + "/", 0, ""}};
    if (zone.webTabs[1].empty())
        for (int kind = 1; kind <= kGameKinds; ++kind)
            zone.webTabs[1].push_back(
                {GameName(kind), "Games", baseUrl + "/top100?Game=" + std::to_string(kind + 1), kTopRefreshSeconds, ""});
}

}  // namespace server::web
