#pragma once
#include <QDialog>
#include <QPalette>
#include <functional>

namespace Ui { class TfrmCltEdit; }
class DataGrid;
struct ClientRecord;

// The client editor: a new client, or the current client of the caller's list.
// Created for one use by the client register or the client picker.
class TfrmCltEdit : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCltEdit(QWidget* parent = nullptr);
    ~TfrmCltEdit() override;

    // The caller's list: its current row is the client modified, the navigator
    // moves it, and reopen(code) refreshes it after a save.
    void setCallerList(DataGrid* grid, std::function<void(const QString& savedCode)> reopen);

    // Mode 0 new, 1 modify: sets the mode, fills the inputs and runs the window.
    bool ShowEditor(int mode);
    void SetEditMode(int mode);
    // Opened by the client picker: new clients only, no continuous entry, no navigator.
    void SetPickerMode();
    void LoadFields(bool fromRecord);

    int editMode() const { return mode_; }
    bool pickerMode() const { return picker_; }

private slots:
    void Button1Click();
    void btnTypeClick();
    void navigatorMoved();

private:
    void setCodeLocked(bool locked);
    void showRecord(const ClientRecord& r);
    ClientRecord inputs() const;
    qint64 currentId() const;

    Ui::TfrmCltEdit* ui;
    DataGrid* grid_ = nullptr;
    std::function<void(const QString&)> reopen_;
    QPalette codePalette_;
    int mode_ = 0;
    bool picker_ = false;
    bool manualCode_ = false;  // automatic codes are on but no next code could be formed
};
