#pragma once

#include <string>
#include <vector>

#include "attribute_schema.h"

namespace quorbel::attrcheck {

// What a CAD administrator wants to know about a loaded schema, one UTF-8 line per finding: lines
// the readers skipped, features naming a missing table, duplicate table names, unused tables,
// values over their capacity, unknown field types and feature codes of no category.
std::vector<std::string> schemaFindings(const AttributeSchema& schema);

}  // namespace quorbel::attrcheck
