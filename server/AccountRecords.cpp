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
                "SELECT s.game, s.won, s.lost, s.dropped, s.score,"
                " 1 + (SELECT count(*) FROM statistics o WHERE o.game = s.game AND o.score > s.score"
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
        r.score = s.Int(4);
        r.place = r.won + r.lost + r.dropped > 0 ? s.Int(5) : 0;
    }
    return rc == SQLITE_DONE;
}

bool AccountStore::AddResult(int64_t id, int game, int won, int lost, int dropped, int64_t score) {
    if (game < 1 || game > kGameKinds) return false;
    Statement s(m_db,
                "INSERT INTO statistics (account_id, game, won, lost, dropped, score)"
                " VALUES (?1, ?2, ?3, ?4, ?5, ?6)"
                " ON CONFLICT (account_id, game) DO UPDATE SET won = won + ?3, lost = lost + ?4,"
                " dropped = dropped + ?5, score = score + ?6");
    s.Bind(1, id).Bind(2, game).Bind(3, won).Bind(4, lost).Bind(5, dropped).Bind(6, score);
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
