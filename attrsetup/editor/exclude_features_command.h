#pragma once

#include <string>
#include <vector>

#include "editor/schema_step_command.h"

namespace quorbel::editor {

// Undoes the exclusion of features: they name the table they named before again.
class ExcludeFeaturesCommand : public SchemaStepCommand {
  public:
    ExcludeFeaturesCommand(AttributeSchema& schema, std::vector<std::string> codes,
                           const std::string& table);

  protected:
    void apply() override;

  private:
    std::vector<std::string> m_codes;
};

}  // namespace quorbel::editor
