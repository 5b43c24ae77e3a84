#pragma once

#include "import/delimited_reader.h"

namespace vrk {

// The last column map, delimiter and unit of a delimited-text import, kept in the program's
// profile (section "Import") so that the next file from the same controller reads the same way.
DelimitedOptions LoadImportColumns();
void SaveImportColumns(const DelimitedOptions& options);

}  // namespace vrk
