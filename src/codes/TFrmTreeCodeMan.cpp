#include "codes/TFrmTreeCodeMan.h"

#include "ui_TFrmTreeCodeMan.h"

#include "codes/CategoryPicker.h"
#include "codes/CategoryStore.h"
#include "data/DataDm.h"
#include "data/WindowKeys.h"
#include "platform/Messages.h"

#include <QMenu>

namespace {
const QString kRootPath = QStringLiteral("\\\\");
}

TFrmTreeCodeMan::TFrmTreeCodeMan(QWidget* parent) : QDialog(parent), ui(new Ui::TFrmTreeCodeMan)
{
    ui->setupUi(this);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->addActions({ui->N1, ui->N2, ui->N3, ui->N4});
    connect(ui->TreeView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->popup(ui->TreeView1->viewport()->mapToGlobal(pos)); });

    connect(ui->btnAddSame, &QPushButton::clicked, this, &TFrmTreeCodeMan::btnAddSameClick);
    connect(ui->btnAddChild, &QPushButton::clicked, this, &TFrmTreeCodeMan::btnAddChildClick);
    connect(ui->btnEdit, &QPushButton::clicked, this, &TFrmTreeCodeMan::btnEditClick);
    connect(ui->btnDelete, &QPushButton::clicked, this, &TFrmTreeCodeMan::btnDeleteClick);
    connect(ui->N1, &QAction::triggered, this, &TFrmTreeCodeMan::btnAddSameClick);
    connect(ui->N2, &QAction::triggered, this, &TFrmTreeCodeMan::btnAddChildClick);
    connect(ui->N3, &QAction::triggered, this, &TFrmTreeCodeMan::btnEditClick);
    connect(ui->N4, &QAction::triggered, this, &TFrmTreeCodeMan::btnDeleteClick);
    connect(ui->btnOK, &QPushButton::clicked, this, &TFrmTreeCodeMan::btnOKClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->TreeView1, &QTreeWidget::itemDoubleClicked, this, &TFrmTreeCodeMan::TreeView1DblClick);

    auto* keys = new WindowKeys(this);
    keys->bind(QKeyCombination(Qt::ControlModifier, Qt::Key_S), [this] { btnEditClick(); });
    keys->bind(QKeyCombination(Qt::Key_Delete), [this] { btnDeleteClick(); });
    keys->bind(QKeyCombination(Qt::Key_Escape), [this] { reject(); });
    // Enter on a node chooses it while picking.
    const auto onTree = [this](QWidget* w) { return isPickMode() && w == ui->TreeView1; };
    keys->bind(QKeyCombination(Qt::Key_Return), onTree, [this] { btnOKClick(); });
    keys->bind(QKeyCombination(Qt::Key_Enter), onTree, [this] { btnOKClick(); });
}

TFrmTreeCodeMan::~TFrmTreeCodeMan() { delete ui; }

QTreeWidget* TFrmTreeCodeMan::tree() const { return ui->TreeView1; }

bool TFrmTreeCodeMan::isPickMode() const { return tree_ && CategoryStore::isPickMode(mode_); }

bool TFrmTreeCodeMan::SetMode(int mode, const QString& initialPath)
{
    tree_ = CategoryStore::treeOfMode(mode);
    if (!tree_) return false;
    mode_ = mode;
    setWindowTitle(QString::fromUtf8(tree_->rootCaption));
    ui->btnOK->setVisible(isPickMode());
    ui->btnCancel->setVisible(isPickMode());
    ui->btnClose->setVisible(!isPickMode());
    loadTree();
    if (isPickMode()) selectPath(initialPath);
    return true;
}

void TFrmTreeCodeMan::loadTree()
{
    try {
        dmData->LoadCodeTree(ui->TreeView1, QString::fromUtf8(tree_->rootCaption), QString::fromLatin1(tree_->flag));
    } catch (const DbError& e) {
        ShowMess(QStringLiteral("打开操作失败，请检查数据连接... ") + QLatin1Char('\n') + e.message(), MessError);
    }
    if (QTreeWidgetItem* root = ui->TreeView1->topLevelItem(0)) {
        root->setExpanded(true);
        ui->TreeView1->setCurrentItem(root);
    }
}

void TFrmTreeCodeMan::selectPath(const QString& path)
{
    if (path.isEmpty()) return;
    for (QTreeWidgetItemIterator it(ui->TreeView1); *it; ++it) {
        QTreeWidgetItem* node = *it;
        if (isRoot(node) || TreeNodeData::of(node).likeCode != path) continue;
        for (QTreeWidgetItem* p = node->parent(); p; p = p->parent()) p->setExpanded(true);
        node->setExpanded(true);
        ui->TreeView1->setCurrentItem(node);
        ui->TreeView1->scrollToItem(node);
    }
}

QTreeWidgetItem* TFrmTreeCodeMan::selectedNode() const
{
    if (QTreeWidgetItem* node = ui->TreeView1->currentItem()) return node;
    return ui->TreeView1->topLevelItem(0);
}

bool TFrmTreeCodeMan::isRoot(const QTreeWidgetItem* node) { return !node || !node->parent(); }

QString TFrmTreeCodeMan::selectedPath() const
{
    const QTreeWidgetItem* node = ui->TreeView1->currentItem();
    return isRoot(node) ? QString() : TreeNodeData::of(node).likeCode;
}

bool TFrmTreeCodeMan::refused(const StoreResult& r)
{
    if (r.ok) return false;
    ShowMess(r.message, r.kind);
    return true;
}

QString TFrmTreeCodeMan::askName(const QString& prompt, const QString& initial, const QString& parentPath,
                                 QString* path)
{
    // A category name is typed, not picked: a picked path could never be a name.
    const QString name = AskCaption(prompt, initial, 0, this);
    if (name.trimmed().isEmpty()) return {};
    QString problem = CategoryStore::checkName(name);
    const QString p = CategoryStore::joinPath(parentPath, name);
    if (problem.isEmpty()) problem = CategoryStore::checkPath(*tree_, p);
    if (!problem.isEmpty()) {
        ShowMess(problem, MessInfo);
        return {};
    }
    *path = p;
    return name;
}

void TFrmTreeCodeMan::addNode(QTreeWidgetItem* parent, const QString& code, const QString& name, const QString& path)
{
    auto* item = new QTreeWidgetItem(parent, QStringList{name});
    TreeNodeData{static_cast<int>(code.size()), code, name, path}.storeIn(item);
    parent->setExpanded(true);
    changed_ = true;
}

void TFrmTreeCodeMan::btnAddSameClick()
{
    if (!tree_) return;
    QTreeWidgetItem* node = selectedNode();
    if (isRoot(node)) {
        ShowMess(QStringLiteral("不能增加根节点的同类节点，该节点只能增加子节点！"), MessInfo);
        return;
    }
    const TreeNodeData d = TreeNodeData::of(node);
    QString code;
    if (refused(CategoryStore::nextCode(*tree_, d.code, 1, &code))) return;
    // First-level categories hang below the root, whose path is "\\".
    const QString parentPath = isRoot(node->parent()) ? kRootPath : TdmData::TreeNodePath(node, 2);
    QString path;
    const QString name = askName(QStringLiteral("添加 ") + d.code + QLatin1Char(' ') + d.name + QStringLiteral(" 同类"),
                                 QString(), parentPath, &path);
    if (name.isEmpty()) return;
    if (refused(CategoryStore::addCategory(*tree_, d.code, 1, name, path, &code))) return;
    addNode(node->parent(), code, name, path);
}

void TFrmTreeCodeMan::btnAddChildClick()
{
    if (!tree_) return;
    QTreeWidgetItem* node = selectedNode();
    if (!node) return;
    const TreeNodeData d = TreeNodeData::of(node);
    // Below the root the next first-level code follows the largest three-digit one.
    const QString below = isRoot(node) ? QString() : d.code;
    QString code;
    if (refused(CategoryStore::nextCode(*tree_, below, 2, &code))) return;
    QString path;
    const QString name = askName(QStringLiteral("添加 ") + d.code + QLatin1Char(' ') + d.name + QStringLiteral(" 子类"),
                                 QString(), isRoot(node) ? kRootPath : d.likeCode, &path);
    if (name.isEmpty()) return;
    if (refused(CategoryStore::addCategory(*tree_, below, 2, name, path, &code))) return;
    addNode(node, code, name, path);
}

void TFrmTreeCodeMan::btnEditClick()
{
    if (!tree_) return;
    QTreeWidgetItem* node = selectedNode();
    if (isRoot(node)) return;
    const TreeNodeData d = TreeNodeData::of(node);
    const QString oldPath = TdmData::TreeNodePath(node, 1);
    QString newPath;
    const QString newName = askName(QStringLiteral("修改类别 ") + d.code + QLatin1Char(' ') + d.name + QStringLiteral(" 子类"),
                                    d.name, TreeNodeData::of(node->parent()).likeCode, &newPath);
    if (newName.isEmpty()) return;
    // Paths compare without regard to case: a change of letter case alone is not saved.
    if (oldPath.trimmed().compare(newPath.trimmed(), Qt::CaseInsensitive) == 0) return;
    if (refused(CategoryStore::renameCategory(*tree_, d.code, oldPath, newName, newPath))) return;
    node->setText(0, newName);
    TreeNodeData{d.levelLength, d.code, newName, newPath}.storeIn(node);
    // The categories below carry the new path too, so that adding below them
    // builds on it.
    for (int i = 0; i < node->childCount(); ++i) renamePaths(node->child(i), oldPath, newPath);
    changed_ = true;
}

void TFrmTreeCodeMan::renamePaths(QTreeWidgetItem* node, const QString& oldPath, const QString& newPath)
{
    TreeNodeData d = TreeNodeData::of(node);
    if (d.likeCode.startsWith(oldPath + QLatin1Char('\\'), Qt::CaseInsensitive)) {
        d.likeCode = newPath + d.likeCode.mid(oldPath.size());
        d.storeIn(node);
    }
    for (int i = 0; i < node->childCount(); ++i) renamePaths(node->child(i), oldPath, newPath);
}

void TFrmTreeCodeMan::btnDeleteClick()
{
    if (!tree_) return;
    QTreeWidgetItem* node = selectedNode();
    if (!node) return;
    if (isRoot(node)) {
        // The root is not stored; deleting it would only empty the view.
        ShowMess(QStringLiteral("不能删除根节点！"), MessInfo);
        return;
    }
    const TreeNodeData d = TreeNodeData::of(node);
    const QString question = node->childCount() == 0
        ? QStringLiteral("真的要删除当前节点 “") + d.code + d.name + QStringLiteral("” 吗？")
        : QStringLiteral("此节点包含有子节点，真的要删除所有的子节点吗？");
    if (ShowMess(question, MessQuestion) == 2) return;
    // A failed deletion keeps the node, so the view still shows what is stored.
    if (!CategoryStore::deleteBranch(*tree_, d.code)) return;
    delete node;
    changed_ = true;
}

void TFrmTreeCodeMan::btnOKClick()
{
    if (isRoot(ui->TreeView1->currentItem())) {
        ShowMess(QStringLiteral("不能选择根节点！"), MessInfo);
        return;
    }
    accept();
}

void TFrmTreeCodeMan::TreeView1DblClick(QTreeWidgetItem* item)
{
    if (isRoot(item)) {
        ShowMess(QStringLiteral("不能选择根节点！"), MessInfo);
        return;
    }
    if (!isPickMode()) return;
    ui->TreeView1->setCurrentItem(item);
    accept();
}

void TFrmTreeCodeMan::done(int result)
{
    // Whoever opened the window reloads its tree after any change.
    QDialog::done(changed_ ? int(QDialog::Accepted) : result);
}
