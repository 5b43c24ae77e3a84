// What the inclusion lists and the definition panel need of the dialog: the schema, the current
// table the tree made current, and the changes of the current table that the tree must show too.
#pragma once

#include <QString>
#include <cstddef>
#include <string>

namespace quorbel {
class AttributeSchema;
struct AttributeTable;
}  // namespace quorbel

namespace quorbel::editor {

class EditorStep;

class EditorAreaHost {
  public:
    virtual quorbel::AttributeSchema& schema() = 0;
    // GBK bytes; empty when no table is current.
    virtual const std::string& currentTable() const = 0;
    // The current table's kind plus one; 0 when none.
    virtual int currentKindPlusOne() const = 0;
    // Whether the definition panel shows the set of controls for a new table.
    virtual bool isNewTableMode() const = 0;
    virtual void setCurrentCategory(const std::string& category) = 0;
    virtual void inform(const QString& text) = 0;

    // The current table's tree item and the current table take the name the schema gave it.
    virtual void renameCurrentTable(const std::string& name) = 0;
    // Inserts a new table after the current one and makes it current.
    virtual void insertNewTable(quorbel::AttributeTable table) = 0;
    // Adds a step to the undo history, which takes it over; a step that changes the schema does so
    // when it is added. A read-only dialog keeps no steps.
    virtual void pushStep(EditorStep* step) = 0;
    // Opened while another administrator edits the files: nothing may be changed.
    virtual bool isReadOnly() const = 0;

  protected:
    ~EditorAreaHost() = default;
};

}  // namespace quorbel::editor
