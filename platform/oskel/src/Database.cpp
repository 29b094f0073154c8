// Database.cpp - opening a design database read-only and the queries of the
// client.
//
// Why "immutable": a read-only connection still takes file locks, and on a
// file in WAL mode it needs the -shm file, which SQLite would create. Opened
// immutable, SQLite reads the main file alone, takes no lock and creates
// nothing. The price is that a write in progress is not seen, so a database
// with a WAL file or a hot rollback journal beside it is refused rather than
// read half-written.

#include "Database.h"

#include <cstdint>
#include <cstring>

#include "CallTrace.h"
#include "NativeFiles.h"
#include "ReadOnlyVfs.h"

namespace standin::oskel::detail {
namespace {

// The value the documented schema sets (PRAGMA application_id = 1330860876),
// which is 0x4F53534C.
constexpr int kApplicationId = 1330860876;
constexpr int kFormatVersion = 1;

// Which of the two files of an unfinished write can matter, by the header's
// file format numbers (offsets 18 and 19): 2 and 2 for a database in WAL
// mode, 1 and 1 for one in rollback-journal mode. SQLite turns a database
// into rollback mode only after its WAL is checkpointed and deleted, and
// into WAL mode by a transaction that changes nothing but those two bytes;
// so a database in rollback mode has no WAL that holds pages it lacks, and
// one in WAL mode no hot journal that could undo anything but the mode.
// Other numbers: both are looked for.
struct UnfinishedWriteFiles {
    bool wal = true;
    bool journal = true;
};

UnfinishedWriteFiles FilesToLookFor(int writeVersion, int readVersion)
{
    if (writeVersion == 1 && readVersion == 1)
        return {false, true};
    if (writeVersion == 2 && readVersion == 2)
        return {true, false};
    return {};
}

// A non-empty WAL file may hold committed pages the main file lacks; a
// journal whose first byte is not zero is hot (SQLite's own test): the main
// file may be half-written until a writer rolls it back. SQLite writes a
// journal as a regular file only; anything else of that name is none, and
// a FIFO is never waited on.
bool HasUnfinishedWrite(const std::string& databaseFile, UnfinishedWriteFiles files)
{
    if (files.wal && HasData(databaseFile + "-wal"))
        return true;
    if (!files.journal)
        return false;
    const std::optional<unsigned char> first = FirstByteOfRegularFile(databaseFile + "-journal");
    return first && *first != 0;
}

const char kFindSnapshot[] = "SELECT id FROM snapshot WHERE name = ?1 COLLATE BINARY ORDER BY id LIMIT 1";
const char kFindConfig[] =
    "SELECT id FROM trel_config WHERE snapshot_id = ?1 AND name = ?2 COLLATE BINARY ORDER BY id LIMIT 1";
const char kFindDesign[] = "SELECT id FROM trel_design WHERE config_id = ?1 ORDER BY id LIMIT 1";
// Both read rows as they find them, so that a limit ends the work: with the
// index of the layers' (design_id, position), the layers come in position
// order without a sort.
const char kLayerRows[] =
    "SELECT id, type, name, metal_number FROM trel_layer WHERE design_id = ?1 ORDER BY position, id LIMIT ?2";
const char kConstraintRows[] =
    "SELECT c.layer_id, c.name, c.value, c.value_type FROM trel_layer AS l"
    " JOIN trel_constraint AS c ON c.layer_id = l.id WHERE l.design_id = ?1 LIMIT ?2";

// The tables and columns that kFindDesign, kLayerRows and kConstraintRows
// name. Preparing them costs several times an open's other work, and
// discovery never runs them, so an open only checks that they are there.
struct TableColumns {
    const char* table;
    const char* columns[6];
};
const TableColumns kLaterQueryColumns[] = {
    {"trel_design", {"id", "config_id"}},
    {"trel_layer", {"id", "design_id", "position", "type", "name", "metal_number"}},
    {"trel_constraint", {"layer_id", "name", "value", "value_type"}},
};

// The application_id and user_version of the database header (big-endian,
// at offsets 68 and 60), the values PRAGMA application_id and user_version
// answer, read through the connection's own file: two PRAGMA statements cost
// more than the rest of an open's own checks. Nothing when the file is too
// short or lacks the header's magic string; a header that is wrong in other
// ways fails the first query.
struct HeaderIds {
    std::int64_t applicationId = 0;
    std::int64_t userVersion = 0;
    int writeVersion = 0;  // the file format numbers
    int readVersion = 0;
};

std::optional<HeaderIds> ReadHeaderIds(sqlite3* connection)
{
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(connection, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || file == nullptr ||
        file->pMethods == nullptr)
        return std::nullopt;
    unsigned char header[100];
    if (file->pMethods->xRead(file, header, sizeof header, 0) != SQLITE_OK)
        return std::nullopt;
    static const char kMagic[] = "SQLite format 3";  // 16 bytes with its NUL
    if (std::memcmp(header, kMagic, sizeof kMagic) != 0)
        return std::nullopt;
    const auto signed32 = [&header](std::size_t offset) {
        const std::uint32_t value = std::uint32_t{header[offset]} << 24 | std::uint32_t{header[offset + 1]} << 16 |
                                    std::uint32_t{header[offset + 2]} << 8 | std::uint32_t{header[offset + 3]};
        return static_cast<std::int64_t>(static_cast<std::int32_t>(value));
    };
    return HeaderIds{signed32(68), signed32(60), header[18], header[19]};
}

// Runs a single-row lookup of an id and leaves the statement reset.
class LookupRun {
public:
    explicit LookupRun(Statement& query) : m_query(query) { m_query.Restart(); }
    ~LookupRun() { m_query.Restart(); }
    LookupRun(const LookupRun&) = delete;
    LookupRun& operator=(const LookupRun&) = delete;

private:
    Statement& m_query;
};

}  // namespace

std::shared_ptr<Database> Database::Open(const std::string& nativeFile)
{
    if (nativeFile.empty())
        return nullptr;

    // The file layer refuses anything but a regular file and never waits on
    // a FIFO. The open reads the header (in the first block, which holds the
    // whole of a small database); the look for an unfinished write follows
    // it, before anything else of the database is used.
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(ImmutableUri(nativeFile).c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI,
                                       ReadOnlyVfsName());
    ConnectionPtr connection(raw);
    if (opened != SQLITE_OK)
        return nullptr;

    // The file comes from a shared library: do not let its schema run
    // anything beyond plain reads.
    sqlite3_db_config(connection.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(connection.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);

    // A file that is not a database fails here.
    const std::optional<HeaderIds> ids = ReadHeaderIds(connection.get());
    if (!ids || ids->applicationId != kApplicationId || ids->userVersion != kFormatVersion ||
        HasUnfinishedWrite(nativeFile, FilesToLookFor(ids->writeVersion, ids->readVersion)))
        return nullptr;

    std::shared_ptr<Database> database(new Database(std::move(connection)));
    if (!database->PrepareQueries())
        return nullptr;
    return database;
}

Database::Database(ConnectionPtr connection) : m_connection(std::move(connection)) { ConnectionOpened(); }

Database::~Database()
{
    // Statements go before the connection they belong to.
    m_findSnapshot.reset();
    m_findConfig.reset();
    m_findDesign.reset();
    m_layerRows.reset();
    m_constraintRows.reset();
    m_connection.reset();
    ConnectionClosed();
}

bool Database::PrepareQueries()
{
    sqlite3* connection = m_connection.get();
    m_findSnapshot = std::make_unique<Statement>(connection, kFindSnapshot);
    m_findConfig = std::make_unique<Statement>(connection, kFindConfig);
    if (!m_findSnapshot->IsPrepared() || !m_findConfig->IsPrepared())
        return false;
    if (HasColumnsOfLaterQueries())
        return true;
    // The check knows tables only: a schema that answers a query some other
    // way (a view in place of a table) is tried by preparing the queries.
    return Query(m_findDesign, kFindDesign) != nullptr && Query(m_layerRows, kLayerRows) != nullptr &&
           Query(m_constraintRows, kConstraintRows) != nullptr;
}

bool Database::HasColumnsOfLaterQueries() const
{
    for (const TableColumns& table : kLaterQueryColumns) {
        for (const char* column : table.columns) {
            if (column != nullptr &&
                sqlite3_table_column_metadata(m_connection.get(), "main", table.table, column, nullptr, nullptr,
                                              nullptr, nullptr, nullptr) != SQLITE_OK)
                return false;
        }
    }
    return true;
}

Statement* Database::Query(std::unique_ptr<Statement>& slot, const char* sql)
{
    if (!slot)
        slot = std::make_unique<Statement>(m_connection.get(), sql);
    return slot->IsPrepared() ? slot.get() : nullptr;
}

std::optional<sqlite3_int64> Database::FindId(Statement& query)
{
    if (query.Next() != Statement::Step::Row)
        return std::nullopt;
    return query.Int64Column(0);
}

std::optional<sqlite3_int64> Database::FindSnapshot(const std::string& name)
{
    LookupRun run(*m_findSnapshot);
    if (!m_findSnapshot->Bind(1, name))
        return std::nullopt;
    return FindId(*m_findSnapshot);
}

std::optional<sqlite3_int64> Database::FindConfig(sqlite3_int64 snapshotId, const std::string& name)
{
    LookupRun run(*m_findConfig);
    if (!m_findConfig->Bind(1, snapshotId) || !m_findConfig->Bind(2, name))
        return std::nullopt;
    return FindId(*m_findConfig);
}

std::optional<sqlite3_int64> Database::FindDesign(sqlite3_int64 configId)
{
    Statement* const query = Query(m_findDesign, kFindDesign);
    if (query == nullptr)
        return std::nullopt;
    LookupRun run(*query);
    if (!query->Bind(1, configId))
        return std::nullopt;
    return FindId(*query);
}

Statement* Database::DesignQuery(std::unique_ptr<Statement>& slot, const char* sql, sqlite3_int64 designId,
                                 sqlite3_int64 limit)
{
    Statement* const query = Query(slot, sql);
    if (query == nullptr)
        return nullptr;
    query->Restart();
    if (!query->Bind(1, designId) || !query->Bind(2, limit))
        return nullptr;
    return query;
}

Statement* Database::LayerRows(sqlite3_int64 designId, sqlite3_int64 limit)
{
    return DesignQuery(m_layerRows, kLayerRows, designId, limit);
}

Statement* Database::ConstraintRows(sqlite3_int64 designId, sqlite3_int64 limit)
{
    return DesignQuery(m_constraintRows, kConstraintRows, designId, limit);
}

}  // namespace standin::oskel::detail
