// The zone's links into its own web site: the URL entries of code 99, the
// banners of code 85 and the web areas' tabs of code 106, each filled in
// where server.ini names none.
#pragma once

#include <string>

#include "ZoneConfig.h"

namespace server::web {

// URL entry n: the counted page /visit?n=n. Area 1: "News" (the news page,
// refreshed every minute), "Web" (the site's front page) and "Camera" (the
// zone camera, refreshed every 30 s, its words beside it); area 2: the top
// 100 of each game, refreshed every 5 minutes. Banner 1 is the site's first banner; banner 2
// turns through all three; banner 3 is the small top-list badge.
void FillZoneLinks(ZoneConfig& zone, const std::string& baseUrl);

}  // namespace server::web
