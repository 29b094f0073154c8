// Statement.cpp - prepared statements and strict column conversions.

#include "Statement.h"

#include <climits>

namespace standin::oskel::detail {

Statement::Statement(sqlite3* connection, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(connection, sql, -1, &statement, nullptr) == SQLITE_OK)
        m_statement.reset(statement);
    else
        sqlite3_finalize(statement);
}

void Statement::Restart()
{
    sqlite3_reset(m_statement.get());
    sqlite3_clear_bindings(m_statement.get());
}

bool Statement::Bind(int index, const std::string& text)
{
    return sqlite3_bind_text(m_statement.get(), index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT) ==
           SQLITE_OK;
}

bool Statement::Bind(int index, sqlite3_int64 value)
{
    return sqlite3_bind_int64(m_statement.get(), index, value) == SQLITE_OK;
}

Statement::Step Statement::Next()
{
    switch (sqlite3_step(m_statement.get())) {
    case SQLITE_ROW: return Step::Row;
    case SQLITE_DONE: return Step::Done;
    default: return Step::Error;
    }
}

std::optional<sqlite3_int64> Statement::Int64Column(int column) const
{
    // Reading the type first: a later conversion would change the stored value.
    if (sqlite3_column_type(m_statement.get(), column) != SQLITE_INTEGER)
        return std::nullopt;
    return sqlite3_column_int64(m_statement.get(), column);
}

std::optional<int> Statement::IntColumn(int column) const
{
    const std::optional<sqlite3_int64> value = Int64Column(column);
    if (!value || *value < INT_MIN || *value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<std::string> Statement::TextColumn(int column) const
{
    const std::optional<std::string_view> text = TextView(column);
    if (!text)
        return std::nullopt;
    return std::string(*text);
}

std::optional<std::string_view> Statement::TextView(int column) const
{
    if (sqlite3_column_type(m_statement.get(), column) != SQLITE_TEXT)
        return std::nullopt;
    const unsigned char* text = sqlite3_column_text(m_statement.get(), column);
    const int length = sqlite3_column_bytes(m_statement.get(), column);
    if (text == nullptr)  // out of memory
        return std::nullopt;
    return std::string_view(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
}

}  // namespace standin::oskel::detail
