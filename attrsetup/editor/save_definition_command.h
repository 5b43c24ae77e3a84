#pragma once

#include <memory>
#include <vector>

#include "editor/editor_step.h"

namespace quorbel::editor {

// Undoes one save of the definition panel as one step: its parts (rename, kind, description,
// fields) are done in order and undone in reverse.
class SaveDefinitionCommand : public EditorStep {
  public:
    SaveDefinitionCommand(std::string oldName, std::string newName)
        : EditorStep(QStringLiteral("保存表定义"), std::move(oldName), std::move(newName)) {}

    void add(std::unique_ptr<EditorStep> part) { m_parts.push_back(std::move(part)); }
    bool empty() const { return m_parts.empty(); }

    void redo() override {
        for (const auto& part : m_parts) {
            part->redo();
        }
    }
    void undo() override {
        for (auto it = m_parts.rbegin(); it != m_parts.rend(); ++it) {
            (*it)->undo();
        }
    }

  private:
    std::vector<std::unique_ptr<EditorStep>> m_parts;
};

}  // namespace quorbel::editor
