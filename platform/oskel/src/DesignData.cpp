// DesignData.cpp - reading a design's rows into compact storage, and the
// layer and constraint objects that answer from it.

#include "DesignData.h"

#include <algorithm>
#include <cstring>

#include "CallTrace.h"

using Oskel::Result;

namespace standin::oskel::detail {
namespace {

// Resets a query when a read of it ends, so that no read of the database is
// left running between calls.
class RunEnd {
public:
    explicit RunEnd(Statement& query) : m_query(query) {}
    ~RunEnd() { m_query.Restart(); }
    RunEnd(const RunEnd&) = delete;
    RunEnd& operator=(const RunEnd&) = delete;

private:
    Statement& m_query;
};

}  // namespace

// ---- constraints ------------------------------------------------------------

ConstraintObject::ConstraintObject(const DesignData& data, TextRef name, TextRef value, std::optional<int> valueType)
    : m_data(&data), m_name(name), m_value(value), m_valueType(valueType.value_or(0)),
      m_hasValueType(valueType.has_value())
{}

std::shared_ptr<const void> ConstraintObject::ShareOwnership() const
{
    return m_data != nullptr ? m_data->shared_from_this() : nullptr;
}

bool ConstraintObject::HasName(const char* name) const
{
    return m_data != nullptr && std::strlen(name) == m_name.length &&
           std::memcmp(m_data->Text(m_name), name, m_name.length) == 0;
}

Result ConstraintObject::GetValueByString(Oskel::String& value, Oskel::EConstraintType& type) const
{
    const std::string_view name = m_data != nullptr ? std::string_view(m_data->Text(m_name), m_name.length) : "";
    return Traced("GetValueByString", name, [&] {
        // A value with an embedded NUL cannot be handed over as narrow text.
        if (m_data == nullptr || !m_value.present || m_value.holdsNul || !m_hasValueType)
            return Result::Failure();
        value = m_data->Text(m_value);
        type = static_cast<Oskel::EConstraintType>(m_valueType);
        return Result::Success();
    });
}

// ---- layers -----------------------------------------------------------------

LayerObject::LayerObject(const DesignData& data, std::optional<int> type, TextRef name, std::optional<int> metalNumber)
    : m_data(&data), m_name(name), m_type(type.value_or(0)), m_metalNumber(metalNumber.value_or(0)),
      m_hasType(type.has_value()), m_hasMetalNumber(metalNumber.has_value())
{}

std::shared_ptr<const void> LayerObject::ShareOwnership() const
{
    return m_data != nullptr ? m_data->shared_from_this() : nullptr;
}

void LayerObject::SetConstraints(std::uint32_t first, std::uint32_t count)
{
    m_firstConstraint = first;
    m_constraintCount = count;
}

Result LayerObject::GetConstraint(Oskel::ContainerT<const Oskel::ITrelConstraint>& constraint, const char* name) const
{
    return Traced("GetConstraint", name ? name : "", [&] {
        if (name == nullptr || m_data == nullptr || !m_data->ConstraintsReadable())
            return Result::Failure();
        const std::vector<ConstraintObject>& all = m_data->Constraints();
        for (std::uint32_t i = m_firstConstraint; i < m_firstConstraint + m_constraintCount; ++i) {
            if (all[i].HasName(name)) {
                constraint = all[i];
                return Result::Success();
            }
        }
        return Result::Failure();
    });
}

Result LayerObject::GetType(Oskel::ELayerType& type) const
{
    return Traced("GetType", [&] {
        if (!m_hasType)
            return Result::Failure();
        type = static_cast<Oskel::ELayerType>(m_type);
        return Result::Success();
    });
}

Result LayerObject::GetMetallicLayerNumber(int& number) const
{
    return Traced("GetMetallicLayerNumber", [&] {
        if (!m_hasMetalNumber)
            return Result::Failure();
        number = m_metalNumber;
        return Result::Success();
    });
}

Result LayerObject::GetName(Oskel::String& name) const
{
    return Traced("GetName", [&] {
        if (m_data == nullptr || !m_name.present || m_name.holdsNul)
            return Result::Failure();
        name = m_data->Text(m_name);
        return Result::Success();
    });
}

// ---- reading ----------------------------------------------------------------

std::shared_ptr<const DesignData> DesignData::Read(Database& database, sqlite3_int64 id)
{
    auto data = std::make_shared<DesignData>();
    data->m_bounds = GetDesignBounds();
    std::vector<sqlite3_int64> layerIds;  // of each layer, in layer order
    if (!data->ReadLayers(database, id, layerIds))
        return nullptr;
    bool beyondBound = false;
    data->ReadConstraints(database, id, layerIds, beyondBound);
    if (beyondBound)
        return nullptr;
    data->m_text.shrink_to_fit();
    return data;
}

bool DesignData::Keep(const std::optional<std::string_view>& column, TextRef& piece)
{
    piece = TextRef();
    if (!column)
        return true;
    if (column->size() >= m_bounds.textBytes - std::min(m_text.size(), m_bounds.textBytes))
        return false;
    piece.offset = static_cast<std::uint32_t>(m_text.size());
    piece.length = static_cast<std::uint32_t>(column->size());
    piece.present = true;
    piece.holdsNul = column->find('\0') != std::string_view::npos;
    m_text.append(column->data(), column->size());
    m_text.push_back('\0');
    return true;
}

bool DesignData::ReadLayers(Database& database, sqlite3_int64 id, std::vector<sqlite3_int64>& layerIds)
{
    Statement* const query = database.LayerRows(id, static_cast<sqlite3_int64>(m_bounds.layers) + 1);
    if (query == nullptr)
        return false;
    const RunEnd end(*query);
    for (;;) {
        const Statement::Step step = query->Next();
        if (step == Statement::Step::Done)
            return true;
        if (step == Statement::Step::Error || m_layers.size() == m_bounds.layers)
            return false;
        const std::optional<sqlite3_int64> layerId = query->Int64Column(0);
        TextRef name;
        if (!layerId || !Keep(query->TextView(2), name))
            return false;
        m_layers.emplace_back(*this, query->IntColumn(1), name, query->IntColumn(3));
        layerIds.push_back(*layerId);
    }
}

void DesignData::ReadConstraints(Database& database, sqlite3_int64 id, const std::vector<sqlite3_int64>& layerIds,
                                 bool& beyondBound)
{
    Statement* const query = database.ConstraintRows(id, static_cast<sqlite3_int64>(m_bounds.constraints) + 1);
    if (query == nullptr)
        return;

    // The rows come in any order; each goes to the layers of its layer id,
    // in the order the rows came. Ids are ranked to place them: a layer id
    // may occur twice in a hand-made table, and then both layers have the
    // constraints of that id.
    std::vector<sqlite3_int64> ranks = layerIds;
    std::sort(ranks.begin(), ranks.end());
    ranks.erase(std::unique(ranks.begin(), ranks.end()), ranks.end());
    const auto rankOf = [&ranks](sqlite3_int64 layerId) {
        return static_cast<std::size_t>(std::lower_bound(ranks.begin(), ranks.end(), layerId) - ranks.begin());
    };

    struct Row {
        std::size_t rank;
        ConstraintObject constraint;
    };
    std::vector<Row> rows;
    {
        const RunEnd end(*query);
        std::size_t read = 0;
        for (;;) {
            const Statement::Step step = query->Next();
            if (step == Statement::Step::Done)
                break;
            if (step == Statement::Step::Error)
                return;
            if (++read > m_bounds.constraints) {
                beyondBound = true;
                return;
            }
            const std::optional<sqlite3_int64> layerId = query->Int64Column(0);
            const std::optional<std::string_view> name = query->TextView(1);
            // A constraint without a usable name can never be asked for.
            if (!layerId || !name)
                continue;
            const std::size_t rank = rankOf(*layerId);
            if (rank == ranks.size() || ranks[rank] != *layerId)
                continue;
            TextRef namePiece;
            TextRef valuePiece;
            if (!Keep(name, namePiece) || !Keep(query->TextView(2), valuePiece)) {
                beyondBound = true;
                return;
            }
            rows.push_back(Row{rank, ConstraintObject(*this, namePiece, valuePiece, query->IntColumn(3))});
        }
    }

    // Grouped by rank, keeping the order of the rows within a group.
    std::vector<std::uint32_t> start(ranks.size() + 1, 0);
    for (const Row& row : rows)
        ++start[row.rank + 1];
    for (std::size_t rank = 0; rank < ranks.size(); ++rank)
        start[rank + 1] += start[rank];
    std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
    m_constraints.resize(rows.size());
    for (Row& row : rows)
        m_constraints[next[row.rank]++] = row.constraint;
    for (std::size_t layer = 0; layer < m_layers.size(); ++layer) {
        const std::size_t rank = rankOf(layerIds[layer]);
        m_layers[layer].SetConstraints(start[rank], start[rank + 1] - start[rank]);
    }
    m_constraintsReadable = true;
}

}  // namespace standin::oskel::detail
