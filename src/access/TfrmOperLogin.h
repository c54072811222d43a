#pragma once
#include <QDialog>

namespace Ui { class TfrmOperLogin; }

// The login window: name and password, at start-up (mode 0) or to change the
// operator (mode 1). It can be left only through its two buttons.
class TfrmOperLogin : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOperLogin(int mode, QWidget* parent = nullptr);
    ~TfrmOperLogin() override;

    int mode() const { return mode_; }
    int wrongCount() const { return wrongCount_; }
    bool signedIn() const { return signedIn_; }

    // "admin" in any case, with blanks around it.
    static bool isAdminName(const QString& name);

public slots:
    void reject() override;  // Esc: as the cancel button

private slots:
    void btnOkClick();
    void btnCancelClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void wrongPassword();
    bool SignIn(const QString& name);

    Ui::TfrmOperLogin* ui;
    int mode_;
    int wrongCount_ = 0;
    bool signedIn_ = false;
};
