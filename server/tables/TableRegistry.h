// The open tables of every game kind and the join requests they received.
//
// A user has at most one open table per kind. Others ask to join it (each
// once); the creator starts a game with some of those who asked, which
// takes the table away. A table also goes when its creator withdraws it,
// leaves the service or sits down at another game (RemovePlayer), and when
// it has waited kTimeoutMs without a start (Expire, driven by the clock
// value the caller passes, so time-outs are tested without waiting).
//
// The registry checks only what it holds; whether a user is playing is the
// caller's to check. Aliases are matched without regard to letter case.
// Every table that appears or goes is announced through TableEvents.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/TableEvents.h"

namespace server {

struct RefusedRequest {
    TableRefusal reason;
    std::string name;  // the alias concerned, if any
};

struct Table {
    rules::TGameKind kind;
    Player creator;
    int matchLength = 1;
    int64_t rating = 0;  // the creator's, as announced
    std::string text;    // the match length as announced
    int64_t openedAtMs = 0;
    std::vector<Player> joiners;  // in the order they asked
};

class TableRegistry {
public:
    // A table that nobody started goes after two minutes, as in the client.
    static constexpr int64_t kTimeoutMs = 120000;

    explicit TableRegistry(TableEvents& events) : m_events(events) {}

    std::optional<RefusedRequest> Open(rules::TGameKind kind, const Player& creator, int matchLength, int64_t rating,
                                int64_t nowMs);
    std::optional<RefusedRequest> Ask(rules::TGameKind kind, const Player& joiner, std::string_view creatorName,
                               int64_t joinerRating);
    std::optional<RefusedRequest> Withdraw(rules::TGameKind kind, const std::string& creatorAlias);
    // Checks a start with the chosen joiners (names as the client sent them)
    // and, when it may go ahead, takes the table away and fills `started`
    // with the creator and the chosen joiners in the order given.
    std::optional<RefusedRequest> TakeForStart(rules::TGameKind kind, const std::string& creatorAlias,
                                        const std::vector<std::string>& chosen, Table& started);
    // The user's tables are withdrawn and their join requests forgotten.
    void RemovePlayer(const std::string& alias);
    // Withdraws the tables that have waited kTimeoutMs or longer.
    void Expire(int64_t nowMs);

    // Every open table, in the order they were opened.
    const std::vector<Table>& Tables() const { return m_tables; }
    const Table* Find(rules::TGameKind kind, std::string_view creatorName) const;

private:
    std::vector<Table>::iterator FindTable(rules::TGameKind kind, std::string_view creatorName);
    void Close(std::vector<Table>::iterator table);
    void CloseWhere(const std::function<bool(const Table&)>& doomed);

    TableEvents& m_events;
    std::vector<Table> m_tables;
};

// True when both aliases name the same user (ASCII letters in any case).
bool SameAlias(std::string_view a, std::string_view b);

}  // namespace server
