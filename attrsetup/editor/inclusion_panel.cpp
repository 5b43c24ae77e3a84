#include "editor/inclusion_panel.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "editor/dialog_controls.h"
#include "editor/dialog_template.h"
#include "editor/editor_area_host.h"
#include "editor/widget_text.h"
#include "schema/attribute_schema.h"
#include "schema/feature_category.h"

namespace quorbel::editor {

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

InclusionPanel::InclusionPanel(QWidget& dialog, EditorAreaHost& host)
    : QObject(&dialog), m_host(host) {
    m_category = new QComboBox(&dialog);
    m_category->setObjectName(idName(IDC_CATEGORY));
    connect(m_category, &QComboBox::activated, this, [this] { onCategoryChanged(); });

    m_available = makeFeatureList(dialog, IDC_AVAILABLE);
    m_included = makeFeatureList(dialog, IDC_INCLUDED);
    connect(m_available, &QListWidget::itemDoubleClicked, this, [this] { onInclude(); });
    connect(m_included, &QListWidget::itemDoubleClicked, this, [this] { onExclude(); });

    connect(makeButton(dialog, IDC_INCLUDE, kIncludeCaption), &QPushButton::clicked, this,
            [this] { onInclude(); });
    connect(makeButton(dialog, IDC_EXCLUDE, kExcludeCaption), &QPushButton::clicked, this,
            [this] { onExclude(); });
    connect(makeButton(dialog, IDC_SAVE_INCLUSION, kSaveCaption), &QPushButton::clicked, this,
            [this] { onSaveInclusion(); });
}

void InclusionPanel::fillCategories() {
    const QSignalBlocker blocker(m_category);
    m_category->clear();
    for (const quorbel::FeatureCategory& category : quorbel::featureCategories()) {
        m_category->addItem(fromGbk(category.name));
    }
    m_category->setCurrentIndex(0);
    m_host.setCurrentCategory(quorbel::featureCategories().empty()
                                  ? std::string()
                                  : quorbel::featureCategories().front().name);
}

void InclusionPanel::takeCategoryText() {
    std::string category;
    toGbk(m_category->currentText(), category);
    m_host.setCurrentCategory(category);
}

void InclusionPanel::rebuildIncluded() {
    m_lists.rebuildIncluded(m_host.schema(), m_host.currentTable());
    showIncluded();
}

void InclusionPanel::refillAvailable(const std::string& prefix) {
    m_lists.refillAvailable(m_host.schema(), prefix, m_host.currentKindPlusOne() - 1);
    showAvailable();
}

void InclusionPanel::categoryFromIncluded() {
    const std::string prefix = m_lists.firstIncludedPrefix();
    std::string name;
    quorbel::categoryName(prefix, name);
    {
        const QSignalBlocker blocker(m_category);
        m_category->setCurrentIndex(name.empty() ? -1 : m_category->findText(fromGbk(name)));
    }
    refillAvailable(prefix);
}

void InclusionPanel::onCategoryChanged() {
    std::string category;
    toGbk(m_category->currentText(), category);
    m_host.setCurrentCategory(category);
    std::string prefix;
    quorbel::categoryPrefix(category, prefix);
    // The included list keeps any unsaved moves, so they stay out of the available list.
    takeSelection();
    refillAvailable(prefix);
}

void InclusionPanel::takeSelection() {
    m_lists.setAvailableSelection(selectedRows(*m_available));
    m_lists.setIncludedSelection(selectedRows(*m_included));
}

void InclusionPanel::onInclude() {
    takeSelection();
    showMove(m_lists.include(), *m_available, *m_included);
}

void InclusionPanel::onExclude() {
    takeSelection();
    showMove(m_lists.exclude(m_host.schema()), *m_included, *m_available);
}

// Small moves are mirrored row by row; large ones redraw both lists, which is cheaper than
// taking thousands of rows out of a list one at a time.
void InclusionPanel::showMove(std::size_t moved, QListWidget& from, QListWidget& to) {
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

void InclusionPanel::onSaveInclusion() {
    // With no current table there is nothing to assign the lines to.
    if (!m_host.schema().findTable(m_host.currentTable())) {
        return;
    }
    m_lists.saveInclusion(m_host.schema(), m_host.currentTable());
}

void InclusionPanel::showAvailable() {
    showLines(*m_available, m_lists.available());
}

void InclusionPanel::showIncluded() {
    showLines(*m_included, m_lists.included());
}

void InclusionPanel::clear() {
    m_lists = InclusionLists();
    showIncluded();
    showAvailable();
}

}  // namespace quorbel::editor
