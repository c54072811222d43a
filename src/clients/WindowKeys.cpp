#include "clients/WindowKeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

WindowKeys::WindowKeys(QWidget* window) : QObject(window), window_(window)
{
    qApp->installEventFilter(this);
}

WindowKeys::~WindowKeys() { qApp->removeEventFilter(this); }

void WindowKeys::bind(QKeyCombination key, QAbstractButton* button) { bindings_.push_back({key, button, {}}); }

void WindowKeys::bind(QKeyCombination key, std::function<void()> action)
{
    bindings_.push_back({key, nullptr, std::move(action)});
}

void WindowKeys::enterMovesFocus(const QVector<QWidget*>& except)
{
    enterMoves_ = true;
    enterExcept_ = except;
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w->window() != window_) return false;  // another window, a popup or a modal child
    auto* key = static_cast<QKeyEvent*>(event);
    // The keypad's Enter carries KeypadModifier; it counts as the plain key.
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    const QKeyCombination pressed(mods, Qt::Key(key->key()));
    for (const Binding& b : std::as_const(bindings_)) {
        if (b.key != pressed) continue;
        if (b.button) {
            if (b.button->isEnabled()) b.button->click();
        } else if (b.action) {
            b.action();
        }
        return true;
    }
    if (enterMoves_ && mods == Qt::NoModifier && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        for (QWidget* e : std::as_const(enterExcept_))
            if (e && (w == e || e->isAncestorOf(w))) return false;
        return moveFocusOn(w);
    }
    return false;
}

bool WindowKeys::moveFocusOn(QWidget* from)
{
    for (QWidget* next = from->nextInFocusChain(); next && next != from; next = next->nextInFocusChain()) {
        if (next->window() != window_ || next->focusProxy()) continue;
        if ((next->focusPolicy() & Qt::TabFocus) != Qt::TabFocus) continue;
        if (!next->isEnabled() || !next->isVisibleTo(window_)) continue;
        next->setFocus(Qt::TabFocusReason);
        return true;
    }
    return false;
}
