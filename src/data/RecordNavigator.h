#pragma once
#include <QWidget>

class DataGrid;
class QToolButton;

// The record navigator of the editors (first, prior, next, last): moves the
// current row of the caller's list grid, after which the editor reloads its
// inputs from the new current record.
class RecordNavigator : public QWidget {
    Q_OBJECT
public:
    explicit RecordNavigator(QWidget* parent = nullptr);
    void setGrid(DataGrid* grid);  // not owned
    void first();
    void prior();
    void next();
    void last();

signals:
    void moved(int row);  // the list's current row after a move

private:
    void moveTo(int row);
    void updateButtons();
    DataGrid* grid_ = nullptr;
    QToolButton* buttons_[4] = {};
};
