// Statement.h - RAII wrappers of an SQLite connection and prepared statement,
// with the strict column conversions the client applies.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace standin::oskel::detail {

struct ConnectionCloser {
    void operator()(sqlite3* connection) const { sqlite3_close_v2(connection); }
};
using ConnectionPtr = std::unique_ptr<sqlite3, ConnectionCloser>;

class Statement {
public:
    enum class Step { Row, Done, Error };

    Statement(sqlite3* connection, const char* sql);
    bool IsPrepared() const { return m_statement != nullptr; }

    // Resets the statement for a new run and clears its bindings.
    void Restart();
    bool Bind(int index, const std::string& text);
    bool Bind(int index, sqlite3_int64 value);
    Step Next();

    // An integer column: absent when NULL, not an integer, or outside int.
    std::optional<int> IntColumn(int column) const;
    // An integer column of any width: absent when NULL or not an integer.
    std::optional<sqlite3_int64> Int64Column(int column) const;
    // A text column: absent when NULL or not text.
    std::optional<std::string> TextColumn(int column) const;
    // The same, without a copy: valid until the next step or reset.
    std::optional<std::string_view> TextView(int column) const;

private:
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
    };
    std::unique_ptr<sqlite3_stmt, Finalizer> m_statement;
};

}  // namespace standin::oskel::detail
