#include "editor/schema_step_command.h"

#include "schema/attribute_schema.h"

namespace quorbel::editor {

SchemaStepCommand::SchemaStepCommand(AttributeSchema& schema, const QString& text,
                                     std::string tableAfterUndo, std::string tableAfterRedo)
    : EditorStep(text, std::move(tableAfterUndo), std::move(tableAfterRedo)), m_schema(schema) {}

void SchemaStepCommand::touchTable(std::size_t position, bool presentBefore, bool presentAfter) {
    m_tablePosition = position;
    m_tableInSchema = presentBefore;
    m_presentAfter = presentAfter;
}

void SchemaStepCommand::touchFeatures(std::vector<std::size_t> positions) {
    m_features = std::move(positions);
}

void SchemaStepCommand::captureBefore() {
    m_before = capture(m_tableInSchema);
}

void SchemaStepCommand::redo() {
    if (m_done) {
        restore(m_after);
        return;
    }
    apply();
    m_tableInSchema = m_presentAfter;
    m_after = capture(m_presentAfter);
    m_done = true;
}

void SchemaStepCommand::undo() {
    restore(m_before);
}

SchemaStepCommand::State SchemaStepCommand::capture(bool tablePresent) const {
    State state;
    if (tablePresent && m_tablePosition && *m_tablePosition < m_schema.tables().size()) {
        state.table = m_schema.tables()[*m_tablePosition];
    }
    state.featureTables.reserve(m_features.size());
    for (const std::size_t position : m_features) {
        state.featureTables.emplace_back(m_schema.features()[position].table);
    }
    return state;
}

void SchemaStepCommand::restore(const State& state) {
    if (m_tablePosition) {
        const std::size_t position = *m_tablePosition;
        if (state.table && m_tableInSchema) {
            m_schema.putTable(position, *state.table);
        } else if (state.table) {
            m_schema.insertTableAt(position, *state.table);
        } else if (m_tableInSchema) {
            m_schema.removeTableAt(position);
        }
        m_tableInSchema = state.table.has_value();
    }
    m_schema.setFeatureTables(m_features, state.featureTables);
}

}  // namespace quorbel::editor
