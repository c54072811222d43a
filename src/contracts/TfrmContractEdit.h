#pragma once
#include <QDialog>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <stdexcept>

namespace Ui { class TfrmContractEdit; }
class DataGrid;
class TdmData;
class QWidget;

// The contract editor "合同档案编辑": creates, changes and copies one contract of
// the main contract list, then reopens that list on the saved row.
class TfrmContractEdit : public QDialog {
    Q_OBJECT
public:
    enum Mode { ModeNew = 0, ModeModify = 1, ModeCopy = 2 };

    // `list` is the contract list the editor works on (its current row is the
    // contract to modify or copy); `refreshList` reopens it with its statement.
    TfrmContractEdit(DataGrid* list, std::function<void()> refreshList, QWidget* parent = nullptr);
    ~TfrmContractEdit() override;

    // The category chosen in the main window, given to new contracts as their type.
    void setDefaultType(const QString& categoryPath) { defaultType_ = categoryPath; }

    int ShowEditor(int mode);
    void SetEditMode(bool modify);
    void LoadFields(bool fromRecord);
    void LockApproved(const QString& approver);

    bool EditMode() const { return editMode_; }
    qint64 EditCltID() const { return editCltId_; }

    // --- the write, shared with tests of concurrent saves ---
    struct Saved {
        qint64 id = 0;
        qint64 cltId = 0;
        QString code;
    };
    // A manually entered code that another contract holds.
    class DuplicateCode : public std::runtime_error {
    public:
        DuplicateCode() : std::runtime_error("duplicate contract code") {}
    };
    // Writes one contract in one immediate transaction. For a new contract the
    // code (when generated) and the link key are checked again under the write
    // lock and taken afresh when another save holds them. `values` are the named
    // parameters of the INSERT or UPDATE; `id` is the contract's F_ID when modifying.
    // Throws DbError, CodeError or DuplicateCode; nothing is written then.
    static Saved WriteContract(TdmData& dm, QVariantMap values, bool modify, qint64 id, bool autoCode);
    // The next generated code of today ("HT-20260309-001"). Throws CodeError.
    static QString NextContractCode(TdmData& dm);

private:
    // handlers
    void btnOKClick();
    void btnCancelClick();
    void btnTypeClick();
    void btnClientClick(int party);
    void btnFilePathClick();
    void btnGDpathClick();
    void btnOpenClick(const QString& path);
    void cbGDflagClick();
    void onNavigatorMoved();
    bool eventFilter(QObject* watched, QEvent* event) override;

    // pieces
    void applyCaptions();
    void fillScopeLists();
    void keepScopeSalesman();
    void fillGeneratedCode();
    void setCodeGenerated(bool generated);
    void showArchivePath(bool visible);
    QVariantMap collectValues() const;
    qint64 currentId() const;
    void positionList(qint64 id);

    Ui::TfrmContractEdit* ui;
    DataGrid* list_;
    std::function<void()> refreshList_;
    QString defaultType_;
    bool editMode_ = false;
    qint64 editCltId_ = 0;
};
