#pragma once
#include <QDialog>
#include <functional>

namespace Ui { class TFrmLimitGl; }
class Dataset;

// One operator as the operator list holds it.
struct OperRecord {
    qint64 id = 0;
    QString name;
    QString mem;
    QString dept;
    bool disabled = false;
    bool approve = false;
    int scope = 0;  // 0 all contracts, 1 own as salesman, 2 listed departments
    static OperRecord fromRow(const Dataset& ds, int row);
};

// The operator editor: name, password, description, flags, scope and the
// permissions. In new mode it stays open after each save for the next one.
class TFrmLimitGl : public QDialog {
    Q_OBJECT
public:
    enum Mode { NewMode = 0, EditMode = 1 };

    explicit TFrmLimitGl(QWidget* parent = nullptr);
    ~TFrmLimitGl() override;

    // Fills the inputs for a new operator or from the edited one.
    void SetEditMode(int mode, const OperRecord& oper = OperRecord());
    int mode() const { return mode_; }
    // What reopens the caller's list on the saved operator (by name).
    void setCallerList(std::function<void(const QString& name)> reopen) { reopen_ = std::move(reopen); }

    int scope() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void btnSaveClick();
    void btnAllClick();
    void btnClearClick();
    void btnDeptClick();
    void rgScopeClick();

private:
    void FormCreate();
    void clearInputs();
    void setScope(int scope);
    void fillNameList();
    bool saveOperator(const QString& name);

    Ui::TFrmLimitGl* ui;
    int mode_ = NewMode;
    OperRecord oper_;
    std::function<void(const QString&)> reopen_;
};
