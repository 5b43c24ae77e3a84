// The messages a CEditGridCtrl sends its parent window, and the end-of-edit record its editors
// send the grid. All of them are delivered synchronously with QCoreApplication::sendEvent; the
// receiver's answer is ignored.
#pragma once

#include <QEvent>
#include <QString>
#include <QStringList>

class QWidget;

// Asks the parent for the items of a drop-down column (GridQueryItemsEvent).
inline constexpr QEvent::Type WM_GRID_QUERYITEMS = static_cast<QEvent::Type>(0x83FC);
// Tells the parent that an in-place edit ended and the cell holds its text (GridCellChangedEvent).
inline constexpr QEvent::Type WM_GRID_CELLCHANGED = static_cast<QEvent::Type>(0x83FD);
// An editor's end-of-edit record arriving at the grid (GridEndLabelEditEvent); internal to the
// grid and its editors.
inline constexpr QEvent::Type WM_GRID_ENDLABELEDIT = static_cast<QEvent::Type>(0x83FE);

// The notification code an editor puts into its end-of-edit record.
inline constexpr int LVN_ENDLABELEDIT = -106;

// The keys that end an in-place edit and keep its text, in both editors.
inline bool isCommitKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

namespace quorbel::grid {
inline constexpr QEvent::Type kQueryItemsEventType = WM_GRID_QUERYITEMS;
inline constexpr QEvent::Type kCellChangedEventType = WM_GRID_CELLCHANGED;
inline constexpr QEvent::Type kEndLabelEditEventType = WM_GRID_ENDLABELEDIT;
}  // namespace quorbel::grid

// What an editor reports when its edit ends. text is the old text of the cell when the edit was
// cancelled, else the editor's text.
struct EndEditRecord {
    QWidget* sourceWindow = nullptr;  // the grid the editor was opened on
    int sourceId = 0;                 // the editor's child-window id
    int code = LVN_ENDLABELEDIT;
    int row = -1;
    int column = -1;
    QString text;
};

// Sent to the grid's parent, which fills items() in display order. The list starts empty; if the
// parent leaves it so, the drop-down opens without items.
class GridQueryItemsEvent : public QEvent {
  public:
    GridQueryItemsEvent(int column, QStringList& items);
    ~GridQueryItemsEvent() override;

    int column() const { return m_column; }
    QStringList& items() { return m_items; }

  private:
    int m_column;
    QStringList& m_items;
};

// Sent to the grid's parent after the grid has written the record's text into its cell.
class GridCellChangedEvent : public QEvent {
  public:
    GridCellChangedEvent(int gridId, const EndEditRecord& record);
    ~GridCellChangedEvent() override;

    int gridId() const { return m_gridId; }
    const EndEditRecord& record() const { return m_record; }

  private:
    int m_gridId;
    const EndEditRecord& m_record;
};

// Sent by an editor to its grid when the edit ends; the grid writes the cell and tells its parent.
class GridEndLabelEditEvent : public QEvent {
  public:
    explicit GridEndLabelEditEvent(const EndEditRecord& record);
    ~GridEndLabelEditEvent() override;

    const EndEditRecord& record() const { return m_record; }

  private:
    const EndEditRecord& m_record;
};
