// The common part of every undoable change of the schema: the step changes the schema through one
// of its operations when first done, and remembers the records it touched before and after, so
// undo and redo put back exactly the bytes that were there, kept values included.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "editor/editor_step.h"
#include "schema/schema_records.h"

namespace quorbel {
class AttributeSchema;
}

namespace quorbel::editor {

class SchemaStepCommand : public EditorStep {
  public:
    void redo() final;
    void undo() final;

  protected:
    SchemaStepCommand(AttributeSchema& schema, const QString& text, std::string tableAfterUndo,
                      std::string tableAfterRedo);

    // Called by the constructor of a step, before captureBefore: the table the step changes at
    // position (present before the step or not), and the features whose table it may change.
    void touchTable(std::size_t position, bool presentBefore, bool presentAfter);
    void touchFeatures(std::vector<std::size_t> positions);
    void captureBefore();
    // A step that finds its table's position only when done.
    void moveTable(std::size_t position) { m_tablePosition = position; }

    // The schema operation of the step.
    virtual void apply() = 0;

    AttributeSchema& schema() { return m_schema; }

  private:
    struct State {
        std::optional<AttributeTable> table;
        std::vector<std::string> featureTables;
    };

    State capture(bool tablePresent) const;
    void restore(const State& state);

    AttributeSchema& m_schema;
    std::optional<std::size_t> m_tablePosition;
    bool m_presentAfter = false;
    bool m_tableInSchema = false;
    std::vector<std::size_t> m_features;
    State m_before;
    State m_after;
    bool m_done = false;
};

}  // namespace quorbel::editor
