// The hiscore lists: 0x18 (list, first place, last place) is answered with
// code 24: the asking user's name, score and place in that list, then three
// cells per place (place, alias, score). List 0 is all games together, 1..4
// one game kind.
#include <algorithm>

#include "Zone.h"

namespace server {
namespace {

// A request names at most this many places; the client asks for 1 to 100.
constexpr int64_t kMaxPlaces = 100;
// The own place of a user who has not played in that list.
constexpr char kUnplaced[] = "-";

}  // namespace

void Zone::OnHiscoreRequest(ZoneUser& user, const protocol::THiscoreRequest& in) {
    if (in.List < kAllGamesList || in.List > kGameKinds) return;
    const int list = static_cast<int>(in.List);
    const int64_t first = std::max<int64_t>(in.First, 1);
    const int64_t last = std::min(in.Last, first + kMaxPlaces - 1);
    std::vector<HiscoreEntry> entries;
    HiscoreEntry own;
    if (!m_accounts.Hiscores(list, first, last, entries) || !m_accounts.HiscoreOf(user.accountId, list, own)) {
        m_host.Log("hiscore list " + std::to_string(list) + " not read");
        return;
    }
    protocol::THiscoreList answer;
    answer.MyName = user.alias;
    answer.MyScore = std::to_string(own.score);
    answer.MyPlace = own.place > 0 ? std::to_string(own.place) : kUnplaced;
    for (const HiscoreEntry& e : entries)
        answer.Rows.push_back({std::to_string(e.place), e.alias, std::to_string(e.score)});
    SendTo(user, Build(answer));
}

}  // namespace server
