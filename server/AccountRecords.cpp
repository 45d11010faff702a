// The account store's records beside the accounts: statistics per game kind
// and the operator's questions. The accounts themselves are in
// AccountStore.cpp.
#include "AccountStore.h"

#include "SqlStatement.h"

namespace server {
namespace {

constexpr char kFieldEnd = 0x01;

// Answers are kept as the question window receives them: each one ended by
// 0x01.
std::string JoinAnswers(const std::vector<std::string>& answers) {
    std::string joined;
    for (const std::string& a : answers) joined += a + kFieldEnd;
    return joined;
}

std::vector<std::string> SplitAnswers(const std::string& joined) {
    std::vector<std::string> answers;
    size_t at = 0;
    for (size_t end; (end = joined.find(kFieldEnd, at)) != std::string::npos; at = end + 1)
        answers.push_back(joined.substr(at, end - at));
    return answers;
}

}  // namespace

bool AccountStore::Statistics(int64_t id, GameRecords& records) const {
    records = GameRecords{};
    Statement s(m_db,
                "SELECT s.game, s.won, s.lost, s.dropped, s.rating,"
                " 1 + (SELECT count(*) FROM statistics o WHERE o.game = s.game AND o.rating > s.rating"
                "      AND o.won + o.lost + o.dropped > 0)"
                " FROM statistics s WHERE s.account_id = ?1");
    if (!s.Ok()) return false;
    s.Bind(1, id);
    int rc;
    while ((rc = s.Step()) == SQLITE_ROW) {
        int64_t game = s.Int(0);
        if (game < 1 || game > kGameKinds) continue;
        GameRecord& r = records[static_cast<size_t>(game - 1)];
        r.won = s.Int(1);
        r.lost = s.Int(2);
        r.dropped = s.Int(3);
        bool played = r.won + r.lost + r.dropped > 0;
        r.score = played ? Glicko{s.Real(4)}.Whole() : 0;
        r.place = played ? s.Int(5) : 0;
    }
    return rc == SQLITE_DONE;
}

bool AccountStore::Standing(int64_t id, int game, GameStanding& standing) const {
    standing = GameStanding{};
    Statement s(m_db,
                "SELECT won, lost, dropped, rating, deviation, volatility, last_played_at"
                " FROM statistics WHERE account_id = ?1 AND game = ?2");
    if (!s.Ok()) return false;
    s.Bind(1, id).Bind(2, game);
    int rc = s.Step();
    if (rc == SQLITE_DONE) return true;
    if (rc != SQLITE_ROW) return false;
    standing.won = s.Int(0);
    standing.lost = s.Int(1);
    standing.dropped = s.Int(2);
    standing.rating = Glicko{s.Real(3), s.Real(4), s.Real(5)};
    standing.lastPlayedAt = s.Int(6);
    return true;
}

bool AccountStore::SaveStanding(int64_t id, int game, const GameStanding& g) {
    if (game < 1 || game > kGameKinds) return false;
    Statement s(m_db,
                "INSERT INTO statistics (account_id, game, won, lost, dropped, rating, deviation, volatility,"
                " last_played_at) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)"
                " ON CONFLICT (account_id, game) DO UPDATE SET won = ?3, lost = ?4, dropped = ?5,"
                " rating = ?6, deviation = ?7, volatility = ?8, last_played_at = ?9");
    s.Bind(1, id).Bind(2, game).Bind(3, g.won).Bind(4, g.lost).Bind(5, g.dropped);
    s.BindReal(6, g.rating.rating).BindReal(7, g.rating.deviation).BindReal(8, g.rating.volatility);
    s.Bind(9, g.lastPlayedAt);
    return s.Step() == SQLITE_DONE;
}

int64_t AccountStore::AddQuestion(int64_t accountId, const std::string& question,
                                  const std::vector<std::string>& answers, int64_t unixTime) {
    Statement s(m_db, "INSERT INTO questions (account_id, question, answers, asked_at) VALUES (?1, ?2, ?3, ?4)");
    s.Bind(1, accountId).Bind(2, question).Bind(3, JoinAnswers(answers)).Bind(4, unixTime);
    return s.Step() == SQLITE_DONE ? sqlite3_last_insert_rowid(m_db) : 0;
}

bool AccountStore::AnswerQuestion(int64_t questionId, int answer, int64_t unixTime) {
    Statement s(m_db, "UPDATE questions SET answer = ?2, answered_at = ?3 WHERE id = ?1");
    s.Bind(1, questionId).Bind(2, answer).Bind(3, unixTime);
    return s.Step() == SQLITE_DONE && sqlite3_changes(m_db) == 1;
}

std::vector<QuestionRecord> AccountStore::Questions(const std::string& alias, int limit) const {
    std::vector<QuestionRecord> list;
    Statement s(m_db,
                "SELECT q.id, a.alias, q.question, q.answers, q.asked_at, q.answer, q.answered_at"
                " FROM questions q JOIN accounts a ON a.id = q.account_id"
                " WHERE ?1 = '' OR a.alias = ?1 ORDER BY q.id DESC LIMIT ?2");
    s.Bind(1, alias).Bind(2, limit);
    while (s.Step() == SQLITE_ROW) {
        QuestionRecord q;
        q.id = s.Int(0);
        q.alias = s.Text(1);
        q.question = s.Text(2);
        q.answers = SplitAnswers(s.Text(3));
        q.askedAt = s.Int(4);
        q.answer = static_cast<int>(s.Int(5));
        q.answeredAt = s.Int(6);
        list.push_back(std::move(q));
    }
    return list;
}

}  // namespace server
