// The referee of one running game: it sees every payload the players' game
// windows send ("G", kind, payload: only the payload reaches it) and decides
// what the others receive and what the server adds on its own.
//
// What every kind shares lives here:
// - a payload is relayed unchanged to the other players;
// - ">" (the window is shown, or a result was acknowledged) is not relayed:
//   when every player has sent it, everyone receives ">", which starts the
//   game (or the next game of the match); the marks are then cleared;
// - byte 25 (the window closes) or leaving the service forfeits: the others
//   receive byte 21 (which closes their windows) and win, the leaver is
//   counted as dropped, and the match ends.
// Each kind derives its own referee (one file each) and overrides the hooks
// below to follow its game through the rules library. After the match has
// ended a referee ignores everything.
//
// A referee tells the game's live previews of every change a watcher sees
// through a PreviewSink (nothing happens when the game has none).
//
// Seats count from 0 in the order of the start (the creator first).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "previews/PreviewSink.h"
#include "rules/GameKind.h"

namespace server {

// How a match ended, by seat. A seat in none of the lists took no part in
// the decision (for instance a player who dropped out earlier).
struct MatchOutcome {
    std::vector<int> winners, losers, dropped;
};

// What a referee may do: the running game implements it.
class RefereeHost {
public:
    virtual ~RefereeHost() = default;
    virtual void SendTo(int seat, std::string_view payload) = 0;
    // The match is over; the game ends once the referee's call returns.
    virtual void EndMatch(const MatchOutcome& outcome) = 0;
    // The alias of a seat, for the chat lines a referee builds.
    virtual std::string AliasOf(int seat) const = 0;
    // A player left a match that goes on without them (a drop-out): they
    // are free to play elsewhere and receive nothing more from it.
    virtual void SeatLeft(int seat) = 0;
};

struct RefereeSetup {
    rules::TGameKind kind = rules::TGameKind::Tumblix;
    int seats = 2;
    int matchLength = 1;  // won games, or points in Backgammon
    uint32_t seed = 0;    // the seed every player's set-up received
    // Seeds for the later games of a match; empty: none are drawn (a kind
    // that needs them derives them from seed).
    std::function<uint32_t()> seeds;
    std::vector<std::string> names;  // the players' aliases in seat order
    // The page each advertisement panel (1..3) of the Backgammon and Yatzy
    // windows shows, sent when the match begins; empty: none.
    std::array<std::string, 3> adverts;
};

class Referee {
public:
    static constexpr char kReady = '>';           // 62
    static constexpr char kCloseWindow = 21;      // to a player: close the window
    static constexpr char kLeaving = 25;          // from a player: the window closes

    Referee(RefereeHost& host, const RefereeSetup& setup);
    virtual ~Referee() = default;
    Referee(const Referee&) = delete;
    Referee& operator=(const Referee&) = delete;

    // One payload (1 to 255 bytes) of the player in seat.
    void Receive(int seat, std::string_view payload);
    // The player in seat left the service.
    void Leave(int seat);
    // Called regularly with the server's clock, for what a kind does over
    // time.
    void Tick(int64_t nowMs);
    bool Over() const { return m_over; }
    int MatchLength() const { return m_setup.matchLength; }
    // The previews of the game, told of changes from now on; the sink must
    // outlive the referee.
    void SetPreviewSink(PreviewSink& sink) { m_preview = &sink; }

protected:
    // Extension points of the kinds. The defaults give the shared behaviour
    // above; an override may call them for what it does not handle itself.
    virtual void OnPayload(int seat, std::string_view payload);
    virtual void OnAllReady();
    virtual void OnForfeit(int seat);
    virtual void OnTick(int64_t nowMs) { (void)nowMs; }

    void Relay(int from, std::string_view payload);
    void SendTo(int seat, std::string_view payload);
    void SendAll(std::string_view payload);
    void EndMatch(const MatchOutcome& outcome);
    // Each advertisement panel's page as the payload build(panel, url)
    // gives; an address too long for a game message is left out.
    std::vector<std::string> Adverts(const std::function<std::string(int panel, const std::string& url)>& build) const;
    // Records a ">" and calls OnAllReady when it was the last one missing.
    void MarkReady(int seat);

    int Seats() const { return m_setup.seats; }
    RefereeHost& Host() { return m_host; }
    const RefereeSetup& Setup() const { return m_setup; }
    PreviewSink& Preview() { return *m_preview; }

private:
    static PreviewSink s_noPreview;

    RefereeHost& m_host;
    RefereeSetup m_setup;
    std::vector<bool> m_ready;
    bool m_over = false;
    PreviewSink* m_preview = &s_noPreview;
};

}  // namespace server
