#include "web/WebLinks.h"

#include "web/WebPages.h"

namespace server::web {
namespace {
constexpr int kTopRefreshSeconds = 300;
constexpr int kCameraRefreshSeconds = 30;
// News posted while a user reads the tab reaches it within a minute.
constexpr int kNewsRefreshSeconds = 60;
// The tab prefix of the camera: the skin's eye, as on the menu's Watch tab.
constexpr char kCameraPrefix[] = "Menu2";
}  // namespace

void FillZoneLinks(ZoneConfig& zone, const std::string& baseUrl) {
    for (size_t i = 0; i < zone.urls.size(); ++i)
        if (zone.urls[i].empty()) zone.urls[i] = baseUrl + "/visit?n=" + std::to_string(i + 1);
    if (zone.banners[0].empty()) zone.banners[0] = {baseUrl + "/banner?n=1"};
    if (zone.banners[1].empty())
        zone.banners[1] = {baseUrl + "/banner?n=2", baseUrl + "/banner?n=3", baseUrl + "/banner?n=1"};
    if (zone.banners[2].empty()) zone.banners[2] = {baseUrl + "/badge"};
    if (zone.webTabs[0].empty())
        zone.webTabs[0] = {{"News", "News", baseUrl + "/news", kNewsRefreshSeconds, ""},
                           {"Web", "Games", baseUrl + "/", 0, ""},
                           {"Camera", kCameraPrefix, baseUrl + "/camera", kCameraRefreshSeconds,
                            baseUrl + "/cameratext"}};
    if (zone.webTabs[1].empty())
        for (int kind = 1; kind <= kGameKinds; ++kind)
            zone.webTabs[1].push_back(
                {GameName(kind), "Games", baseUrl + "/top100?Game=" + std::to_string(kind + 1), kTopRefreshSeconds, ""});
}

}  // namespace server::web
