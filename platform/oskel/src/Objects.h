// Objects.h - the database objects behind the handles.
//
// An object that leads to further objects (snapshot -> configuration ->
// design) keeps only a weak reference to the connection, so reaching further
// needs the connection open, while a design holds its layers and their
// constraints outright (DesignData.h). Objects are always created by
// make_shared, so a handle can share their ownership; the detached objects
// (what an empty handle dereferences to) live for the whole run and fail
// every call.
#pragma once

#include <memory>

#include "Database.h"
#include "DesignData.h"
#include <OskelPI.h>

namespace standin::oskel::detail {

class SnapshotObject final : public Oskel::ISnapshot, public std::enable_shared_from_this<SnapshotObject> {
public:
    SnapshotObject(std::weak_ptr<Database> database, sqlite3_int64 id);
    std::shared_ptr<const void> ShareOwnership() const override;
    Oskel::Result GetTrelConfig(Oskel::ContainerT<const Oskel::ITrelConfig>& config,
                                const Oskel::String& name) const override;

private:
    std::weak_ptr<Database> m_database;
    sqlite3_int64 m_id;
};

class ConfigObject final : public Oskel::ITrelConfig, public std::enable_shared_from_this<ConfigObject> {
public:
    ConfigObject(std::weak_ptr<Database> database, sqlite3_int64 id);
    std::shared_ptr<const void> ShareOwnership() const override;
    Oskel::Result GetTrelDesign(Oskel::ContainerT<const Oskel::ITrelDesign>& design) const override;

private:
    std::weak_ptr<Database> m_database;
    sqlite3_int64 m_id;
};

class DesignObject final : public Oskel::ITrelDesign, public std::enable_shared_from_this<DesignObject> {
public:
    using Layers = Oskel::IteratorT<const Oskel::ITrelLayer>::Items;

    // Reads the design's layers and their constraints; a design whose layers
    // cannot be read, or that is beyond the bounds of DesignData.h, is still
    // made, and fails GetIterLayers.
    static std::shared_ptr<DesignObject> Load(Database& database, sqlite3_int64 id);

    // data null: the layers are unreadable.
    explicit DesignObject(std::shared_ptr<const DesignData> data);
    std::shared_ptr<const void> ShareOwnership() const override;
    Oskel::Result GetIterLayers(Oskel::IteratorT<const Oskel::ITrelLayer>& layers) const override;

private:
    std::shared_ptr<const DesignData> m_data;  // null when unreadable
    std::shared_ptr<const Layers> m_layers;    // a handle of each layer of m_data
};

}  // namespace standin::oskel::detail
