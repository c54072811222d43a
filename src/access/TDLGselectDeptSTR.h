#pragma once
#include <QDialog>
#include <QStringList>

namespace Ui { class TDLGselectDeptSTR; }

// Ticks the departments of an operator's contract scope.
class TDLGselectDeptSTR : public QDialog {
    Q_OBJECT
public:
    explicit TDLGselectDeptSTR(QWidget* parent = nullptr);
    ~TDLGselectDeptSTR() override;

    // Opens the dialog on a department text ('A','B') and replaces the text on
    // "确定". False, with the text unchanged, when there are no departments to
    // choose from or the dialog was cancelled.
    static bool Select(QString& deptText, QWidget* parent);

    // Lists the departments and ticks those named in the text; false when the
    // code list holds none.
    bool load(const QString& deptText);
    // The ticked departments in their stored form ('A','B'), empty when none.
    QString resultText() const;

    // The names a department text holds: the stored quoted form, or, for text
    // typed without quotes, the names between its commas (full-width too).
    static QStringList namesIn(const QString& deptText);

private:
    Ui::TDLGselectDeptSTR* ui;
};
