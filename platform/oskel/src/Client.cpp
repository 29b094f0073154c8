// Client.cpp - the client object OskelPI: one connection at a time.
//
// States: closed (no session) and open (a session holding the connection).
// OpenOskel always leaves the closed state behind it first; CloseOskel and
// the destructor return to it from either state. Handles given out keep only
// a weak reference to the connection, so closing really ends it.
//
// Not implemented: the library's other members (writing, blocks, other
// snapshot queries); a client label is accepted and not checked.

#include <memory>
#include <string>

#include "CallTrace.h"
#include "Database.h"
#include "NativeFiles.h"
#include "Objects.h"
#include <OskelPI.h>

using Oskel::Result;
using namespace standin::oskel::detail;

namespace Oskel {

class OskelPI::Session {
public:
    explicit Session(std::shared_ptr<Database> database) : m_database(std::move(database)) {}
    const std::shared_ptr<Database>& GetDatabase() const { return m_database; }

private:
    std::shared_ptr<Database> m_database;
};

OskelPI::OskelPI() = default;

OskelPI::~OskelPI()
{
    m_session.reset();
    RecordEvent("~OskelPI");
}

Result OskelPI::OpenOskel(ProjectData& project)
{
    return Traced("OpenOskel", project.m_databasePath.c_str(), project.m_clientLabel.c_str(), [&] {
        m_session.reset();
        // The path is a Windows path naming the keyin.oskel folder; an
        // unmapped drive names nothing.
        const std::string folder = NativeFolder(project.m_databasePath.c_str());
        if (folder.empty())
            return Result::Failure();
        std::shared_ptr<Database> database = Database::Open(NativeChild(folder, "design.db"));
        if (!database)
            return Result::Failure();
        m_session = std::make_unique<Session>(std::move(database));
        return Result::Success();
    });
}

Result OskelPI::GetSnapshotByName(ContainerT<const ISnapshot>& snapshot, const String& name)
{
    return Traced("GetSnapshotByName", name.c_str(), [&] {
        if (!m_session)
            return Result::Failure();
        const std::shared_ptr<Database>& database = m_session->GetDatabase();
        const std::optional<sqlite3_int64> id = database->FindSnapshot(std::string(name.c_str(), name.GetLength()));
        if (!id)
            return Result::Failure();
        snapshot = *std::make_shared<const SnapshotObject>(database, *id);
        return Result::Success();
    });
}

Result OskelPI::CloseOskel()
{
    return Traced("CloseOskel", [&] {
        m_session.reset();
        return Result::Success();
    });
}

}  // namespace Oskel
