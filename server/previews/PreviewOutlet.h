// Where the live previews deliver: one ready preview message (codes 73-77,
// 88-95, 140, 142, 143) to one watcher, by alias. The zone implements it by
// queueing the message on the watcher's session like any other, so a slow
// watcher meets its own send limit and never holds up a game.
#pragma once

#include <string>
#include <string_view>

namespace server {

class PreviewOutlet {
public:
    virtual ~PreviewOutlet() = default;
    virtual void ToWatcher(const std::string& alias, std::string_view message) = 0;
};

}  // namespace server
