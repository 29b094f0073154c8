// Objects.h - the database objects behind the handles.
//
// Each object owns the rows it answers from; an object that leads to further
// objects (snapshot -> configuration -> design) keeps only a weak reference
// to the connection, so reaching further needs the connection open, while a
// design holds its layers and each layer its constraints outright. Objects
// are always created by make_shared, so a handle can share their ownership;
// the detached objects (what an empty handle dereferences to) live for the
// whole run and fail every call.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Database.h"
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

class ConstraintObject final : public Oskel::ITrelConstraint, public std::enable_shared_from_this<ConstraintObject> {
public:
    explicit ConstraintObject(ConstraintRow row);
    std::shared_ptr<const void> ShareOwnership() const override;
    Oskel::Result GetValueByString(Oskel::String& value, Oskel::EConstraintType& type) const override;

    const std::string& Name() const { return m_row.name; }

private:
    ConstraintRow m_row;
};

using Constraints = std::vector<std::shared_ptr<const ConstraintObject>>;

class LayerObject final : public Oskel::ITrelLayer, public std::enable_shared_from_this<LayerObject> {
public:
    // constraints is absent when they could not be read.
    LayerObject(LayerRow row, std::optional<Constraints> constraints);
    std::shared_ptr<const void> ShareOwnership() const override;
    Oskel::Result GetConstraint(Oskel::ContainerT<const Oskel::ITrelConstraint>& constraint,
                                const char* name) const override;
    Oskel::Result GetType(Oskel::ELayerType& type) const override;
    Oskel::Result GetMetallicLayerNumber(int& number) const override;
    Oskel::Result GetName(Oskel::String& name) const override;

private:
    LayerRow m_row;
    std::optional<Constraints> m_constraints;
};

class DesignObject final : public Oskel::ITrelDesign, public std::enable_shared_from_this<DesignObject> {
public:
    using Layers = Oskel::IteratorT<const Oskel::ITrelLayer>::Items;

    // Reads the design's layers and their constraints; a design whose layers
    // cannot be read is still made, and fails GetIterLayers.
    static std::shared_ptr<DesignObject> Load(Database& database, sqlite3_int64 id);

    explicit DesignObject(std::shared_ptr<const Layers> layers);
    std::shared_ptr<const void> ShareOwnership() const override;
    Oskel::Result GetIterLayers(Oskel::IteratorT<const Oskel::ITrelLayer>& layers) const override;

private:
    std::shared_ptr<const Layers> m_layers;  // null when unreadable
};

}  // namespace standin::oskel::detail
