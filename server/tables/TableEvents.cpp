#include "tables/TableEvents.h"

namespace server {

std::string RefusalText(TableRefusal reason, std::string_view name) {
    std::string who(name);
    switch (reason) {
        case TableRefusal::BadSetting: return "That match length is not offered for this game.";
        case TableRefusal::InGame:
            return who.empty() ? "Finish your game first." : who + " is playing a game.";
        case TableRefusal::TableOpen: return "You have a table of this game open already.";
        case TableRefusal::NoTable:
            return who.empty() ? "You have no table of this game open." : who + " has no table of this game open.";
        case TableRefusal::OwnTable: return "That is your own table.";
        case TableRefusal::AlreadyAsked: return "You have asked to join that table already.";
        case TableRefusal::NotAsking: return who + " is not asking to join your table.";
        case TableRefusal::PlayerCount: return "Choose the right number of players for this game.";
    }
    return "";
}

}  // namespace server
