// standin/oskel_writer.h - authoring of design databases ("keyin.oskel"
// folders) for tests and the authoring tool.
//
// Writes the folder, its empty marker file "sids" and "design.db" in the
// documented form: rollback-journal mode, application_id 1330860876,
// user_version 1, the five tables. Never overwrites an existing design.db.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "standin/oskel.h"

namespace standin::oskel {

// Integer columns take 64-bit values so that values outside int can be
// written on purpose; an absent optional writes NULL.
struct ConstraintDescription {
    std::string name;
    std::optional<std::string> value;
    long long valueType = 0;  // Oskel::EConstraintType
};

struct LayerDescription {
    long long position = 0;         // the design's layer order, ascending
    std::optional<long long> type;  // Oskel::ELayerType
    std::optional<std::string> name;
    std::optional<long long> metalNumber;
    std::vector<ConstraintDescription> constraints;
};

struct DesignDescription {
    std::vector<LayerDescription> layers;
};

struct ConfigDescription {
    std::string name;
    std::optional<DesignDescription> design;  // a configuration has at most one design
};

struct SnapshotDescription {
    std::string name;
    std::vector<ConfigDescription> configs;
};

struct Description {
    std::vector<SnapshotDescription> snapshots;
};

// Creates nativeKeyinOskelFolder (and missing parents), the empty file "sids"
// in it, and design.db holding the description. Fails, with a reason in
// *error when error is not null, if design.db already exists or anything
// cannot be written; a partly written design.db is removed.
STANDIN_OSKEL_API bool WriteOskel(const std::string& nativeKeyinOskelFolder, const Description& description,
                                  std::string* error);

// Snapshot "PCB" with configuration "PCB" whose design holds the layers.
STANDIN_OSKEL_API Description PcbDescription(std::vector<LayerDescription> layers);

// A layer of kind 0 (conductor), with a "LAYER_USAGE" constraint when usage is given.
STANDIN_OSKEL_API LayerDescription ConductorLayer(long long position, std::string name, long long metalNumber,
                                                  std::optional<std::string> usage = std::nullopt);

// A layer of another kind: a type and a name, no metal-layer number.
STANDIN_OSKEL_API LayerDescription OtherLayer(long long position, long long type, std::string name);

}  // namespace standin::oskel
