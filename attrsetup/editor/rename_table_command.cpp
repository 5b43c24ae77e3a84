#include "editor/rename_table_command.h"

#include <algorithm>
#include <iterator>

#include "schema/attribute_schema.h"

namespace quorbel::editor {

RenameTableCommand::RenameTableCommand(AttributeSchema& schema, std::size_t position,
                                       std::string newName)
    : SchemaStepCommand(schema, QStringLiteral("重命名表"), schema.tables()[position].name,
                        newName),
      m_position(position),
      m_newName(std::move(newName)) {
    // Features that named the new name already are in the renamed table's features afterwards.
    const auto oldFeatures = schema.featuresOfTable(schema.tables()[position].name);
    const auto newFeatures = schema.featuresOfTable(m_newName);
    std::vector<std::size_t> touched;
    touched.reserve(oldFeatures.size() + newFeatures.size());
    std::set_union(oldFeatures.begin(), oldFeatures.end(), newFeatures.begin(), newFeatures.end(),
                   std::back_inserter(touched));
    touchTable(position, true, true);
    touchFeatures(std::move(touched));
    captureBefore();
}

void RenameTableCommand::apply() {
    schema().renameTable(m_position, m_newName);
}

}  // namespace quorbel::editor
