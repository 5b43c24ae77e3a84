#include "editor/inclusion_panel.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "editor/dialog_controls.h"
#include "editor/dialog_template.h"
#include "editor/editor_area_host.h"
#include "editor/exclude_features_command.h"
#include "editor/feature_codes.h"
#include "editor/find_filter.h"
#include "editor/include_features_command.h"
#include "editor/move_into_included_command.h"
#include "editor/widget_text.h"
#include "schema/attribute_schema.h"
#include "schema/feature_category.h"

namespace quorbel::editor {

namespace {

// Past this many moved lines a list is redrawn in one go: removing rows one by one from a list
// widget costs a shift of every row below each of them.
constexpr std::size_t kIncrementalMoveLimit = 256;

// Shows the lines that match the find text, in their order; shown maps each row to its line.
void showLines(QListWidget& list, const std::vector<FeatureLine>& lines, const std::string& find,
               std::vector<std::size_t>& shown) {
    shown.clear();
    QStringList texts;
    for (std::size_t row = 0; row < lines.size(); ++row) {
        if (find.empty() || featureLineMatches(lines[row], find)) {
            shown.push_back(row);
            texts.append(fromGbk(lines[row].text));
        }
    }
    list.setUpdatesEnabled(false);
    {
        const QSignalBlocker blocker(list);
        list.clear();
        list.addItems(texts);
        for (std::size_t row = 0; row < shown.size(); ++row) {
            if (lines[shown[row]].selected) {
                list.item(static_cast<int>(row))->setSelected(true);
            }
        }
    }
    list.setUpdatesEnabled(true);
}

// The lines of the selected rows; a line the find box hides is never among them.
std::vector<std::size_t> selectedRows(const QListWidget& list,
                                      const std::vector<std::size_t>& shown) {
    std::vector<std::size_t> rows;
    const QModelIndexList indexes = list.selectionModel()->selectedRows();
    rows.reserve(static_cast<std::size_t>(indexes.size()));
    for (const QModelIndex& index : indexes) {
        const auto row = static_cast<std::size_t>(index.row());
        if (row < shown.size()) {
            rows.push_back(shown[row]);
        }
    }
    return rows;
}

std::vector<std::size_t> selectedWidgetRows(const QListWidget& list) {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : list.selectionModel()->selectedRows()) {
        rows.push_back(static_cast<std::size_t>(index.row()));
    }
    return rows;
}

// Mirrors a move of the lists core onto the two widgets: the selected rows of `from`, bottom-up,
// up to `moved` of them, go to the end of `to`, selected there.
void moveSelectedRows(QListWidget& from, QListWidget& to, std::size_t moved) {
    std::vector<std::size_t> rows = selectedWidgetRows(from);
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

    const auto makeFind = [this, &dialog](int id, std::string& find) {
        QLineEdit* box = makeEdit(dialog, id);
        box->setPlaceholderText(QString::fromUtf8(kFindPlaceholder));
        box->setClearButtonEnabled(true);
        connect(box, &QLineEdit::textChanged, this, [this, &find](const QString& text) {
            // Selections of lines the new filter hides are dropped: moves act on shown lines.
            takeSelection();
            if (!toGbk(text, find)) {
                find = std::string(1, '\0');  // no GBK line can contain it
            }
            showAvailable();
            showIncluded();
        });
        return box;
    };
    m_availableFindBox = makeFind(IDC_AVAILABLE_FIND, m_availableFind);
    m_includedFindBox = makeFind(IDC_INCLUDED_FIND, m_includedFind);

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
    m_prefix = prefix;
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
    m_lists.setAvailableSelection(selectedRows(*m_available, m_availableRows));
    m_lists.setIncludedSelection(selectedRows(*m_included, m_includedRows));
}

void InclusionPanel::onInclude() {
    if (m_host.isReadOnly()) {
        return;
    }
    takeSelection();
    StepView before = showingLists(view());
    const std::size_t moved = m_lists.include();
    showMove(moved, *m_available, *m_included);
    if (moved > 0) {
        m_host.pushStep(new MoveIntoIncludedCommand(m_host.currentTable(), std::move(before),
                                                    showingLists(view())));
    }
}

void InclusionPanel::onExclude() {
    if (m_host.isReadOnly()) {
        return;
    }
    takeSelection();
    StepView before = showingLists(view());
    std::vector<std::string> codes;
    const std::size_t moved = m_lists.excludeLines(codes);
    if (!codes.empty()) {
        auto* step =
            new ExcludeFeaturesCommand(m_host.schema(), std::move(codes), m_host.currentTable());
        step->setViewAfterUndo(std::move(before));
        step->setViewAfterRedo(showingLists(view()));
        m_host.pushStep(step);
    }
    showMove(moved, *m_included, *m_available);
}

// Small moves are mirrored row by row; large ones redraw both lists, which is cheaper than
// taking thousands of rows out of a list one at a time.
void InclusionPanel::showMove(std::size_t moved, QListWidget& from, QListWidget& to) {
    if (moved == 0) {
        return;
    }
    // Under a filter the rows on screen are not the lists' rows; the lists are shown anew.
    if (moved > kIncrementalMoveLimit || filtering()) {
        showAvailable();
        showIncluded();
    } else {
        moveSelectedRows(from, to, moved);
        // Without a filter every line is shown, row for row.
        m_availableRows.resize(m_lists.available().size());
        m_includedRows.resize(m_lists.included().size());
        for (std::size_t row = 0; row < m_availableRows.size(); ++row) {
            m_availableRows[row] = row;
        }
        for (std::size_t row = 0; row < m_includedRows.size(); ++row) {
            m_includedRows[row] = row;
        }
    }
}

void InclusionPanel::onSaveInclusion() {
    // With no current table there is nothing to assign the lines to.
    if (m_host.isReadOnly() || !m_host.schema().findTable(m_host.currentTable())) {
        return;
    }
    std::vector<std::string> codes;
    codes.reserve(m_lists.included().size());
    for (const FeatureLine& line : m_lists.included()) {
        codes.push_back(line.key);
    }
    // A save that changes nothing is no step of the history.
    const auto& features = m_host.schema().features();
    const auto touched = featuresWithCodes(m_host.schema(), codes);
    if (std::all_of(touched.begin(), touched.end(), [&](std::size_t position) {
            return features[position].table == m_host.currentTable();
        })) {
        return;
    }
    auto* step =
        new IncludeFeaturesCommand(m_host.schema(), std::move(codes), m_host.currentTable());
    // The lines stay in the list after the save; undoing it leaves them there, unsaved again.
    takeSelection();
    step->setViewAfterUndo(showingLists(view()));
    step->setViewAfterRedo(showingLists(view()));
    m_host.pushStep(step);
}

void InclusionPanel::showAvailable() {
    showLines(*m_available, m_lists.available(), m_availableFind, m_availableRows);
}

void InclusionPanel::showIncluded() {
    showLines(*m_included, m_lists.included(), m_includedFind, m_includedRows);
}

void InclusionPanel::clear() {
    m_lists = InclusionLists();
    m_prefix.clear();
    showIncluded();
    showAvailable();
}

InclusionView InclusionPanel::view() const {
    return {m_lists.included(), m_prefix, m_category->currentIndex()};
}

void InclusionPanel::showView(const InclusionView& view) {
    m_lists.setIncluded(view.included);
    {
        const QSignalBlocker blocker(m_category);
        m_category->setCurrentIndex(view.categoryIndex);
    }
    refillAvailable(view.prefix);
    showIncluded();
}

}  // namespace quorbel::editor
