#include "editor/dialog_controls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace quorbel::editor {

QString idName(int id) {
    return QString::number(id);
}

QPushButton* makeButton(QWidget& dialog, int id, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), &dialog);
    button->setObjectName(idName(id));
    button->setFlat(true);
    return button;
}

QLineEdit* makeEdit(QWidget& dialog, int id) {
    auto* edit = new QLineEdit(&dialog);
    edit->setObjectName(idName(id));
    return edit;
}

QLabel* makeLabel(QWidget& dialog, int id, const char* caption) {
    auto* label = new QLabel(QString::fromUtf8(caption), &dialog);
    label->setObjectName(idName(id));
    return label;
}

QComboBox* makeKindCombo(QWidget& dialog, int id) {
    auto* combo = new QComboBox(&dialog);
    combo->setObjectName(idName(id));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

QListWidget* makeFeatureList(QWidget& dialog, int id) {
    auto* list = new QListWidget(&dialog);
    list->setObjectName(idName(id));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSortingEnabled(false);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setUniformItemSizes(true);
    return list;
}

}  // namespace quorbel::editor
