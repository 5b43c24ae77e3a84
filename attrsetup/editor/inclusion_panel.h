// The feature inclusion lists: the category drop-down (209), the available (212) and included
// (213) features of the current table, and the buttons that move and save them.
#pragma once

#include <QObject>
#include <cstddef>
#include <string>
#include <vector>

#include "editor/inclusion_lists.h"
#include "editor/step_view.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QWidget;

namespace quorbel::editor {

class EditorAreaHost;

class InclusionPanel : public QObject {
    Q_OBJECT
  public:
    // Makes the panel's controls as children of dialog.
    InclusionPanel(QWidget& dialog, EditorAreaHost& host);

    // Fills the category drop-down and makes its first category current.
    void fillCategories();
    // Makes the category drop-down's text the current category.
    void takeCategoryText();
    // The included list from the schema for the current table.
    void rebuildIncluded();
    // The available list: the unassigned features of prefix's category for the current kind.
    void refillAvailable(const std::string& prefix);
    // Shows the category of the first included feature and refills the available list from it.
    void categoryFromIncluded();
    // Empties both lists, as when no table is left.
    void clear();
    // The included list and the category as they stand, and back as an undo step saw them.
    InclusionView view() const;
    void showView(const InclusionView& view);

    void onInclude();
    void onExclude();
    void onSaveInclusion();

  private:
    void onCategoryChanged();
    void showMove(std::size_t moved, QListWidget& from, QListWidget& to);
    void showAvailable();
    void showIncluded();
    void takeSelection();
    bool filtering() const { return !m_availableFind.empty() || !m_includedFind.empty(); }

    EditorAreaHost& m_host;
    InclusionLists m_lists;
    QComboBox* m_category = nullptr;
    QListWidget* m_available = nullptr;
    QListWidget* m_included = nullptr;
    QLineEdit* m_availableFindBox = nullptr;
    QLineEdit* m_includedFindBox = nullptr;
    // The find boxes' texts as GBK, and which lines of the lists core each widget row shows.
    std::string m_availableFind;
    std::string m_includedFind;
    // The prefix the available list was last filled for.
    std::string m_prefix;
    std::vector<std::size_t> m_availableRows;
    std::vector<std::size_t> m_includedRows;
};

}  // namespace quorbel::editor
