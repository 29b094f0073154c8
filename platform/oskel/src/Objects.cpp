// Objects.cpp - snapshots, configurations, designs, layers and constraints.

#include "Objects.h"

#include <cstring>
#include <map>
#include <utility>

#include "CallTrace.h"

using Oskel::Result;

namespace standin::oskel::detail {

SnapshotObject::SnapshotObject(std::weak_ptr<Database> database, sqlite3_int64 id)
    : m_database(std::move(database)), m_id(id)
{}

std::shared_ptr<const void> SnapshotObject::ShareOwnership() const { return weak_from_this().lock(); }

Result SnapshotObject::GetTrelConfig(Oskel::ContainerT<const Oskel::ITrelConfig>& config,
                                     const Oskel::String& name) const
{
    return Traced("GetTrelConfig", name.c_str(), [&] {
        const std::shared_ptr<Database> database = m_database.lock();
        if (!database)
            return Result::Failure();
        const std::optional<sqlite3_int64> id = database->FindConfig(m_id, std::string(name.c_str(), name.GetLength()));
        if (!id)
            return Result::Failure();
        config = *std::make_shared<const ConfigObject>(m_database, *id);
        return Result::Success();
    });
}

ConfigObject::ConfigObject(std::weak_ptr<Database> database, sqlite3_int64 id)
    : m_database(std::move(database)), m_id(id)
{}

std::shared_ptr<const void> ConfigObject::ShareOwnership() const { return weak_from_this().lock(); }

Result ConfigObject::GetTrelDesign(Oskel::ContainerT<const Oskel::ITrelDesign>& design) const
{
    return Traced("GetTrelDesign", [&] {
        const std::shared_ptr<Database> database = m_database.lock();
        if (!database)
            return Result::Failure();
        const std::optional<sqlite3_int64> id = database->FindDesign(m_id);
        if (!id)
            return Result::Failure();
        design = *DesignObject::Load(*database, *id);
        return Result::Success();
    });
}

ConstraintObject::ConstraintObject(ConstraintRow row) : m_row(std::move(row)) {}

std::shared_ptr<const void> ConstraintObject::ShareOwnership() const { return weak_from_this().lock(); }

Result ConstraintObject::GetValueByString(Oskel::String& value, Oskel::EConstraintType& type) const
{
    return Traced("GetValueByString", m_row.name, [&] {
        // A value with an embedded NUL cannot be handed over as narrow text.
        if (!m_row.value || !m_row.valueType || m_row.value->find('\0') != std::string::npos)
            return Result::Failure();
        value = m_row.value->c_str();
        type = static_cast<Oskel::EConstraintType>(*m_row.valueType);
        return Result::Success();
    });
}

LayerObject::LayerObject(LayerRow row, std::optional<Constraints> constraints)
    : m_row(std::move(row)), m_constraints(std::move(constraints))
{}

std::shared_ptr<const void> LayerObject::ShareOwnership() const { return weak_from_this().lock(); }

Result LayerObject::GetConstraint(Oskel::ContainerT<const Oskel::ITrelConstraint>& constraint, const char* name) const
{
    return Traced("GetConstraint", name ? name : "", [&] {
        if (name == nullptr || !m_constraints)
            return Result::Failure();
        for (const std::shared_ptr<const ConstraintObject>& candidate : *m_constraints) {
            if (candidate->Name() == name) {
                constraint = *candidate;
                return Result::Success();
            }
        }
        return Result::Failure();
    });
}

Result LayerObject::GetType(Oskel::ELayerType& type) const
{
    return Traced("GetType", [&] {
        if (!m_row.type)
            return Result::Failure();
        type = static_cast<Oskel::ELayerType>(*m_row.type);
        return Result::Success();
    });
}

Result LayerObject::GetMetallicLayerNumber(int& number) const
{
    return Traced("GetMetallicLayerNumber", [&] {
        if (!m_row.metalNumber)
            return Result::Failure();
        number = *m_row.metalNumber;
        return Result::Success();
    });
}

Result LayerObject::GetName(Oskel::String& name) const
{
    return Traced("GetName", [&] {
        if (!m_row.name || m_row.name->find('\0') != std::string::npos)
            return Result::Failure();
        name = m_row.name->c_str();
        return Result::Success();
    });
}

std::shared_ptr<DesignObject> DesignObject::Load(Database& database, sqlite3_int64 id)
{
    std::optional<std::vector<LayerRow>> rows = database.ReadLayers(id);
    if (!rows)
        return std::make_shared<DesignObject>(nullptr);

    // Constraints that cannot be read make every layer's GetConstraint fail,
    // not the design.
    std::optional<std::map<sqlite3_int64, Constraints>> byLayer;
    if (auto constraints = database.ReadConstraints(id)) {
        byLayer.emplace();
        for (auto& [layerId, row] : *constraints)
            (*byLayer)[layerId].push_back(std::make_shared<const ConstraintObject>(std::move(row)));
    }

    auto layers = std::make_shared<Layers>();
    layers->reserve(rows->size());
    for (LayerRow& row : *rows) {
        std::optional<Constraints> own;
        if (byLayer) {
            const auto found = byLayer->find(row.id);
            own = found != byLayer->end() ? found->second : Constraints();
        }
        layers->push_back(*std::make_shared<const LayerObject>(std::move(row), std::move(own)));
    }
    return std::make_shared<DesignObject>(std::move(layers));
}

DesignObject::DesignObject(std::shared_ptr<const Layers> layers) : m_layers(std::move(layers)) {}

std::shared_ptr<const void> DesignObject::ShareOwnership() const { return weak_from_this().lock(); }

Result DesignObject::GetIterLayers(Oskel::IteratorT<const Oskel::ITrelLayer>& layers) const
{
    return Traced("GetIterLayers", [&] {
        if (!m_layers)
            return Result::Failure();
        layers = Oskel::IteratorT<const Oskel::ITrelLayer>(m_layers);
        return Result::Success();
    });
}

}  // namespace standin::oskel::detail

// The interfaces' out-of-line members and their detached objects.
namespace Oskel {

using namespace standin::oskel::detail;

IOskelObject::~IOskelObject() = default;
ISnapshot::~ISnapshot() = default;
ITrelConfig::~ITrelConfig() = default;
ITrelDesign::~ITrelDesign() = default;
IObjectTrel::~IObjectTrel() = default;
ITrelLayer::~ITrelLayer() = default;
ITrelConstraint::~ITrelConstraint() = default;
IBlock::~IBlock() = default;

const ISnapshot& ISnapshot::Detached()
{
    static const SnapshotObject detached({}, 0);
    return detached;
}

const ITrelConfig& ITrelConfig::Detached()
{
    static const ConfigObject detached({}, 0);
    return detached;
}

const ITrelDesign& ITrelDesign::Detached()
{
    static const DesignObject detached(nullptr);
    return detached;
}

const ITrelLayer& ITrelLayer::Detached()
{
    static const LayerObject detached(LayerRow{}, std::nullopt);
    return detached;
}

const ITrelConstraint& ITrelConstraint::Detached()
{
    static const ConstraintObject detached(ConstraintRow{});
    return detached;
}

}  // namespace Oskel
