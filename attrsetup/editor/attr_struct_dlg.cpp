#include "editor/attr_struct_dlg.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <utility>

#include "editor/dialog_template.h"
#include "editor/dialog_units.h"
#include "grid/edit_grid_ctrl.h"
#include "grid/grid_events.h"
#include "schema/attribute_schema.h"

using namespace quorbel::editor;

namespace {

QString idName(int id) {
    return QString::number(id);
}

}  // namespace

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
    const auto makeButton = [this](int id, const char* caption) {
        auto* button = new QPushButton(QString::fromUtf8(caption), this);
        button->setObjectName(idName(id));
        button->setFlat(true);
        connect(button, &QPushButton::clicked, this, [this, id] { onCommand(id); });
        return button;
    };
    const auto makeEdit = [this](int id) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(idName(id));
        return edit;
    };
    const auto makeKindCombo = [this](int id) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(idName(id));
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        return combo;
    };
    const auto makeList = [this](int id) {
        auto* list = new QListWidget(this);
        list->setObjectName(idName(id));
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setSortingEnabled(false);
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        list->setUniformItemSizes(true);
        return list;
    };
    const auto makeLabel = [this](int id, const char* caption) {
        auto* label = new QLabel(QString::fromUtf8(caption), this);
        label->setObjectName(idName(id));
        return label;
    };

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(idName(IDC_TABLE_TREE));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setRootIsDecorated(true);
    m_tree->setItemsExpandable(true);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, [this] { refreshTableView(); });
    m_tree->viewport()->installEventFilter(this);

    m_category = new QComboBox(this);
    m_category->setObjectName(idName(IDC_CATEGORY));
    connect(m_category, &QComboBox::activated, this, [this] { onCategoryChanged(); });

    m_available = makeList(IDC_AVAILABLE);
    m_included = makeList(IDC_INCLUDED);
    connect(m_available, &QListWidget::itemDoubleClicked, this, [this] { onInclude(); });
    connect(m_included, &QListWidget::itemDoubleClicked, this, [this] { onExclude(); });

    makeButton(IDC_INCLUDE, kIncludeCaption);
    makeButton(IDC_EXCLUDE, kExcludeCaption);
    makeButton(IDC_SAVE_INCLUSION, kSaveCaption);
    makeButton(IDOK, kOkCaption);
    makeButton(IDCANCEL, kCancelCaption)->setDefault(true);

    m_grid = new CEditGridCtrl(this);
    m_grid->setObjectName(idName(IDC_FIELD_GRID));
    m_grid->setControlId(IDC_FIELD_GRID);
    makeButton(IDC_ADD_FIELD, kAddFieldCaption);
    makeButton(IDC_DELETE_FIELD, kDeleteFieldCaption);
    makeButton(IDC_SAVE_TABLE, kSaveCaption);
    makeLabel(IDC_LABEL_NAME, kLabelNameCaption);
    m_name = makeEdit(IDC_TABLE_NAME);
    makeLabel(IDC_LABEL_KIND, kLabelKindCaption);
    makeLabel(IDC_LABEL_DESCRIPTION, kLabelDescriptionCaption);
    m_description = makeEdit(IDC_TABLE_DESCRIPTION);
    m_kind = makeKindCombo(IDC_TABLE_KIND);
    m_newName = makeEdit(IDC_NEW_TABLE_NAME);
    m_newGrid = new CEditGridCtrl(this);
    m_newGrid->setObjectName(idName(IDC_NEW_FIELD_GRID));
    m_newGrid->setControlId(IDC_NEW_FIELD_GRID);
    m_newKind = makeKindCombo(IDC_NEW_TABLE_KIND);
    m_newDescription = makeEdit(IDC_NEW_TABLE_DESCRIPTION);

    // The grids need their columns before the tree's first selection shows a table in them.
    setUpGrid(*m_grid);
    setUpGrid(*m_newGrid);
}

void CAttrStructDlg::placeControls() {
    const DialogBaseUnits units = dialogBaseUnits(font());
    const auto place = [this, &units](int id, const DuRect& rect) {
        if (auto* widget = findChild<QWidget*>(idName(id), Qt::FindDirectChildrenOnly)) {
            widget->setGeometry(toPixels(rect, units));
        }
    };
    place(IDC_TABLE_TREE, kTreeRect);
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
    placeCombo(m_category, kCategoryRect);
    placeCombo(m_kind, kTableKindRect);
    placeCombo(m_newKind, kNewTableKindRect);

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
        setDefinitionSetVisible(false);
        m_tree->setFocus();
        return false;
    }
    m_schema.reportLinesNotWrittenBack();
    setDefinitionSetVisible(false);
    if (!fillTree()) {
        return false;
    }
    setUpGrids();
    fillCategories();
    fillKindCombo(*m_kind);
    fillKindCombo(*m_newKind);
    selectKind(*m_kind, m_nCurKind);
    selectKind(*m_newKind, m_nCurKind);
    rebuildIncluded();
    const auto position = m_schema.findTable(m_strCurTable);
    if (position) {
        m_nCurKind = m_schema.tables()[*position].kind + 1;
    } else if (!m_schema.tables().empty()) {
        return false;
    }
    m_strCurCategory.clear();
    toGbk(m_category->currentText(), m_strCurCategory);
    categoryFromIncluded();
    showTableHeader();
    m_tree->setFocus();
    return true;
}

void CAttrStructDlg::accept() {
    // On failure the reason is on the command line and everything stays for a retry or Cancel.
    if (m_schema.saveSchema()) {
        QDialog::accept();
    }
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
            onInclude();
            break;
        case IDC_EXCLUDE:
            onExclude();
            break;
        case IDC_SAVE_INCLUSION:
            onSaveInclusion();
            break;
        case IDC_ADD_FIELD:
            onAddField();
            break;
        case IDC_DELETE_FIELD:
            onDeleteField();
            break;
        case IDC_SAVE_TABLE:
            onSaveDefinition();
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
        queryItems(query->column(), items);
        query->items() = items;
        return true;
    }
    if (event->type() == quorbel::grid::kCellChangedEventType) {
        // The grid has stored the text already; the rows are read only when a definition is saved.
        return true;
    }
    return QDialog::event(event);
}

bool CAttrStructDlg::eventFilter(QObject* watched, QEvent* event) {
    // The tree's menu works on the current table, so a right click must not select the item
    // under the pointer first; the context menu event still follows the press.
    if (watched == m_tree->viewport()) {
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
            type == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CAttrStructDlg::inform(const QString& text) {
    m_prompter->inform(text);
}
