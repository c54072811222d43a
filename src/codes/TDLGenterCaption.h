#pragma once
#include <QDialog>

namespace Ui { class TDLGenterCaption; }

// The one-line entry dialog: a prompt (caption and label), an input box with a
// category picker button, "确定" and "取消".
class TDLGenterCaption : public QDialog {
    Q_OBJECT
public:
    explicit TDLGenterCaption(QWidget* parent = nullptr);
    ~TDLGenterCaption() override;

    void setPrompt(const QString& prompt);
    void setText(const QString& text);
    QString text() const;
    // The tree the picker button opens (2, 4 or 8); 0 hides the button; a
    // negative mode chooses by the prompt: departments for "部门名称", else
    // contract types.
    void setPickMode(int mode);
    int pickMode() const { return pickMode_; }

private slots:
    void btnOKClick();
    void sbPickClick();

private:
    Ui::TDLGenterCaption* ui;
    int pickMode_ = 0;
};
