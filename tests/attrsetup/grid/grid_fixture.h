// Shared set-up of the grid's widget tests: an active test dialog, a beep counter, and the mouse
// and key steps a user takes on a cell.
#pragma once

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "grid/cell_drop_list.h"
#include "grid/cell_edit_box.h"
#include "grid/grid_beep.h"
#include "grid_test_dialog.h"

inline QString u8(const char* text) {
    return QString::fromUtf8(text);
}

class GridTest : public ::testing::Test {
  protected:
    void SetUp() override {
        quorbel::grid::setBeepHook([this] { ++beeps; });
        dialog = std::make_unique<GridTestDialog>();
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        grid = dialog->grid();
        newGrid = dialog->newGrid();
        fill(grid, 3);
        fill(newGrid, 3);
    }

    void TearDown() override {
        dialog.reset();
        settle();
        quorbel::grid::setBeepHook({});
    }

    static void fill(CEditGridCtrl* target, int rows) {
        for (int row = 0; row < rows; ++row) {
            const int index = target->insertGridRow(target->gridRowCount(), QString());
            target->setCellText(index, 0, QStringLiteral("f%1").arg(row));
        }
    }

    // Lets posted closes and deferred close-ups run.
    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    // The viewport point in the middle of a cell as the list lays it out now.
    static QPoint cellCentre(CEditGridCtrl* target, int row, int column) {
        return target->visualRect(target->model()->index(row, column)).center();
    }

    // A user's double-click: Qt's item views need the press of the first click to accept it.
    static void doubleClickAt(CEditGridCtrl* target, const QPoint& point,
                              Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(target->viewport(), Qt::LeftButton, modifiers, point);
        QTest::mouseDClick(target->viewport(), Qt::LeftButton, modifiers, point);
    }

    static void doubleClickCell(CEditGridCtrl* target, int row, int column) {
        doubleClickAt(target, cellCentre(target, row, column));
    }

    static CCellEditBox* openEditBox() {
        CCellEditBox* box = CCellEditBox::existing();
        return box != nullptr && box->isEditing() ? box : nullptr;
    }

    static CCellDropList* openDropList() {
        CCellDropList* list = CCellDropList::existing();
        return list != nullptr && list->isEditing() ? list : nullptr;
    }

    static void sendText(QWidget* target, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QCoreApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, text);
        QCoreApplication::sendEvent(target, &release);
    }

    std::unique_ptr<GridTestDialog> dialog;
    CEditGridCtrl* grid = nullptr;
    CEditGridCtrl* newGrid = nullptr;
    int beeps = 0;
};
