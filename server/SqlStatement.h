// A prepared SQLite statement that finalises itself, for the stores that
// share the server's one database handle. Binding and stepping never throw;
// a statement that failed to prepare steps to SQLITE_ERROR.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>

namespace server {

class Statement {
public:
    Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Ok() const { return m_stmt != nullptr; }
    // Texts are bytes: bound with their length, so 0x01 field ends survive.
    Statement& Bind(int index, const std::string& text) {
        sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& Bind(int index, int64_t value) {
        sqlite3_bind_int64(m_stmt, index, value);
        return *this;
    }
    // Named apart from Bind: an int argument would be ambiguous otherwise.
    Statement& BindReal(int index, double value) {
        sqlite3_bind_double(m_stmt, index, value);
        return *this;
    }
    int Step() { return m_stmt ? sqlite3_step(m_stmt) : SQLITE_ERROR; }
    int64_t Int(int column) const { return sqlite3_column_int64(m_stmt, column); }
    double Real(int column) const { return sqlite3_column_double(m_stmt, column); }
    std::string Text(int column) const {
        const unsigned char* p = sqlite3_column_text(m_stmt, column);
        return p ? std::string(reinterpret_cast<const char*>(p),
                               static_cast<size_t>(sqlite3_column_bytes(m_stmt, column)))
                 : std::string();
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

}  // namespace server
