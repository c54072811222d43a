#pragma once
#include <QDialog>

namespace Ui { class TFrmTreeCodeMan; }
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
struct CategoryTree;
struct StoreResult;

// The category window: maintains one category tree (odd modes) or picks a
// category from it (even modes, which allow the same maintenance). Every change
// is written at once; the window ends with OK whenever something was changed.
class TFrmTreeCodeMan : public QDialog {
    Q_OBJECT
public:
    explicit TFrmTreeCodeMan(QWidget* parent = nullptr);
    ~TFrmTreeCodeMan() override;

    // Chooses the tree by mode (1..5, 8) and loads it; a pick mode starts at the
    // category whose path is initialPath. False for an unknown mode.
    bool SetMode(int mode, const QString& initialPath = QString());
    int mode() const { return mode_; }
    bool isPickMode() const;

    // A category was added, renamed or deleted while the window was open.
    bool changedMark() const { return changed_; }
    // The path of the selected category; empty when the root (or nothing) is selected.
    QString selectedPath() const;
    QTreeWidget* tree() const;

    void done(int result) override;

private slots:
    void btnAddSameClick();
    void btnAddChildClick();
    void btnEditClick();
    void btnDeleteClick();
    void btnOKClick();
    void TreeView1DblClick(QTreeWidgetItem* item);

private:
    QTreeWidgetItem* selectedNode() const;  // the current node, else the root
    static bool isRoot(const QTreeWidgetItem* node);
    void loadTree();
    void selectPath(const QString& path);
    bool refused(const StoreResult& r);
    // Asks the name of a new or renamed category; empty when nothing is to be done.
    QString askName(const QString& prompt, const QString& initial, const QString& parentPath,
                    QString* path);
    void addNode(QTreeWidgetItem* parent, const QString& code, const QString& name, const QString& path);
    static void renamePaths(QTreeWidgetItem* node, const QString& oldPath, const QString& newPath);

    Ui::TFrmTreeCodeMan* ui;
    QMenu* PopupMenu1 = nullptr;
    const CategoryTree* tree_ = nullptr;
    int mode_ = 0;
    bool changed_ = false;
};
