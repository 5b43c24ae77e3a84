// A dialog that owns two grids the way the attribute dialog does (ids 201 and 220, six columns,
// a digits-only column and three drop-down columns), answers their item queries from a table the
// test sets, and records every cell change it is told of. Its OK button is the default button;
// its buttons count presses instead of closing, so a test sees whether a key reached them.
#pragma once

#include <QDialog>
#include <QMap>
#include <QStringList>
#include <vector>

#include "grid/edit_grid_ctrl.h"

class QPushButton;

struct CellChange {
    int gridId;
    int row;
    int column;
    QString text;
};

class GridTestDialog : public QDialog {
  public:
    static constexpr int kGridId = 201;
    static constexpr int kNewGridId = 220;

    GridTestDialog();

    CEditGridCtrl* grid() const { return m_grid; }
    CEditGridCtrl* newGrid() const { return m_newGrid; }
    QPushButton* okButton() const { return m_ok; }

    void setItems(int column, const QStringList& items) { m_items[column] = items; }

    std::vector<CellChange> changes;
    std::vector<int> queriedColumns;
    int okPresses = 0;
    int cancelPresses = 0;
    int accepts = 0;
    int rejects = 0;

    void accept() override { ++accepts; }
    void reject() override { ++rejects; }

  protected:
    bool event(QEvent* event) override;

  private:
    QMap<int, QStringList> m_items;
    CEditGridCtrl* m_grid;
    CEditGridCtrl* m_newGrid;
    QPushButton* m_ok;
};
