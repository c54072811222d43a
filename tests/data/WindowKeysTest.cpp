#include "data/WindowKeys.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {
// A small window shown and active, so that the focus behaves as for a user.
struct Window {
    QDialog dialog;
    QLineEdit* first = new QLineEdit(&dialog);
    QPlainTextEdit* memo = new QPlainTextEdit(&dialog);
    QLineEdit* second = new QLineEdit(&dialog);
    QTableView* view = new QTableView(&dialog);
    QStandardItemModel model{2, 1};
    QPushButton* ok = new QPushButton(QStringLiteral("确定"), &dialog);
    QPushButton* cancel = new QPushButton(QStringLiteral("取消"), &dialog);
    int oks = 0, cancels = 0;

    Window()
    {
        auto* layout = new QVBoxLayout(&dialog);
        for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(memo), static_cast<QWidget*>(second),
                           static_cast<QWidget*>(view), static_cast<QWidget*>(ok), static_cast<QWidget*>(cancel)})
            layout->addWidget(w);
        view->setModel(&model);
        QObject::connect(ok, &QPushButton::clicked, [this] { ++oks; });
        QObject::connect(cancel, &QPushButton::clicked, [this] { ++cancels; });
        dialog.show();
        QApplication::setActiveWindow(&dialog);
    }
    void enter(QWidget* at)
    {
        at->setFocus();
        QTest::keyClick(at, Qt::Key_Return);
    }
};

TEST(WindowKeys, ButtonKeyWhileTheButtonIsOff)
{
    const struct {
        WindowKeys::WhenOff off;
        bool enabled;
        int clicks;
        const char* textLeft;
    } cases[] = {
        {WindowKeys::WhenOff::Swallow, true, 1, "abc"},
        {WindowKeys::WhenOff::Swallow, false, 0, "abc"},  // the window's key, even while it does nothing
        {WindowKeys::WhenOff::PassOn, true, 1, "abc"},
        {WindowKeys::WhenOff::PassOn, false, 0, "bc"},    // goes on to the text box
    };
    for (const auto& c : cases) {
        Window w;
        auto* keys = new WindowKeys(&w.dialog);
        keys->bind(QKeyCombination(Qt::Key_Delete), w.cancel, c.off);
        w.cancel->setEnabled(c.enabled);
        w.first->setText(QStringLiteral("abc"));
        w.first->setCursorPosition(0);
        QTest::keyClick(w.first, Qt::Key_Delete);
        EXPECT_EQ(w.cancels, c.clicks) << int(c.off) << c.enabled;
        EXPECT_EQ(w.first->text(), QString::fromLatin1(c.textLeft)) << int(c.off) << c.enabled;
    }
}

TEST(WindowKeys, KeysOfAnotherWindowAreLeftAlone)
{
    Window w;
    auto* keys = new WindowKeys(&w.dialog);
    keys->bind(QKeyCombination(Qt::Key_Delete), w.cancel);
    QDialog other;
    auto* edit = new QLineEdit(QStringLiteral("abc"), &other);
    edit->setCursorPosition(0);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(w.cancels, 0);
    EXPECT_EQ(edit->text(), QStringLiteral("bc"));
}

TEST(WindowKeys, EnterMovesOnButNotInAMemoOrAnOpenCell)
{
    Window w;
    (new WindowKeys(&w.dialog))->enterMovesFocus();
    w.enter(w.first);
    EXPECT_EQ(QApplication::focusWidget(), w.memo);
    w.enter(w.memo);
    EXPECT_EQ(QApplication::focusWidget(), w.memo);
    EXPECT_EQ(w.memo->toPlainText(), QStringLiteral("\n"));
    w.enter(w.second);
    EXPECT_EQ(QApplication::focusWidget(), w.view);
    w.enter(w.view);  // out of the grid
    EXPECT_EQ(QApplication::focusWidget(), w.ok);

    // Enter in an open cell finishes the typing and stays in the grid.
    const QModelIndex cell = w.model.index(1, 0);
    w.view->setCurrentIndex(cell);
    w.view->edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_TRUE(editor && WindowKeys::isCellEditor(editor));
    editor->setText(QStringLiteral("typed"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // the view takes the typing on its next turn
    EXPECT_EQ(w.model.data(cell).toString(), QStringLiteral("typed"));
    EXPECT_EQ(QApplication::focusWidget(), w.view);
    EXPECT_EQ(w.oks + w.cancels, 0);
}

TEST(WindowKeys, AKeyPassedOnToTheParentsCountsOnce)
{
    Window w;
    int chosen = 0;
    (new WindowKeys(&w.dialog))->bind(QKeyCombination(Qt::Key_Return), [&w](QWidget* at) { return at == w.view; },
                                      [&chosen] { ++chosen; });
    w.enter(w.view);
    EXPECT_EQ(chosen, 1);
    // The cell editor lets Enter go on to the grid; it is still the cell's key.
    const QModelIndex cell = w.model.index(0, 0);
    w.view->setCurrentIndex(cell);
    w.view->edit(cell);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_TRUE(WindowKeys::isCellEditor(editor));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(chosen, 1);
}

TEST(WindowKeys, EditorKeysPressOkAndCancel)
{
    Window w;
    WindowKeys::forEditor(&w.dialog, w.ok, w.cancel);
    w.second->setFocus();
    QTest::keyClick(w.second, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(w.second, Qt::Key_Escape);
    EXPECT_EQ(w.oks, 1);
    EXPECT_EQ(w.cancels, 1);

    w.ok->setEnabled(false);
    QTest::keyClick(w.second, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(w.oks, 1);
    w.ok->setEnabled(true);

    // Enter moves on from an input, and presses OK or cancel when it has the focus.
    w.enter(w.second);
    EXPECT_EQ(QApplication::focusWidget(), w.view);
    EXPECT_EQ(w.oks, 1);
    w.enter(w.ok);
    EXPECT_EQ(w.oks, 2);
    w.enter(w.cancel);
    EXPECT_EQ(w.cancels, 2);
}
}  // namespace
