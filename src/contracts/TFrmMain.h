#pragma once
#include <QDate>
#include <QHash>
#include <QMainWindow>
#include <QVector>
#include <functional>

namespace Ui { class TFrmMain; }
class ContractBrowser;
class MainCommandHandlers;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;

// The main window: the hub from which every command starts.
//
// Commands are QActions named by their number (Action101 … Action506,
// Action901 … Action907, Action31, Action107). A command becomes available when
// something gives it a handler (setCommandHandler); until then it stays
// disabled with the tooltip "该功能尚未开放". Sign-in shows or hides commands
// (setCommandShown); a hidden command is disabled as well, so that no key,
// menu or double click can run it.
class TFrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFrmMain(QWidget* parent = nullptr);
    ~TFrmMain() override;

    // Whether a backup is due on closing, by backup mode and day.
    static bool backupDue(int mode, const QDate& today);

    // Status-bar panels 0..4.
    QLabel* statusPanel(int i) const;

    // --- commands ---
    // Every command number, in the order of the command table.
    static const QVector<int>& commandCodes();
    // The command's action; nullptr for a number that is no command.
    QAction* action(int code) const;
    // Gives the command what it does and makes it available.
    void setCommandHandler(int code, std::function<void()> handler);
    bool commandAvailable(int code) const;
    // Shows or hides a command everywhere it is placed.
    void setCommandShown(int code, bool shown);
    bool commandShown(int code) const;
    // Runs a command for a key or a double click: only when it is shown and
    // available. Returns whether it ran.
    bool runCommand(int code);

    // Entries that are not commands of their own but follow one: the approve
    // button tbSH, the change-approval button tbPZ of the detail toolbar, and
    // the batch-change entries nGGtype / nGGdept of the grid menu (which run
    // 213 / 214 but are shown with 902).
    QAction* approveAction() const;        // tbSH "审批"
    QAction* changeApproveAction() const;  // tbPZ "批准"
    QAction* batchTypeAction() const;      // nGGtype
    QAction* batchDeptAction() const;      // nGGdept
    void setApproveHandler(std::function<void()> handler);
    void setChangeApproveHandler(std::function<void()> handler);
    void setApproveShown(bool shown);      // both approval buttons
    void setBatchEntriesShown(bool shown);

    // The top-level menus 文件 … 数据 by their number 100 … 500.
    QMenu* menuHeading(int hundred) const;
    // The context menu of the main contract grid.
    QMenu* gridMenu() const;
    QToolBar* mainToolBar() const;
    // The central area (centralwidget with its layout mainLayout) where the
    // contract list goes.
    QWidget* contractArea() const;
    // The left navigation panel that "导航树" shows and hides.
    void setNavigationPanel(QWidget* panel);

    // The contract register in the middle of the window.
    ContractBrowser* browser() const { return browser_; }

    // Called by a successful sign-in: status panel 1 shows the name as entered.
    void SignedIn(const QString& enteredName);

public slots:
    void Timer1Timer();

signals:
    // A sign-in succeeded; what follows the operator (lists, scroll handlers)
    // is refreshed by the listeners.
    void signedIn();
    // The toolbar's re-login asks for the contract list to be reopened.
    void contractsRefreshRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Entry {
        QAction* action = nullptr;
        bool shown = true;
        std::function<void()> handler;
        int follows = 0;  // batch entries run the handler of this command
    };

    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void buildStatusBar();
    void buildCommands();
    void buildMenus();
    void buildToolBar();
    void buildGridMenu();
    void buildContractArea();
    void wireOwnItems();
    QAction* makeAction(const QString& name, const QString& caption);
    void updateEntry(Entry& e);
    void trigger(const Entry& e);
    Entry* entryOf(QAction* a);
    const Entry* entryOf(QAction* a) const;
    void miReLoginClick();
    void tbReLoginClick();

    Ui::TFrmMain* ui;
    QLabel* panels_[5] = {};
    QTimer* Timer1 = nullptr;
    bool shown_ = false;
    QHash<int, QAction*> commands_;
    QHash<QAction*, Entry> entries_;
    QMenu* PopupMenu1 = nullptr;
    QAction* tbSH = nullptr;
    QAction* tbPZ = nullptr;
    QAction* nGGtype = nullptr;
    QAction* nGGdept = nullptr;
    QWidget* navigationPanel_ = nullptr;
    ContractBrowser* browser_ = nullptr;
    MainCommandHandlers* contractCommands_ = nullptr;
};

extern TFrmMain* FrmMain;
