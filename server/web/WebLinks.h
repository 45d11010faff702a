// The zone's links into its own web site: the banners of code 85 and the
// web areas' tabs of code 106, filled in where server.ini names none.
#pragma once

#include <string>

#include "ZoneConfig.h"

namespace server::web {

// Area 1: "News" (the news page) and "Web" (the site's front page); area 2:
// the top 100 of each game, refreshed every 5 minutes. Banner 1 is the
// site's first banner; banner 2 turns through all three.
void FillZoneLinks(ZoneConfig& zone, const std::string& baseUrl);

}  // namespace server::web
