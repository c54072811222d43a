#pragma once
#include "platform/db/Dataset.h"

#include <QDialog>
#include <QHash>

namespace Ui { class TFrmCodeMan; }
class DataGrid;
class QLabel;
class QTabBar;

// The code-list window "选项设置...": one page per list of t_code, browsed
// read-only or edited in the grid. Edits stay pending in the window until
// "保存" writes them all at once or "取消" drops them; a deletion is written at
// once.
class TFrmCodeMan : public QDialog {
    Q_OBJECT
public:
    explicit TFrmCodeMan(QWidget* parent = nullptr);
    ~TFrmCodeMan() override;

    // The lists of this window, in page order.
    struct Page {
        const char* type;
        const char* caption;  // page caption, blanks included
    };
    static const QVector<Page>& pages();

    QString currentType() const;
    bool isEditing() const { return editing_; }
    DataGrid* grid() const;
    const Dataset& list() const { return QryCode; }
    QString statusText(int panel) const;

private slots:
    void TabSet1Change(int index);
    void tbNewClick();
    void tbEditClick();
    void tbDelClick();
    void tbSaveClick();
    void tbCancelClick();
    void tbPrintClick();
    void tbRefreshClick();

private:
    void setupToolbar();
    void setupKeys();
    void setEditMode(bool editing);
    void openList(int row = -1);
    void postEditor();
    void appendRow();
    bool lastRowIsNewAndBlank() const;
    bool writePending();
    QString columnTitle() const;

    Ui::TFrmCodeMan* ui;
    QLabel* panels_[2] = {};
    Dataset QryCode;
    // Names and types as read, by F_ID: what "保存" compares the rows against.
    QHash<qint64, QPair<QString, QString>> stored_;
    bool editing_ = false;
};
