#include "data/EditorKeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

EditorKeys* EditorKeys::install(QDialog* window, QAbstractButton* ok, QAbstractButton* cancel)
{
    return new EditorKeys(window, ok, cancel);
}

EditorKeys::EditorKeys(QDialog* window, QAbstractButton* ok, QAbstractButton* cancel)
    : QObject(window), window_(window), ok_(ok), cancel_(cancel)
{
    // Children made later (pages filled on demand) are caught by ChildAdded.
    watch(window);
}

void EditorKeys::watch(QObject* o)
{
    o->installEventFilter(this);
    for (QObject* child : o->children())
        if (child->isWidgetType()) watch(child);
}

// The next control that Tab would reach: enabled, shown and taking tab focus.
void EditorKeys::focusNext(QWidget* from)
{
    for (QWidget* next = from->nextInFocusChain(); next && next != from; next = next->nextInFocusChain()) {
        if (next->window() != window_ || next->focusProxy()) continue;
        if ((next->focusPolicy() & Qt::TabFocus) != Qt::TabFocus) continue;
        if (!next->isEnabled() || !next->isVisibleTo(window_)) continue;
        next->setFocus(Qt::TabFocusReason);
        return;
    }
}

bool EditorKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ChildAdded) {
        auto* ce = static_cast<QChildEvent*>(event);
        if (ce->child()->isWidgetType()) watch(ce->child());
        return false;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    // Drop-down lists and sub-windows (pickers) handle their own keys.
    if (!w || w != QApplication::focusWidget() || w->window() != window_) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const bool ctrlS = key->key() == Qt::Key_S && (key->modifiers() & Qt::ControlModifier);
    const bool esc = key->key() == Qt::Key_Escape && !(key->modifiers() & ~Qt::KeypadModifier);
    const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                       && !(key->modifiers() & ~Qt::KeypadModifier);
    if (event->type() == QEvent::ShortcutOverride) {
        // Claim the keys before a shortcut or the widget's own handling sees them.
        if (ctrlS || esc) { event->accept(); return true; }
        return false;
    }
    if (ctrlS) {
        if (ok_ && ok_->isEnabled()) ok_->click();
        return true;
    }
    if (esc) {
        if (cancel_ && cancel_->isEnabled()) cancel_->click();
        return true;
    }
    if (enter) {
        if (qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w)) return false;
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && (b == ok_ || b == cancel_)) {
            b->click();
            return true;
        }
        focusNext(w);
        return true;
    }
    return false;
}
