// Writer.cpp - authoring of keyin.oskel folders: marker file and design.db.
//
// The database is written in one transaction in rollback-journal mode, so a
// finished file has no journal or WAL beside it; on any failure the partly
// written file is removed.

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <type_traits>
#include <utility>

#include "Statement.h"
#include "standin/oskel_writer.h"

namespace standin::oskel {
namespace {

namespace fs = std::filesystem;
using detail::ConnectionPtr;
using detail::Statement;

const char kSchema[] =
    "PRAGMA journal_mode = DELETE;"
    "PRAGMA application_id = 1330860876;"
    "PRAGMA user_version = 1;"
    "BEGIN;"
    "CREATE TABLE snapshot ("
    "  id   INTEGER PRIMARY KEY,"
    "  name TEXT NOT NULL UNIQUE);"
    "CREATE TABLE trel_config ("
    "  id          INTEGER PRIMARY KEY,"
    "  snapshot_id INTEGER NOT NULL REFERENCES snapshot(id),"
    "  name        TEXT NOT NULL,"
    "  UNIQUE (snapshot_id, name));"
    "CREATE TABLE trel_design ("
    "  id        INTEGER PRIMARY KEY,"
    "  config_id INTEGER NOT NULL UNIQUE REFERENCES trel_config(id));"
    "CREATE TABLE trel_layer ("
    "  id           INTEGER PRIMARY KEY,"
    "  design_id    INTEGER NOT NULL REFERENCES trel_design(id),"
    "  position     INTEGER NOT NULL,"
    "  type         INTEGER,"
    "  name         TEXT,"
    "  metal_number INTEGER,"
    "  UNIQUE (design_id, position));"
    "CREATE TABLE trel_constraint ("
    "  layer_id   INTEGER NOT NULL REFERENCES trel_layer(id),"
    "  name       TEXT NOT NULL,"
    "  value      TEXT,"
    "  value_type INTEGER NOT NULL DEFAULT 0,"
    "  PRIMARY KEY (layer_id, name));";

class DatabaseWriter {
public:
    explicit DatabaseWriter(sqlite3* connection) : m_connection(connection) {}

    bool Write(const Description& description)
    {
        if (!Execute(kSchema))
            return false;
        Statement snapshot(m_connection, "INSERT INTO snapshot (name) VALUES (?1)");
        Statement config(m_connection, "INSERT INTO trel_config (snapshot_id, name) VALUES (?1, ?2)");
        Statement design(m_connection, "INSERT INTO trel_design (config_id) VALUES (?1)");
        Statement layer(m_connection,
                        "INSERT INTO trel_layer (design_id, position, type, name, metal_number)"
                        " VALUES (?1, ?2, ?3, ?4, ?5)");
        Statement constraint(m_connection,
                             "INSERT INTO trel_constraint (layer_id, name, value, value_type)"
                             " VALUES (?1, ?2, ?3, ?4)");
        if (!snapshot.IsPrepared() || !config.IsPrepared() || !design.IsPrepared() || !layer.IsPrepared() ||
            !constraint.IsPrepared())
            return Fail();

        for (const SnapshotDescription& snapshotDescription : description.snapshots) {
            snapshot.Restart();
            if (!snapshot.Bind(1, snapshotDescription.name) || !Insert(snapshot))
                return false;
            const sqlite3_int64 snapshotId = sqlite3_last_insert_rowid(m_connection);
            for (const ConfigDescription& configDescription : snapshotDescription.configs) {
                config.Restart();
                if (!config.Bind(1, snapshotId) || !config.Bind(2, configDescription.name) || !Insert(config))
                    return false;
                if (!configDescription.design)
                    continue;
                const sqlite3_int64 configId = sqlite3_last_insert_rowid(m_connection);
                design.Restart();
                if (!design.Bind(1, configId) || !Insert(design))
                    return false;
                const sqlite3_int64 designId = sqlite3_last_insert_rowid(m_connection);
                for (const LayerDescription& layerDescription : configDescription.design->layers) {
                    layer.Restart();
                    if (!layer.Bind(1, designId) || !layer.Bind(2, sqlite3_int64{layerDescription.position}) ||
                        !BindOptional(layer, 3, layerDescription.type) ||
                        !BindOptional(layer, 4, layerDescription.name) ||
                        !BindOptional(layer, 5, layerDescription.metalNumber) || !Insert(layer))
                        return false;
                    const sqlite3_int64 layerId = sqlite3_last_insert_rowid(m_connection);
                    for (const ConstraintDescription& constraintDescription : layerDescription.constraints) {
                        constraint.Restart();
                        if (!constraint.Bind(1, layerId) || !constraint.Bind(2, constraintDescription.name) ||
                            !BindOptional(constraint, 3, constraintDescription.value) ||
                            !constraint.Bind(4, sqlite3_int64{constraintDescription.valueType}) || !Insert(constraint))
                            return false;
                    }
                }
            }
        }
        return Execute("COMMIT;");
    }

    const std::string& Error() const { return m_error; }

private:
    template <class T>
    bool BindOptional(Statement& statement, int index, const std::optional<T>& value)
    {
        // An unbound parameter is NULL; Restart has cleared the bindings.
        if (!value)
            return true;
        if constexpr (std::is_same_v<T, long long>)
            return statement.Bind(index, sqlite3_int64{*value});
        else
            return statement.Bind(index, *value);
    }

    bool Insert(Statement& statement) { return statement.Next() == Statement::Step::Done || Fail(); }

    bool Execute(const char* sql)
    {
        char* message = nullptr;
        if (sqlite3_exec(m_connection, sql, nullptr, nullptr, &message) == SQLITE_OK)
            return true;
        m_error = message ? message : sqlite3_errmsg(m_connection);
        sqlite3_free(message);
        return false;
    }

    bool Fail()
    {
        m_error = sqlite3_errmsg(m_connection);
        return false;
    }

    sqlite3* m_connection;
    std::string m_error;
};

bool Report(std::string* error, std::string message)
{
    if (error != nullptr)
        *error = std::move(message);
    return false;
}

}  // namespace

bool WriteOskel(const std::string& nativeKeyinOskelFolder, const Description& description, std::string* error)
{
    if (nativeKeyinOskelFolder.empty())
        return Report(error, "no folder given");

    const fs::path folder(nativeKeyinOskelFolder);
    std::error_code code;
    fs::create_directories(folder, code);
    if (!code && !fs::is_directory(folder, code) && !code)
        code = std::make_error_code(std::errc::not_a_directory);
    if (code)
        return Report(error, "cannot create folder " + folder.string() + ": " + code.message());

    const fs::path file = folder / "design.db";
    if (fs::symlink_status(file, code).type() != fs::file_type::not_found)
        return Report(error, file.string() + " already exists");

    const fs::path marker = folder / "sids";
    {
        errno = 0;
        std::ofstream sids(marker, std::ios::binary | std::ios::trunc);
        if (!sids)
            return Report(error, "cannot write " + marker.string() + ": " + std::strerror(errno != 0 ? errno : EIO));
    }

    sqlite3* raw = nullptr;
    const int opened =
        sqlite3_open_v2(file.u8string().c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    ConnectionPtr connection(raw);
    bool written = false;
    std::string reason;
    if (opened == SQLITE_OK) {
        DatabaseWriter writer(connection.get());
        written = writer.Write(description);
        reason = writer.Error();
    } else {
        reason = raw ? sqlite3_errmsg(raw) : "cannot open";
    }
    connection.reset();  // closing rolls back an unfinished transaction

    if (!written) {
        fs::remove(file, code);
        fs::remove(fs::path(file.string() + "-journal"), code);
        return Report(error, "cannot write " + file.string() + ": " + reason);
    }
    return true;
}

Description PcbDescription(std::vector<LayerDescription> layers)
{
    ConfigDescription config{"PCB", DesignDescription{std::move(layers)}};
    SnapshotDescription snapshot{"PCB", {std::move(config)}};
    return Description{{std::move(snapshot)}};
}

LayerDescription ConductorLayer(long long position, std::string name, long long metalNumber,
                                std::optional<std::string> usage)
{
    LayerDescription layer;
    layer.position = position;
    layer.type = 0;
    layer.name = std::move(name);
    layer.metalNumber = metalNumber;
    if (usage)
        layer.constraints.push_back(ConstraintDescription{"LAYER_USAGE", std::move(usage), 0});
    return layer;
}

LayerDescription OtherLayer(long long position, long long type, std::string name)
{
    LayerDescription layer;
    layer.position = position;
    layer.type = type;
    layer.name = std::move(name);
    return layer;
}

}  // namespace standin::oskel
