#pragma once
#include <QDate>
#include <QMainWindow>

namespace Ui { class TFrmMain; }
class QLabel;
class QTimer;

// The main window: the hub from which every command starts.
class TFrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFrmMain(QWidget* parent = nullptr);
    ~TFrmMain() override;

    // Whether a backup is due on closing, by backup mode and day.
    static bool backupDue(int mode, const QDate& today);

    // Status-bar panels 0..4.
    QLabel* statusPanel(int i) const;

public slots:
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void buildStatusBar();

    Ui::TFrmMain* ui;
    QLabel* panels_[5] = {};
    QTimer* Timer1 = nullptr;
    bool shown_ = false;
};

extern TFrmMain* FrmMain;
