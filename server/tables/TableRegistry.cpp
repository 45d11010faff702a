#include "tables/TableRegistry.h"

#include <algorithm>

#include "tables/MatchSetting.h"

namespace server {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool Asked(const Table& table, std::string_view name) {
    return std::any_of(table.joiners.begin(), table.joiners.end(),
                       [&](const Player& p) { return SameAlias(p.alias, name); });
}

bool HasDuplicates(const std::vector<std::string>& names) {
    for (size_t i = 0; i < names.size(); ++i)
        for (size_t j = i + 1; j < names.size(); ++j)
            if (SameAlias(names[i], names[j])) return true;
    return false;
}

}  // namespace

bool SameAlias(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

std::vector<Table>::iterator TableRegistry::FindTable(rules::TGameKind kind, std::string_view creatorName) {
    return std::find_if(m_tables.begin(), m_tables.end(), [&](const Table& t) {
        return t.kind == kind && SameAlias(t.creator.alias, creatorName);
    });
}

const Table* TableRegistry::Find(rules::TGameKind kind, std::string_view creatorName) const {
    for (const Table& t : m_tables)
        if (t.kind == kind && SameAlias(t.creator.alias, creatorName)) return &t;
    return nullptr;
}

void TableRegistry::Close(std::vector<Table>::iterator table) {
    rules::TGameKind kind = table->kind;
    std::string creator = table->creator.alias;
    m_tables.erase(table);
    m_events.TableClosed(kind, creator);
}

std::optional<RefusedRequest> TableRegistry::Open(rules::TGameKind kind, const Player& creator, int matchLength,
                                           int64_t rating, int64_t nowMs) {
    if (FindTable(kind, creator.alias) != m_tables.end()) return RefusedRequest{TableRefusal::TableOpen, ""};
    Table table{kind, creator, matchLength, rating, DescribeMatchLength(kind, matchLength), nowMs, {}};
    m_tables.push_back(table);
    m_events.TableOpened(kind, creator.alias, rating, table.text);
    return std::nullopt;
}

std::optional<RefusedRequest> TableRegistry::Ask(rules::TGameKind kind, const Player& joiner, std::string_view creatorName,
                                          int64_t joinerRating) {
    auto table = FindTable(kind, creatorName);
    if (table == m_tables.end()) return RefusedRequest{TableRefusal::NoTable, std::string(creatorName)};
    if (SameAlias(table->creator.alias, joiner.alias)) return RefusedRequest{TableRefusal::OwnTable, ""};
    if (Asked(*table, joiner.alias)) return RefusedRequest{TableRefusal::AlreadyAsked, ""};
    table->joiners.push_back(joiner);
    m_events.JoinRequested(kind, table->creator.alias, joiner.alias, joinerRating);
    return std::nullopt;
}

std::optional<RefusedRequest> TableRegistry::Withdraw(rules::TGameKind kind, const std::string& creatorAlias) {
    auto table = FindTable(kind, creatorAlias);
    if (table == m_tables.end()) return RefusedRequest{TableRefusal::NoTable, ""};
    Close(table);
    return std::nullopt;
}

std::optional<RefusedRequest> TableRegistry::TakeForStart(rules::TGameKind kind, const std::string& creatorAlias,
                                                   const std::vector<std::string>& chosen, Table& started) {
    auto table = FindTable(kind, creatorAlias);
    if (table == m_tables.end()) return RefusedRequest{TableRefusal::NoTable, ""};
    int players = static_cast<int>(chosen.size()) + 1;
    if (players < rules::MinPlayers(kind) || players > rules::MaxPlayers(kind) || HasDuplicates(chosen))
        return RefusedRequest{TableRefusal::PlayerCount, ""};
    std::vector<Player> seated;
    for (const std::string& name : chosen) {
        auto joiner = std::find_if(table->joiners.begin(), table->joiners.end(),
                                   [&](const Player& p) { return SameAlias(p.alias, name); });
        if (joiner == table->joiners.end()) return RefusedRequest{TableRefusal::NotAsking, name};
        seated.push_back(*joiner);
    }
    started = *table;
    started.joiners = std::move(seated);
    Close(table);
    return std::nullopt;
}

void TableRegistry::RemovePlayer(const std::string& alias) {
    for (Table& table : m_tables)
        std::erase_if(table.joiners, [&](const Player& p) { return SameAlias(p.alias, alias); });
    CloseWhere([&](const Table& t) { return SameAlias(t.creator.alias, alias); });
}

void TableRegistry::Expire(int64_t nowMs) {
    CloseWhere([&](const Table& t) { return nowMs - t.openedAtMs >= kTimeoutMs; });
}

void TableRegistry::CloseWhere(const std::function<bool(const Table&)>& doomed) {
    auto kept = std::stable_partition(m_tables.begin(), m_tables.end(), [&](const Table& t) { return !doomed(t); });
    std::vector<Table> closed(std::make_move_iterator(kept), std::make_move_iterator(m_tables.end()));
    m_tables.erase(kept, m_tables.end());
    for (const Table& t : closed) m_events.TableClosed(t.kind, t.creator.alias);
}

}  // namespace server
