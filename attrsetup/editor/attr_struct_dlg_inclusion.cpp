// The feature inclusion lists: which features use the current table.
#include <QComboBox>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>

#include "editor/attr_struct_dlg.h"
#include "schema/attribute_schema.h"
#include "schema/feature_category.h"

using namespace quorbel::editor;

namespace {

// Past this many moved lines a list is redrawn in one go: removing rows one by one from a list
// widget costs a shift of every row below each of them.
constexpr std::size_t kIncrementalMoveLimit = 256;

QStringList lineTexts(const std::vector<FeatureLine>& lines) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const FeatureLine& line : lines) {
        texts.append(fromGbk(line.text));
    }
    return texts;
}

void showLines(QListWidget& list, const std::vector<FeatureLine>& lines) {
    list.setUpdatesEnabled(false);
    {
        const QSignalBlocker blocker(list);
        list.clear();
        list.addItems(lineTexts(lines));
        for (std::size_t row = 0; row < lines.size(); ++row) {
            if (lines[row].selected) {
                list.item(static_cast<int>(row))->setSelected(true);
            }
        }
    }
    list.setUpdatesEnabled(true);
}

std::vector<std::size_t> selectedRows(const QListWidget& list) {
    std::vector<std::size_t> rows;
    const QModelIndexList indexes = list.selectionModel()->selectedRows();
    rows.reserve(static_cast<std::size_t>(indexes.size()));
    for (const QModelIndex& index : indexes) {
        rows.push_back(static_cast<std::size_t>(index.row()));
    }
    return rows;
}

// Mirrors a move of the lists core onto the two widgets: the selected rows of `from`, bottom-up,
// up to `moved` of them, go to the end of `to`, selected there.
void moveSelectedRows(QListWidget& from, QListWidget& to, std::size_t moved) {
    std::vector<std::size_t> rows = selectedRows(from);
    std::sort(rows.rbegin(), rows.rend());
    const QSignalBlocker fromBlocker(from);
    const QSignalBlocker toBlocker(to);
    for (std::size_t i = 0; i < moved && i < rows.size(); ++i) {
        QListWidgetItem* item = from.takeItem(static_cast<int>(rows[i]));
        to.addItem(item);
        item->setSelected(true);
    }
}

}  // namespace

void CAttrStructDlg::fillCategories() {
    const QSignalBlocker blocker(m_category);
    m_category->clear();
    for (const quorbel::FeatureCategory& category : quorbel::featureCategories()) {
        m_category->addItem(fromGbk(category.name));
    }
    m_category->setCurrentIndex(0);
    m_strCurCategory.clear();
    if (!quorbel::featureCategories().empty()) {
        m_strCurCategory = quorbel::featureCategories().front().name;
    }
}

void CAttrStructDlg::rebuildIncluded() {
    m_lists.rebuildIncluded(m_schema, m_strCurTable);
    showIncluded();
}

void CAttrStructDlg::refillAvailable(const std::string& prefix) {
    m_lists.refillAvailable(m_schema, prefix, m_nCurKind - 1);
    showAvailable();
}

void CAttrStructDlg::categoryFromIncluded() {
    const std::string prefix = m_lists.firstIncludedPrefix();
    std::string name;
    quorbel::categoryName(prefix, name);
    {
        const QSignalBlocker blocker(m_category);
        m_category->setCurrentIndex(name.empty() ? -1 : m_category->findText(fromGbk(name)));
    }
    refillAvailable(prefix);
}

void CAttrStructDlg::onCategoryChanged() {
    m_strCurCategory.clear();
    toGbk(m_category->currentText(), m_strCurCategory);
    std::string prefix;
    quorbel::categoryPrefix(m_strCurCategory, prefix);
    // The included list keeps any unsaved moves, so they stay out of the available list.
    takeSelection();
    refillAvailable(prefix);
}

void CAttrStructDlg::takeSelection() {
    m_lists.setAvailableSelection(selectedRows(*m_available));
    m_lists.setIncludedSelection(selectedRows(*m_included));
}

void CAttrStructDlg::onInclude() {
    takeSelection();
    showMove(m_lists.include(), *m_available, *m_included);
}

void CAttrStructDlg::onExclude() {
    takeSelection();
    showMove(m_lists.exclude(m_schema), *m_included, *m_available);
}

// Small moves are mirrored row by row; large ones redraw both lists, which is cheaper than
// taking thousands of rows out of a list one at a time.
void CAttrStructDlg::showMove(std::size_t moved, QListWidget& from, QListWidget& to) {
    if (moved == 0) {
        return;
    }
    if (moved > kIncrementalMoveLimit) {
        showAvailable();
        showIncluded();
    } else {
        moveSelectedRows(from, to, moved);
    }
}

void CAttrStructDlg::onSaveInclusion() {
    // With no current table there is nothing to assign the lines to.
    if (!m_schema.findTable(m_strCurTable)) {
        return;
    }
    m_lists.saveInclusion(m_schema, m_strCurTable);
}

void CAttrStructDlg::showAvailable() {
    showLines(*m_available, m_lists.available());
}

void CAttrStructDlg::showIncluded() {
    showLines(*m_included, m_lists.included());
}
