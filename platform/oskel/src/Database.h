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
#include <vector>

#include "Statement.h"

namespace standin::oskel::detail {

struct ConstraintRow {
    std::string name;
    std::optional<std::string> value;
    std::optional<int> valueType;
};

// A NULL column, or a value that does not fit the field, is absent.
struct LayerRow {
    sqlite3_int64 id = 0;
    std::optional<int> type;
    std::optional<std::string> name;
    std::optional<int> metalNumber;
};

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
    // In ascending position.
    std::optional<std::vector<LayerRow>> ReadLayers(sqlite3_int64 designId);
    // Constraints of all layers of the design, each with its layer's id.
    std::optional<std::vector<std::pair<sqlite3_int64, ConstraintRow>>> ReadConstraints(sqlite3_int64 designId);

private:
    explicit Database(ConnectionPtr connection);
    bool PrepareQueries();
    bool HasColumnsOfLaterQueries() const;
    // The query in slot, prepared from sql at the first call; null when it cannot be prepared.
    Statement* Query(std::unique_ptr<Statement>& slot, const char* sql);
    std::optional<sqlite3_int64> FindId(Statement& query);

    ConnectionPtr m_connection;
    std::unique_ptr<Statement> m_findSnapshot;
    std::unique_ptr<Statement> m_findConfig;
    std::unique_ptr<Statement> m_findDesign;
    std::unique_ptr<Statement> m_readLayers;
    std::unique_ptr<Statement> m_readConstraints;
};

}  // namespace standin::oskel::detail
