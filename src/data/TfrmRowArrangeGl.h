#pragma once
#include <QDialog>
#include <QString>
#include <QVector>

namespace Ui { class TfrmRowArrangeGl; }
class QComboBox;

// The sort dialog "排序对话框": one row per grid column with its order (none,
// "升序", "降序"); rows can be moved to set the priority. The result is a sort
// text such as "f_date ASC,f_code DESC,".
class TfrmRowArrangeGl : public QDialog {
    Q_OBJECT
public:
    struct Column {
        QString field;  // lower case
        QString title;
    };

    explicit TfrmRowArrangeGl(QWidget* parent = nullptr);
    ~TfrmRowArrangeGl() override;

    void setColumns(const QVector<Column>& columns);
    int rowCount() const;
    QString titleAt(int row) const;
    QString orderAt(int row) const;  // "", "升序" or "降序"
    void setOrderAt(int row, const QString& order);
    int currentRow() const;
    void setCurrentRow(int row);

    // Walks the rows top down; each ordered row names the first column holding its title.
    QString resultText() const;

    // Handlers, public so that a caller (or a test) can drive the window.
    void cycleOrder(int row);  // double click: none -> 升序 -> 降序 -> none
    void btnUpClick();
    void btnDownClick();
    void btnOKClick();

private:
    QComboBox* orderBox(int row) const;
    void swapRows(int a, int b);

    Ui::TfrmRowArrangeGl* ui;
    QVector<Column> columns_;
};
