// DesignData.h - a design's layers and constraints, read once into compact
// storage that their handles share.
//
// A design is read row by row straight into this store: per layer its kind,
// metal-layer number and name, per constraint its name, value and value type,
// every text in one buffer. Layer and constraint objects live in the store's
// arrays; a handle to one of them shares ownership of the whole store, so it
// stays valid after the connection is closed and the client object is gone,
// and nothing of it refers to the database.
//
// Bounds (<standin/oskel.h>): by default 100,000 layers, the job-preferences
// client's bound; 200,000 constraints, two a layer at the most layers (a
// usage and one more); and 16 MiB of names and values, a job-preferences
// file's bound. A design past any of them is not read at all; its layers
// count as unreadable. Reading stops at the first row past a bound, so the
// work a design can cause stays bounded whatever the size of its file: at
// every bound at once, a read takes about as long as the job-preferences
// client's at its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Database.h"
#include <OskelPI.h>
#include "standin/oskel.h"

namespace standin::oskel::detail {

class DesignData;

// A piece of the store's text; absent for a NULL or non-text column.
struct TextRef {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    bool present = false;
    bool holdsNul = false;  // cannot be handed over as narrow text
};

class ConstraintObject final : public Oskel::ITrelConstraint {
public:
    ConstraintObject() = default;  // detached: every call fails
    ConstraintObject(const DesignData& data, TextRef name, TextRef value, std::optional<int> valueType);

    std::shared_ptr<const void> ShareOwnership() const override;
    Oskel::Result GetValueByString(Oskel::String& value, Oskel::EConstraintType& type) const override;

    bool HasName(const char* name) const;

private:
    const DesignData* m_data = nullptr;
    TextRef m_name;
    TextRef m_value;
    int m_valueType = 0;
    bool m_hasValueType = false;
};

class LayerObject final : public Oskel::ITrelLayer {
public:
    LayerObject() = default;  // detached: every call fails
    LayerObject(const DesignData& data, std::optional<int> type, TextRef name, std::optional<int> metalNumber);

    std::shared_ptr<const void> ShareOwnership() const override;
    Oskel::Result GetConstraint(Oskel::ContainerT<const Oskel::ITrelConstraint>& constraint,
                                const char* name) const override;
    Oskel::Result GetType(Oskel::ELayerType& type) const override;
    Oskel::Result GetMetallicLayerNumber(int& number) const override;
    Oskel::Result GetName(Oskel::String& name) const override;

    // The layer's constraints: [first, first + count) of the store's.
    void SetConstraints(std::uint32_t first, std::uint32_t count);

private:
    const DesignData* m_data = nullptr;
    TextRef m_name;
    int m_type = 0;
    int m_metalNumber = 0;
    std::uint32_t m_firstConstraint = 0;
    std::uint32_t m_constraintCount = 0;
    bool m_hasType = false;
    bool m_hasMetalNumber = false;
};

class DesignData final : public std::enable_shared_from_this<DesignData> {
public:
    // Reads the layers of design `id` and their constraints; null when the
    // layers cannot be read or the design is beyond a bound. Constraints that
    // cannot be read leave the layers readable, every GetConstraint failing.
    static std::shared_ptr<const DesignData> Read(Database& database, sqlite3_int64 id);

    const std::vector<LayerObject>& Layers() const { return m_layers; }
    const std::vector<ConstraintObject>& Constraints() const { return m_constraints; }
    bool ConstraintsReadable() const { return m_constraintsReadable; }
    // The text of a present piece, with a NUL after it.
    const char* Text(const TextRef& piece) const { return m_text.data() + piece.offset; }

    // Made by Read only; public for make_shared.
    DesignData() = default;
    DesignData(const DesignData&) = delete;
    DesignData& operator=(const DesignData&) = delete;

private:
    bool ReadLayers(Database& database, sqlite3_int64 id, std::vector<sqlite3_int64>& layerIds);
    void ReadConstraints(Database& database, sqlite3_int64 id, const std::vector<sqlite3_int64>& layerIds,
                         bool& beyondBound);
    // Appends a column's text to the store; false past the bound.
    bool Keep(const std::optional<std::string_view>& column, TextRef& piece);

    standin::oskel::DesignBounds m_bounds;  // while reading
    std::string m_text;
    std::vector<LayerObject> m_layers;            // in ascending position
    std::vector<ConstraintObject> m_constraints;  // grouped by layer
    bool m_constraintsReadable = false;
};

}  // namespace standin::oskel::detail
