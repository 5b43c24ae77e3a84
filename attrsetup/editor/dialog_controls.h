// The template's controls as the dialog and its panels make them: each a child of the dialog
// named by its id, so the template's placement and the tests find it by that id.
#pragma once

#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace quorbel::editor {

QString idName(int id);

QPushButton* makeButton(QWidget& dialog, int id, const char* caption);
QLineEdit* makeEdit(QWidget& dialog, int id);
QLabel* makeLabel(QWidget& dialog, int id, const char* caption);
// An editable drop-down of table kinds whose typed text is never added as an item.
QComboBox* makeKindCombo(QWidget& dialog, int id);
// A feature list: several lines selectable, kept in the order they were added.
QListWidget* makeFeatureList(QWidget& dialog, int id);

}  // namespace quorbel::editor
