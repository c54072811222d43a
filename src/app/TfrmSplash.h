#pragma once
#include <QDialog>

namespace Ui { class TfrmSplash; }

// The start-up window: a picture with one status line.
class TfrmSplash : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* parent = nullptr);
    ~TfrmSplash() override;

    void setStatus(const QString& text);  // shows the text and paints at once
    QString status() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Ui::TfrmSplash* ui;
};
