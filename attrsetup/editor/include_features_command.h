#pragma once

#include <string>
#include <vector>

#include "editor/schema_step_command.h"

namespace quorbel::editor {

// Undoes the saving of an inclusion: the features name the tables they named before.
class IncludeFeaturesCommand : public SchemaStepCommand {
  public:
    IncludeFeaturesCommand(AttributeSchema& schema, std::vector<std::string> codes,
                           const std::string& table);

  protected:
    void apply() override;

  private:
    std::vector<std::string> m_codes;
    std::string m_table;
};

}  // namespace quorbel::editor
