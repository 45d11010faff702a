// A logged-on user as the zone sees them: who they are, how they are drawn
// in the user lists, where they are, what they may still say.
//
// The icon is one byte of the client's list of 41 user images: six groups
// of six ("_gla", plain, "_new", "_mut", "_zzz", "_psy"; in each the three
// girl faces, then the three boy faces), then "Neutral", then 38..41 for a
// user playing Tumblix, Backgammon, Puzzle, Yatzy. The zone uses "_gla" for
// privileged users, "_new" during an account's first session and "_zzz" for
// a user who said ":afk" or ":brb" (the client then sends "/sleep").
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "ChatText.h"
#include "UploadFile.h"

namespace server {

struct ZoneUser {
    ZoneUser(uint32_t session, int chatBurst, int64_t nowMs) : session(session), chat(chatBurst, nowMs) {}

    uint32_t session;
    int64_t accountId = 0;
    std::string alias;
    std::string key;  // lower-cased alias
    int gender = 0;   // 0 male, 1 female
    int face = 0;     // 0..2
    bool privileged = false;
    bool newcomer = false;
    bool asleep = false;
    int playing = 0;  // game kind 1..4 while the user plays, else 0
    uint16_t publicRoom = 0;         // the public room they look at; 0: none
    std::set<uint16_t> privateRooms;  // private chats and forums they are in
    std::string options;              // option digits
    ChatBudget chat;
    int64_t questionId = 0;  // the question the user may answer; 0: none
    int questionAnswers = 0;  // how many answers it offers
    std::unique_ptr<UploadFile> upload;  // the operator's upload under way

    int Icon() const {
        constexpr int kGroup = 6;
        constexpr int kPlaying = 37;  // + game kind
        if (playing >= 1 && playing <= 4) return kPlaying + playing;
        int group = asleep ? 4 : privileged ? 0 : newcomer ? 2 : 1;
        int f = face >= 0 && face <= 2 ? face : 0;
        return group * kGroup + (gender == 1 ? 0 : 3) + f + 1;
    }
};

}  // namespace server
