#pragma once
#include "platform/db/Dataset.h"

#include <QDialog>

namespace Ui { class TfrmOperGl; }
class DataGrid;
struct OperRecord;

// The operator list: who may sign in, with the description, approval right and
// contract scope of the current one; opens the operator editor.
class TfrmOperGl : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOperGl(QWidget* parent = nullptr);
    ~TfrmOperGl() override;

    // Opens the list anew; with a name, that operator becomes the current row.
    void OpenList(const QString& locateName = QString());

    DataGrid* grid() const;
    const Dataset& list() const { return QryOper; }

private slots:
    void btnAddClick();
    void btnEditClick();
    void btnDelClick();
    void showCurrent();

private:
    void FormCreate();
    void setupGrid();
    void openEditor(int mode, const OperRecord& oper);
    QString currentName() const;

    Ui::TfrmOperGl* ui;
    Dataset QryOper;
};
