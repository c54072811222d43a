#pragma once
#include <QDialog>
#include <QStringList>
#include <QVector>

namespace Ui { class TFrmDispFieldXZ; }

// The column chooser "字段列表": one ticked entry per visible column of a grid.
class TFrmDispFieldXZ : public QDialog {
    Q_OBJECT
public:
    explicit TFrmDispFieldXZ(QWidget* parent = nullptr);
    ~TFrmDispFieldXZ() override;

    void setColumns(const QStringList& titles, const QVector<bool>& visible);
    QVector<bool> ticked() const;
    void setTicked(int i, bool on);

private:
    void btnOKClick();

    Ui::TFrmDispFieldXZ* ui;
};
