#pragma once
#include <QKeyCombination>
#include <QObject>
#include <QVector>
#include <functional>

class QAbstractButton;
class QDialog;
class QKeyEvent;
class QWidget;

// The keys a window handles itself, whatever control of it has the focus: the
// editor keys (Enter to the next input, Ctrl+S presses OK, Esc presses cancel)
// and a list window's own keys (PgUp, PgDn, Home, End, its commands). A key is
// caught before the focused control sees it, and before any shortcut, so a
// search box's Delete or Home can act on the window, not on the text. Keys of
// other windows, pop-ups and modal sub-windows are left alone.
class WindowKeys : public QObject {
    Q_OBJECT
public:
    // Whether a binding acts at the control that has the key.
    using Condition = std::function<bool(QWidget* target)>;
    // What a key bound to a button does while the button is disabled or hidden:
    // nothing at all, or what it would do in the control without the binding.
    enum class WhenOff { Swallow, PassOn };

    explicit WindowKeys(QWidget* window);
    ~WindowKeys() override;

    // The keys of an editor or dialog: Ctrl+S presses OK, Esc presses cancel
    // (each only while that button is enabled), and Enter moves to the next input
    // or presses OK or cancel when it has the focus.
    static WindowKeys* forEditor(QDialog* window, QAbstractButton* ok, QAbstractButton* cancel);

    void bind(QKeyCombination key, QAbstractButton* button, WhenOff off = WhenOff::Swallow);
    void bind(QKeyCombination key, std::function<void()> action);
    void bind(QKeyCombination key, Condition when, std::function<void()> action);

    // Enter moves the focus on as Tab does, out of a grid too, but not inside a
    // multi-line memo (new lines) or an open cell editor (which Enter finishes).
    // Bindings of Enter come first.
    void enterMovesFocus(Condition when = {});

    // True when the widget is the open cell editor of an item view.
    static bool isCellEditor(const QWidget* w);
    // Moves the focus to the next control that takes it, as Tab does.
    bool focusNext(QWidget* from);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Binding {
        QKeyCombination key;
        Condition when;
        QAbstractButton* button = nullptr;
        WhenOff off = WhenOff::Swallow;
        std::function<void()> action;
    };
    // What the key does at the control; empty when it goes on to the control.
    std::function<void()> handler(QWidget* target, const QKeyEvent* key);

    QWidget* window_;
    QVector<Binding> bindings_;
    bool enterMoves_ = false;
    Condition enterWhen_;
    QAbstractButton* ok_ = nullptr;  // Enter on these presses them
    QAbstractButton* cancel_ = nullptr;
};
