#include "data/WindowKeys.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace {
bool canPress(const QAbstractButton* b) { return b && b->isEnabled() && b->isVisibleTo(b->window()); }

bool isMemo(const QWidget* w) { return qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w); }
}

// Watching the application sees the keys of controls made later too (cell
// editors, pages filled on demand).
WindowKeys::WindowKeys(QWidget* window) : QObject(window), window_(window) { qApp->installEventFilter(this); }

WindowKeys::~WindowKeys() { qApp->removeEventFilter(this); }

WindowKeys* WindowKeys::forEditor(QDialog* window, QAbstractButton* ok, QAbstractButton* cancel)
{
    auto* keys = new WindowKeys(window);
    keys->ok_ = ok;
    keys->cancel_ = cancel;
    keys->bind(QKeyCombination(Qt::ControlModifier, Qt::Key_S), ok);
    // An open cell editor takes back its typing on Esc.
    keys->bindings_.push_back(
        {QKeyCombination(Qt::Key_Escape), [](QWidget* w) { return !isCellEditor(w); }, cancel, WhenOff::Swallow, {}});
    keys->enterMovesFocus();
    return keys;
}

void WindowKeys::bind(QKeyCombination key, QAbstractButton* button, WhenOff off)
{
    bindings_.push_back({key, {}, button, off, {}});
}

void WindowKeys::bind(QKeyCombination key, std::function<void()> action)
{
    bindings_.push_back({key, {}, nullptr, WhenOff::Swallow, std::move(action)});
}

void WindowKeys::bind(QKeyCombination key, Condition when, std::function<void()> action)
{
    bindings_.push_back({key, std::move(when), nullptr, WhenOff::Swallow, std::move(action)});
}

void WindowKeys::enterMovesFocus(Condition when)
{
    enterMoves_ = true;
    enterWhen_ = std::move(when);
}

bool WindowKeys::isCellEditor(const QWidget* w)
{
    for (const QWidget* p = w ? w->parentWidget() : nullptr; p; p = p->parentWidget())
        if (auto* view = qobject_cast<const QAbstractItemView*>(p)) return view->viewport()->isAncestorOf(w);
    return false;
}

bool WindowKeys::focusNext(QWidget* from)
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

std::function<void()> WindowKeys::handler(QWidget* w, const QKeyEvent* key)
{
    // The keypad's Enter carries KeypadModifier; it counts as the plain key.
    const QKeyCombination pressed(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key()));
    for (const Binding& b : bindings_) {
        if (b.key != pressed || (b.when && !b.when(w))) continue;
        if (b.action) return b.action;
        if (canPress(b.button)) return [button = b.button] { button->click(); };
        if (b.off == WhenOff::Swallow) return [] {};
    }
    const bool enter = pressed == QKeyCombination(Qt::Key_Return) || pressed == QKeyCombination(Qt::Key_Enter);
    if (!enter || !enterMoves_ || (enterWhen_ && !enterWhen_(w)) || isMemo(w) || isCellEditor(w)) return {};
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && (b == ok_ || b == cancel_)) return [b] { b->click(); };
    return [this, w] { focusNext(w); };
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event)
{
    const bool press = event->type() == QEvent::KeyPress;
    if ((!press && event->type() != QEvent::ShortcutOverride) || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w->window() != window_) return false;  // another window, a popup or a modal child
    // A key the focused control passes on goes to its parents too: only the
    // control that had it first counts.
    if (QWidget* focus = QApplication::focusWidget(); focus && focus != w && w->isAncestorOf(focus)) return false;
    const std::function<void()> act = handler(w, static_cast<QKeyEvent*>(event));
    if (!act) return false;
    if (press) act();
    else event->accept();  // claim the key before a shortcut sees it; the key press follows
    return true;
}
