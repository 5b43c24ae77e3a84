#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "schema/read_notes.h"
#include "schema/schema_records.h"

namespace quorbel {

// The bytes of INDEX.INI (LF or CR LF) into features.
std::vector<FeatureEntry> parseIndexIni(std::string_view bytes, ReadNotes* notes = nullptr);
// The features as INDEX.INI bytes, CR LF, ending with the end line.
std::string formatIndexIni(const std::vector<FeatureEntry>& features);
// The same bytes in place of out's, in the room out already has where it is enough.
void formatIndexIni(const std::vector<FeatureEntry>& features, std::string& out);

}  // namespace quorbel
