#include "editor/attr_struct_dlg.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidgetItem>
#include <utility>

#include "editor/add_table_command.h"
#include "editor/delete_table_command.h"

#include "editor/definition_panel.h"
#include "editor/dialog_controls.h"
#include "editor/dialog_template.h"
#include "editor/dialog_units.h"
#include "editor/editor_messages.h"
#include "editor/inclusion_panel.h"
#include "editor/table_tree.h"
#include "editor/widget_text.h"
#include "grid/cell_drop_list.h"
#include "grid/cell_edit_box.h"
#include "grid/grid_events.h"
#include "schema/attribute_schema.h"

using namespace quorbel::editor;

CAttrStructDlg::CAttrStructDlg(quorbel::AttributeSchema& schema, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_schema(schema) {
    setObjectName(idName(kDialogTemplateId));
    setWindowTitle(QString::fromUtf8(kDialogCaption));
    setFont(dialogFont());
    createControls();
    placeControls();
}

CAttrStructDlg::~CAttrStructDlg() {
    // The children outlive this part of the object; a selection change while they are torn down
    // must not reach the handlers.
    for (QWidget* child : findChildren<QWidget*>()) {
        child->blockSignals(true);
    }
    m_schema.clear();
}

void CAttrStructDlg::setPrompter(EditorPrompter* prompter) {
    m_prompter = prompter != nullptr ? prompter : &m_messageBoxes;
}

void CAttrStructDlg::createControls() {
    // In the template's order, which is the order of the focus chain.
    m_tree = new TableTree(*this);
    connect(m_tree, &TableTree::selectionChanged, this, [this] { refreshTableView(); });
    m_inclusion = new InclusionPanel(*this, *this);
    const auto makeDialogButton = [this](int id, const char* caption) {
        QPushButton* button = makeButton(*this, id, caption);
        connect(button, &QPushButton::clicked, this, [this, id] { onCommand(id); });
        return button;
    };
    makeDialogButton(IDOK, kOkCaption);
    makeDialogButton(IDCANCEL, kCancelCaption)->setDefault(true);
    m_definition = new DefinitionPanel(*this, *this);

    m_undo = makeButton(*this, IDC_UNDO, kUndoCaption);
    m_redo = makeButton(*this, IDC_REDO, kRedoCaption);
    connect(m_undo, &QPushButton::clicked, this, [this] { undoStep(); });
    connect(m_redo, &QPushButton::clicked, this, [this] { redoStep(); });
    // Named keys rather than the platform's standard ones, whose first binding need not be
    // Ctrl+Z. A text box with the focus keeps Ctrl+Z for its own text.
    const auto shortcut = [this](QKeyCombination keys, void (CAttrStructDlg::*step)()) {
        connect(new QShortcut(QKeySequence(keys), this), &QShortcut::activated, this,
                [this, step] { (this->*step)(); });
    };
    shortcut(Qt::CTRL | Qt::Key_Z, &CAttrStructDlg::undoStep);
    shortcut(Qt::CTRL | Qt::Key_Y, &CAttrStructDlg::redoStep);
    shortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_Z, &CAttrStructDlg::redoStep);
    connect(&m_steps, &QUndoStack::indexChanged, this, [this] { updateStepButtons(); });
    updateStepButtons();
}

void CAttrStructDlg::placeControls() {
    const DialogBaseUnits units = dialogBaseUnits(font());
    const auto place = [this, &units](int id, const DuRect& rect) {
        if (auto* widget = findChild<QWidget*>(idName(id), Qt::FindDirectChildrenOnly)) {
            widget->setGeometry(toPixels(rect, units));
        }
    };
    place(IDC_TREE_FIND, kTreeFindRect);
    place(IDC_TABLE_TREE, kTreeRect);
    place(IDC_AVAILABLE_FIND, kAvailableFindRect);
    place(IDC_INCLUDED_FIND, kIncludedFindRect);
    place(IDC_UNDO, kUndoRect);
    place(IDC_REDO, kRedoRect);
    place(IDC_CATEGORY, kCategoryRect);
    place(IDC_AVAILABLE, kAvailableRect);
    place(IDC_INCLUDED, kIncludedRect);
    place(IDC_INCLUDE, kIncludeRect);
    place(IDC_EXCLUDE, kExcludeRect);
    place(IDC_SAVE_INCLUSION, kSaveInclusionRect);
    place(IDOK, kOkRect);
    place(IDCANCEL, kCancelRect);
    place(IDC_FIELD_GRID, kFieldGridRect);
    place(IDC_ADD_FIELD, kAddFieldRect);
    place(IDC_DELETE_FIELD, kDeleteFieldRect);
    place(IDC_SAVE_TABLE, kSaveTableRect);
    place(IDC_LABEL_NAME, kLabelNameRect);
    place(IDC_TABLE_NAME, kTableNameRect);
    place(IDC_LABEL_KIND, kLabelKindRect);
    place(IDC_LABEL_DESCRIPTION, kLabelDescriptionRect);
    place(IDC_TABLE_DESCRIPTION, kTableDescriptionRect);
    place(IDC_NEW_TABLE_NAME, kNewTableNameRect);
    place(IDC_NEW_FIELD_GRID, kNewFieldGridRect);
    place(IDC_NEW_TABLE_DESCRIPTION, kNewTableDescriptionRect);

    // A drop-down combo's template height includes its open list; the closed field keeps the
    // height the style gives it.
    const auto placeCombo = [&units](QComboBox* combo, const DuRect& rect) {
        QRect pixels = toPixels(rect, units);
        pixels.setHeight(combo->sizeHint().height());
        combo->setGeometry(pixels);
    };
    const auto combo = [this](int id) {
        return findChild<QComboBox*>(idName(id), Qt::FindDirectChildrenOnly);
    };
    placeCombo(combo(IDC_CATEGORY), kCategoryRect);
    placeCombo(combo(IDC_TABLE_KIND), kTableKindRect);
    placeCombo(combo(IDC_NEW_TABLE_KIND), kNewTableKindRect);

    // Frames come last in the template and lie beneath the controls they surround.
    const auto frame = [this, &units](const char* caption, const DuRect& rect) {
        auto* box =
            new QGroupBox(caption != nullptr ? QString::fromUtf8(caption) : QString(), this);
        box->setGeometry(toPixels(rect, units));
        box->lower();
    };
    frame(kIncludedFrameCaption, kIncludedFrameRect);
    frame(kDefinitionFrameCaption, kDefinitionFrameRect);
    frame(kTableNamesFrameCaption, kTableNamesFrameRect);
    frame(nullptr, kAvailableFrameRect);
    frame(nullptr, kIncludedListFrameRect);

    setFixedSize(toPixels(DuRect{0, 0, kDialogWidthDu, kDialogHeightDu}, units).size());
}

void CAttrStructDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_initialised) {
        m_initialised = true;
        initDialog();
    }
}

bool CAttrStructDlg::initDialog() {
    if (!m_schema.loadSchema()) {
        // The reason is on the command line already; an empty dialog in existing-table mode
        // still lets the user cancel or retry OK.
        m_definition->setDefinitionSetVisible(false);
        m_tree->focus();
        return false;
    }
    m_schema.reportLinesNotWrittenBack();
    m_definition->setDefinitionSetVisible(false);
    if (!fillTree()) {
        return false;
    }
    m_definition->setUpGrids();
    m_inclusion->fillCategories();
    m_definition->fillKindCombos(m_nCurKind);
    m_inclusion->rebuildIncluded();
    const auto position = m_schema.findTable(m_strCurTable);
    if (position) {
        m_nCurKind = m_schema.tables()[*position].kind + 1;
    } else if (!m_schema.tables().empty()) {
        return false;
    }
    m_inclusion->takeCategoryText();
    m_inclusion->categoryFromIncluded();
    m_definition->showTableHeader();
    m_tree->focus();
    return true;
}

int CAttrStructDlg::exec() {
    if (!openUnderLock()) {
        return QDialog::Rejected;
    }
    return QDialog::exec();
}

bool CAttrStructDlg::openUnderLock() {
    // Without the files there is nothing to protect; the load says what is missing.
    if (m_lock.acquire(m_schema.schemaFolders()) != quorbel::SchemaLock::State::HeldByOther) {
        return true;
    }
    const QString text = QString::fromUtf8(messages::kLockedQuestion)
                             .arg(QString::fromStdString(m_lock.holderTextUtf8()));
    if (!m_prompter->ask(text, QString::fromUtf8(kDialogCaption),
                         QString::fromUtf8(messages::kOpenReadOnly),
                         QString::fromUtf8(messages::kCancel))) {
        return false;
    }
    // Looking only: a lock this dialog took in the other folder would keep others out for nothing.
    m_lock.release();
    makeReadOnly();
    return true;
}

void CAttrStructDlg::makeReadOnly() {
    m_readOnly = true;
    setWindowTitle(QString::fromUtf8(messages::kReadOnlyCaption));
    for (const int id :
         {IDOK, IDC_INCLUDE, IDC_EXCLUDE, IDC_SAVE_INCLUSION, IDC_ADD_FIELD, IDC_DELETE_FIELD,
          IDC_SAVE_TABLE, IDC_TABLE_KIND, IDC_NEW_TABLE_KIND, IDC_FIELD_GRID, IDC_NEW_FIELD_GRID}) {
        if (auto* widget = findChild<QWidget*>(idName(id), Qt::FindDirectChildrenOnly)) {
            widget->setEnabled(false);
        }
    }
    for (const int id :
         {IDC_TABLE_NAME, IDC_TABLE_DESCRIPTION, IDC_NEW_TABLE_NAME, IDC_NEW_TABLE_DESCRIPTION}) {
        if (auto* edit = findChild<QLineEdit*>(idName(id), Qt::FindDirectChildrenOnly)) {
            edit->setReadOnly(true);
        }
    }
    updateStepButtons();
}

void CAttrStructDlg::accept() {
    if (m_readOnly) {
        // 确定 is greyed out; a host that closes the dialog this way still writes nothing.
        reject();
        return;
    }
    if (!mayOverwriteChangedFiles()) {
        return;
    }
    // On failure the reason is on the command line and everything stays for a retry or Cancel.
    if (m_schema.saveSchema()) {
        QDialog::accept();
    }
}

bool CAttrStructDlg::mayOverwriteChangedFiles() {
    const auto changed = m_schema.changedOnDisk();
    if (changed.empty()) {
        return true;
    }
    QStringList lines;
    for (const auto& file : changed) {
        const QDateTime time = QDateTime::fromMSecsSinceEpoch(file.modifiedNs / 1'000'000);
        lines.append(
            QString::fromUtf8(messages::kChangedFileLine)
                .arg(QString::fromUtf8(file.name.data(), static_cast<qsizetype>(file.name.size())),
                     time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
    }
    return m_prompter->ask(
        QString::fromUtf8(messages::kChangedQuestion).arg(lines.join(QLatin1Char('\n'))),
        QString::fromUtf8(messages::kChangedCaption), QString::fromUtf8(messages::kOverwrite),
        QString::fromUtf8(messages::kCancel));
}

void CAttrStructDlg::pushStep(EditorStep* step) {
    if (m_readOnly) {
        delete step;
        return;
    }
    m_steps.push(step);
}

void CAttrStructDlg::finishOpenCellEdit() {
    // As if the focus had left the editor: the edit ends the way a click elsewhere ends it.
    QFocusEvent focusOut(QEvent::FocusOut, Qt::OtherFocusReason);
    if (CCellEditBox* box = CCellEditBox::existing(); box != nullptr && box->isEditing()) {
        QCoreApplication::sendEvent(box, &focusOut);
    }
    if (CCellDropList* list = CCellDropList::existing(); list != nullptr && list->isEditing()) {
        QCoreApplication::sendEvent(list, &focusOut);
    }
}

void CAttrStructDlg::undoStep() {
    if (m_readOnly) {
        return;
    }
    finishOpenCellEdit();
    if (!m_steps.canUndo()) {
        return;
    }
    const auto* step = static_cast<const EditorStep*>(m_steps.command(m_steps.index() - 1));
    m_steps.undo();
    showStep(step->tableAfterUndo(), step->viewAfterUndo(), step->changesSchema());
}

void CAttrStructDlg::redoStep() {
    if (m_readOnly) {
        return;
    }
    finishOpenCellEdit();
    if (!m_steps.canRedo()) {
        return;
    }
    const auto* step = static_cast<const EditorStep*>(m_steps.command(m_steps.index()));
    m_steps.redo();
    showStep(step->tableAfterRedo(), step->viewAfterRedo(), step->changesSchema());
}

void CAttrStructDlg::showStep(const std::string& table, const StepView& view, bool schemaChanged) {
    const bool newTableView = view.newTable || (view.grid && view.grid->newTableGrid);
    // An edit not yet saved is shown where it was made, without rebuilding what else is on
    // screen; after a change of the schema everything is shown from the schema again.
    if (schemaChanged || table != m_strCurTable || (m_bNewTable && !newTableView)) {
        showTableAfterStep(table);
    }
    if (newTableView && !m_bNewTable) {
        // Back into the new table's set as it was; unlike 添加 this keeps what it holds.
        m_bNewTable = true;
        m_definition->setDefinitionSetVisible(true);
    }
    if (view.newTable) {
        m_definition->showNewTableForm(*view.newTable);
    }
    if (view.grid) {
        m_definition->showGridView(*view.grid);
    }
    if (view.lists) {
        m_inclusion->showView(*view.lists);
    }
}

void CAttrStructDlg::updateStepButtons() {
    m_undo->setEnabled(!m_readOnly && m_steps.canUndo());
    m_redo->setEnabled(!m_readOnly && m_steps.canRedo());
}

void CAttrStructDlg::showTableAfterStep(const std::string& table) {
    QTreeWidgetItem* item = nullptr;
    addTreeItems(item);
    if (QTreeWidgetItem* named = m_tree->itemOfTable(table)) {
        item = named;
    }
    if (item != nullptr) {
        m_tree->select(item);
        return;
    }
    refreshTableView();
    m_strCurTable.clear();
    m_nCurKind = 0;
    m_inclusion->clear();
    m_definition->clearHeader();
}

void CAttrStructDlg::onCommand(int id) {
    switch (id) {
        case IDOK:
            accept();
            break;
        case IDCANCEL:
            reject();
            break;
        case ID_TABLE_ADD:
            beginNewTable();
            break;
        case ID_TABLE_DELETE:
            deleteCurrentTable();
            break;
        case IDC_INCLUDE:
            m_inclusion->onInclude();
            break;
        case IDC_EXCLUDE:
            m_inclusion->onExclude();
            break;
        case IDC_SAVE_INCLUSION:
            m_inclusion->onSaveInclusion();
            break;
        case IDC_ADD_FIELD:
            m_definition->onAddField();
            break;
        case IDC_DELETE_FIELD:
            m_definition->onDeleteField();
            break;
        case IDC_SAVE_TABLE:
            m_definition->onSaveDefinition();
            break;
        default:
            break;
    }
}

void CAttrStructDlg::contextMenuEvent(QContextMenuEvent* event) {
    showTableMenu(event->globalPos(), event->reason() == QContextMenuEvent::Keyboard);
    event->accept();
}

bool CAttrStructDlg::event(QEvent* event) {
    if (event->type() == quorbel::grid::kQueryItemsEventType) {
        auto* query = static_cast<GridQueryItemsEvent*>(event);
        QStringList items;
        m_definition->queryItems(query->column(), items);
        query->items() = items;
        return true;
    }
    if (event->type() == quorbel::grid::kCellChangedEventType) {
        // The grid has stored the text already; the rows reach the schema only when a definition
        // is saved, but each finished edit is a step of the history.
        m_definition->onCellChanged(static_cast<GridCellChangedEvent*>(event)->gridId());
        return true;
    }
    return QDialog::event(event);
}

void CAttrStructDlg::inform(const QString& text) {
    m_prompter->inform(text);
}

void CAttrStructDlg::setCurrentCategory(const std::string& category) {
    m_strCurCategory = category;
}

bool CAttrStructDlg::fillTree() {
    QTreeWidgetItem* first = nullptr;
    if (!addTreeItems(first)) {
        return false;
    }
    if (first != nullptr) {
        m_tree->select(first);
        m_strCurTable = m_schema.tables().front().name;
    }
    return true;
}

bool CAttrStructDlg::addTreeItems(QTreeWidgetItem*& first) {
    if (!m_tree->clear()) {
        return false;
    }
    m_hCurItem = nullptr;
    m_hCurParent = nullptr;
    QTreeWidgetItem* root = m_tree->addItem(nullptr, nullptr, kRootLabel);
    first = nullptr;
    QTreeWidgetItem* last = nullptr;
    for (const quorbel::AttributeTable& table : m_schema.tables()) {
        last = m_tree->addItem(root, last, table.name);
        if (first == nullptr) {
            first = last;
        }
    }
    root->setExpanded(true);
    return true;
}

void CAttrStructDlg::refreshTableView() {
    m_tree->focus();
    m_bNewTable = false;
    m_definition->setDefinitionSetVisible(false);
    const std::string previous = m_strCurTable;
    m_definition->clearFields();

    m_hCurItem = m_tree->selectedItem();
    m_hCurParent = m_hCurItem != nullptr ? m_hCurItem->parent() : nullptr;
    if (m_hCurItem == nullptr) {
        return;
    }
    m_strCurTable = m_tree->itemName(m_hCurItem);
    if (m_strCurTable.empty()) {
        return;
    }
    if (m_strCurTable == kRootLabel) {
        // The root stands for no table: the one current before stays current. A table that is
        // itself named like the root shares this, because items are told apart by label only.
        m_strCurTable = previous;
    }
    m_definition->showTableFields();
    const auto position = m_schema.findTable(m_strCurTable);
    if (!position) {
        return;
    }
    m_nCurKind = m_schema.tables()[*position].kind + 1;
    m_inclusion->rebuildIncluded();
    m_inclusion->categoryFromIncluded();
    m_definition->showTableHeader();
}

void CAttrStructDlg::showTableMenu(const QPoint& globalPos, bool fromKeyboard) {
    // A keyboard request carries no point inside the tree, so it never shows the menu. An item
    // labelled like the root stands for the table current before it, not for itself: adding or
    // deleting from it would change another table than the one the tree shows.
    if (m_readOnly || fromKeyboard || m_hCurParent == nullptr ||
        m_tree->itemName(m_hCurItem) == kRootLabel) {
        return;
    }
    if (!m_tree->containsGlobal(globalPos)) {
        return;
    }
    QMenu menu(QString::fromUtf8(kTableMenuTitle), this);
    menu.setObjectName(QString::number(IDR_TABLE_MENU));
    QAction* add = menu.addAction(QString::fromUtf8(kTableMenuAdd));
    add->setData(ID_TABLE_ADD);
    QAction* remove = menu.addAction(QString::fromUtf8(kTableMenuDelete));
    remove->setData(ID_TABLE_DELETE);
    if (QAction* chosen = m_prompter->popup(menu, globalPos)) {
        onCommand(chosen->data().toInt());
    }
}

void CAttrStructDlg::beginNewTable() {
    m_bNewTable = true;
    m_definition->beginNewTable();
}

void CAttrStructDlg::deleteCurrentTable() {
    if (m_hCurItem == nullptr || m_hCurParent == nullptr) {
        return;
    }
    QTreeWidgetItem* parent = m_hCurParent;
    const int index = parent->indexOfChild(m_hCurItem);
    QTreeWidgetItem* next = parent->child(index + 1);
    QTreeWidgetItem* previous = next == nullptr && index > 0 ? parent->child(index - 1) : nullptr;

    const QString text =
        QString::fromUtf8(messages::kConfirmDeleteTable).arg(fromGbk(m_strCurTable));
    if (!m_prompter->confirm(text, QString::fromUtf8(messages::kConfirmCaption))) {
        return;
    }
    QTreeWidgetItem* successor = next != nullptr ? next : previous;
    pushStep(new DeleteTableCommand(m_schema, m_strCurTable,
                                    successor != nullptr ? m_tree->itemName(successor) : ""));
    QTreeWidgetItem* doomed = m_hCurItem;
    m_hCurItem = nullptr;
    m_tree->removeItem(doomed);
    if (successor != nullptr) {
        m_tree->select(successor);
        return;
    }
    // The only table is gone: nothing is current, and nothing of it stays on screen.
    refreshTableView();
    m_strCurTable.clear();
    m_nCurKind = 0;
    m_inclusion->clear();
    m_definition->clearHeader();
}

void CAttrStructDlg::renameCurrentTable(const std::string& name) {
    QTreeWidgetItem* item = m_tree->itemOfTable(m_strCurTable);
    if (item != nullptr) {
        m_tree->renameItem(*item, name);
    }
    m_strCurTable = name;
}

void CAttrStructDlg::insertNewTable(quorbel::AttributeTable table) {
    // Undoing the save brings the new table's set back as it was saved.
    auto* step = new AddTableCommand(m_schema, m_strCurTable, std::move(table));
    step->setViewAfterUndo(showingNewTable(m_definition->newTableForm()));
    m_bNewTable = false;
    const std::string name = step->tableAfterRedo();
    pushStep(step);

    QTreeWidgetItem* parent = m_hCurParent != nullptr ? m_hCurParent : m_tree->root();
    QTreeWidgetItem* after = m_hCurParent != nullptr ? m_hCurItem : nullptr;
    m_tree->select(m_tree->addItem(parent, after, name));
}
