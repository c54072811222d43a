#pragma once
#include <QDialog>

namespace Ui { class TfrmModPass; }

// The signed-in operator changes their own password.
class TfrmModPass : public QDialog {
    Q_OBJECT
public:
    explicit TfrmModPass(QWidget* parent = nullptr);
    ~TfrmModPass() override;

private slots:
    void btnOkClick();

private:
    void changePassword();

    Ui::TfrmModPass* ui;
};
