// Database.h - one read-only connection to a design database file.
//
// Invariants: the connection is opened immutable and read-only, so SQLite
// takes no lock and creates no journal, WAL or shm file beside the database;
// a database lacking a table or column that a query of the client needs does
// not open. The snapshot and configuration lookups, which follow every open,
// are prepared at open; the design, layer and constraint queries, which only
// a stack-up read runs, are prepared at their first use, their tables and
// columns having been checked at open. Lookups answer nothing both when no
// row matches and when the rows cannot be read: either way the call fails.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "Statement.h"

namespace standin::oskel::detail {

class Database {
public:
    // Opens <nativeFile> or answers null: the file must be a regular file with
    // no unfinished write beside it, an SQLite database with our
    // application_id, format version 1 and the five tables.
    static std::shared_ptr<Database> Open(const std::string& nativeFile);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    std::optional<sqlite3_int64> FindSnapshot(const std::string& name);
    std::optional<sqlite3_int64> FindConfig(sqlite3_int64 snapshotId, const std::string& name);
    std::optional<sqlite3_int64> FindDesign(sqlite3_int64 configId);
    // The design's layers, ready to step: id, type, name, metal_number, in
    // ascending position, at most `limit` rows. Null when the query cannot
    // run. The caller restarts the query when done with it.
    Statement* LayerRows(sqlite3_int64 designId, sqlite3_int64 limit);
    // The constraints of the design's layers, ready to step: layer_id, name,
    // value, value_type, in no particular order, at most `limit` rows.
    Statement* ConstraintRows(sqlite3_int64 designId, sqlite3_int64 limit);

private:
    explicit Database(ConnectionPtr connection);
    bool PrepareQueries();
    bool HasColumnsOfLaterQueries() const;
    // The query in slot, prepared from sql at the first call; null when it cannot be prepared.
    Statement* Query(std::unique_ptr<Statement>& slot, const char* sql);
    // The query in slot, restarted, with the design and the limit bound.
    Statement* DesignQuery(std::unique_ptr<Statement>& slot, const char* sql, sqlite3_int64 designId,
                           sqlite3_int64 limit);
    std::optional<sqlite3_int64> FindId(Statement& query);

    ConnectionPtr m_connection;
    std::unique_ptr<Statement> m_findSnapshot;
    std::unique_ptr<Statement> m_findConfig;
    std::unique_ptr<Statement> m_findDesign;
    std::unique_ptr<Statement> m_layerRows;
    std::unique_ptr<Statement> m_constraintRows;
};

}  // namespace standin::oskel::detail
