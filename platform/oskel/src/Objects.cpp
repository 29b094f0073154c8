// Objects.cpp - snapshots, configurations, designs, layers and constraints.

#include "Objects.h"

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

std::shared_ptr<DesignObject> DesignObject::Load(Database& database, sqlite3_int64 id)
{
    return std::make_shared<DesignObject>(DesignData::Read(database, id));
}

DesignObject::DesignObject(std::shared_ptr<const DesignData> data) : m_data(std::move(data))
{
    if (!m_data)
        return;
    auto layers = std::make_shared<Layers>();
    layers->reserve(m_data->Layers().size());
    for (const LayerObject& layer : m_data->Layers())
        layers->emplace_back(layer);
    m_layers = std::move(layers);
}

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
    static const LayerObject detached;
    return detached;
}

const ITrelConstraint& ITrelConstraint::Detached()
{
    static const ConstraintObject detached;
    return detached;
}

}  // namespace Oskel
