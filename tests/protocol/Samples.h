// One sample of every message, with values that differ field by field, so
// that a swapped or dropped field shows in a round trip. No text holds byte
// 1, which no builder can carry.
#pragma once

#include <tuple>

#include "protocol/Messages.h"

namespace protocoltest {

using namespace protocol;

inline TGameStatistics Statistics(int won, int lost, int dropped, const char* place, const char* score) {
    return TGameStatistics{place, score, won, lost, dropped, won + lost + dropped};
}

inline TGammonSnapshot GammonWithDice() {
    TGammonSnapshot s;
    for (size_t i = 0; i < s.Points.size(); ++i) s.Points[i] = static_cast<uint8_t>(i + 1);
    s.DiceState = 2;
    s.HasDice = true;
    s.Dice = {4, 7};
    s.Cube = 2;
    s.Score1 = 3;
    s.Score2 = 1;
    s.MatchLength = 5;
    s.CubeOwner = 1;
    return s;
}

inline TTumblixSnapshot Tumblix() {
    TTumblixSnapshot s;
    for (size_t i = 0; i < s.Boards.size(); ++i) s.Boards[i] = static_cast<uint8_t>(i % 7 + 1);
    s.Numbers = {9, 2, 3, 4};
    return s;
}

inline TPuzzleSnapshot Puzzle() {
    TPuzzleSnapshot s;
    for (size_t i = 0; i < s.Grids.size(); ++i) s.Grids[i] = static_cast<uint8_t>(i % 6);
    s.Numbers = {1, 2, 3, 40};
    return s;
}

inline TGameStartMessage DuelStart() {
    return TGameStartMessage{rules::TGameKind::Puzzle, rules::TDuelSetup{"", "bob", 0xFFFFFFF0u}, 2};
}

inline TGameStartMessage GammonStart() {
    return TGameStartMessage{rules::TGameKind::Gammon, rules::TGammonSetup{"", "bob", true, 7, "fig1", "fig2"}, 2};
}

inline TGameStartMessage YatzyStart() {
    rules::TYatzySetup s{123456789u, 3, 11, {"ann", "bo", "cy", ""}, 3};
    return TGameStartMessage{rules::TGameKind::Yatzy, s, 3};
}

// Every message the server sends.
inline auto ServerSamples() {
    TFileChunk first{.HasSize = true, .Size = 70000, .Data = std::string("\x00\x01\xFFzip", 6)};
    TFileChunk next{.HasSize = false, .Size = 0, .Data = "more"};
    return std::make_tuple(
        TLogonAccepted{"web"}, TLogonRefused{11}, TServerBox{"text", "title"}, TVersionQuery{"lobbivex"},
        TLogonPrompt{}, TAccountData{1990, 5, 17, 1, 2}, TPrivileged{1}, TOptions{"0101"},
        TBannerInterval{45}, TBannerPeriod{12}, TUserLeft{"eva"}, TChatLine{513, 3, 8, "eva: hi"},
        TPingAnswer{}, TRoomNotice{1, 300}, TUserGone{2, "eva"}, TUserPresent{65535, 41, "eva"},
        TRoomOpen{5, 258, 1, "Lobby", "Games"}, TRoomClosed{7, "bo"}, TSwitchRoom{9}, TRemoveRoom{10},
        TMenuTab{3}, TServerSound{"Ding"},
        THiscoreList{"me", "1500", "3", {{"ann", "1700", "1"}, {"bo", "1600", "2"}}},
        TUserInfo{"eva", "2024-01-02", "10:11", "5", "40",
                  {Statistics(1, 2, 3, "4", "1500"), Statistics(0, 0, 0, "0", "0"), Statistics(7, 0, 1, "2", "1620"),
                   Statistics(2, 9, 0, "12", "1410")}},
        first, next, TUploadRequest{}, TUpdateItem{"file.pac"}, TBanner{2, "http://b"}, TCameras{true},
        TUrl{7, "http://y"}, TWebTabs{2, {{"News", "Web", "http://n", 60, "http://c"}, {"Help", "Web", "http://h", 0, ""}}},
        TQuestion{"Best game?", {"Tumblix", "Yatzy"}}, TTableOpened{2, "eva", 1612, "5 points"},
        TTableClosed{4, "eva"}, TJoinRequest{3, "bo", 1490}, DuelStart(), GammonStart(), YatzyStart(),
        TGameData{std::string(255, '\x05')}, TRunningGame{4, {{"ann", "1"}, {"bo", "2"}, {"cy", "3"}}},
        TGameEnded{"ann"}, TGameResult{2, "12", "1", "2", "3"}, TGameResult{1, "0", "", "", ""},
        TRatingChange{2, "150012", "149900"}, TTournament{6, "2", "a", "b"}, TTournament{3, "", "", ""},
        TPreviewStop{1}, TPreviewState{1, 2, Tumblix()}, TPreviewState{2, 3, GammonWithDice()},
        TPreviewState{3, 4, Puzzle()}, TPreviewState{4, 1, std::monostate{}},
        TTumblixCells{1, 2, {{1, 2, 3}, {12, 26, 7}}}, TTumblixRowAdded{2, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        TTumblixRowRemoved{3, 2, 17}, TTumblixNumber{4, 9}, TPuzzleNumber{1, 8}, TGammonDice{2, 3, 6},
        TGammonDiceState{3, 4}, TGammonMove{4, 25, 6}, TGammonUndo{1, 2, 3, 4}, TPreviewEnd{2, 1},
        TGammonCube{3, 2, "64"}, TPuzzleShot{4, 1, 5, 126, 6, 9}, TPuzzleCellSet{{1, 2, 3, 4, 5}},
        TPuzzleCellCleared{{2, 1, 0, 6, 9}});
}

// Every message the client sends.
inline auto ClientSamples() {
    TLogon logon{.Alias = "ib", .Password = "pw", .Distribution = 12, .Machine = 4000000000};
    TLogon registration = logon;
    registration.Registration = true;
    registration.Year = 1990;
    registration.Month = 5;
    registration.Day = 17;
    registration.Gender = 1;
    registration.Face = 2;
    return std::make_tuple(
        THello{}, TVersionAnswer{"lobbivex", "3.61"}, logon, registration,
        TAccountUpdate{"new", false, 0, 0, 0, 0, 2}, TAccountUpdate{"", true, 1985, 6, 1, 1, 0}, TAccountRequest{},
        TPingReply{250}, TUrlRequest{7}, TAnswer{3}, TBannerRequest{}, TSetOption{17, 2}, TPingRequest{},
        TLeaveRoom{258}, TEnterRoom{1}, TCloseRoom{65535}, TSay{300, "hello there"}, TInfoRequest{"eva"},
        TOpenRoom{1, "eva"}, TForumAdd{12, "bo"}, TCreateTable{2, "5"}, TWithdrawTable{3},
        TAskToJoin{4, "ann"}, TStartTable{4, {"bo", "cy", "dee"}}, TGamePayload{2, std::string("2\x03\x04", 3)},
        TWatch{2, "ann", 4}, THiscoreRequest{3, 1, 100});
}

}  // namespace protocoltest
