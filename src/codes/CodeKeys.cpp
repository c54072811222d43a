#include "codes/CodeKeys.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

CodeKeys::CodeKeys(QWidget* window) : QObject(window), window_(window) { qApp->installEventFilter(this); }

CodeKeys::~CodeKeys() { qApp->removeEventFilter(this); }

void CodeKeys::bind(QKeyCombination key, QAbstractButton* button)
{
    bind(key, [button](QWidget*) { return button->isEnabled() && button->isVisibleTo(button->window()); },
         [button] { button->click(); });
}

void CodeKeys::bind(QKeyCombination key, Condition when, std::function<void()> action)
{
    bindings_.push_back({key, std::move(when), std::move(action)});
}

bool CodeKeys::isCellEditor(const QWidget* w)
{
    for (const QWidget* p = w ? w->parentWidget() : nullptr; p; p = p->parentWidget())
        if (auto* view = qobject_cast<const QAbstractItemView*>(p)) return view->viewport()->isAncestorOf(w);
    return false;
}

bool CodeKeys::focusNext(QWidget* from)
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

bool CodeKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w->window() != window_) return false;  // another window, a popup or a modal child
    auto* key = static_cast<QKeyEvent*>(event);
    // The keypad's Enter carries KeypadModifier; it counts as the plain key.
    const QKeyCombination pressed(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key()));
    for (const Binding& b : std::as_const(bindings_)) {
        if (b.key != pressed || !b.when(w)) continue;
        b.action();
        return true;
    }
    return false;
}
