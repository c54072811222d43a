#pragma once
#include <QDialog>
#include <QStringList>

namespace Ui { class TfrmZDYset; }

// The custom field settings "自定义设置": captions of the eleven custom contract
// fields, decimal places, the preferred input method and the automatic codes.
class TfrmZDYset : public QDialog {
    Q_OBJECT
public:
    explicit TfrmZDYset(QWidget* parent = nullptr);
    ~TfrmZDYset() override;

    // Shows the window modally; it saves on "确定" and closes.
    void ShowSettings();

    // Input methods the desktop reports as installed (may be empty).
    static QStringList InstalledInputMethods();

private:
    void FormShow();
    void btnOKClick();
    bool eventFilter(QObject* watched, QEvent* event) override;

    Ui::TfrmZDYset* ui;
};
