#pragma once
#include <QKeyCombination>
#include <QObject>
#include <QVector>
#include <functional>

class QAbstractButton;
class QWidget;

// Keys a window handles itself, whatever control of it has the focus: each
// bound key presses its button (only while the button is enabled) or runs its
// action, and Enter may move the focus to the next control. The keys are caught
// before the focused control sees them, so a search box's Delete or Home acts on
// the window, not on the text.
class WindowKeys : public QObject {
    Q_OBJECT
public:
    explicit WindowKeys(QWidget* window);
    ~WindowKeys() override;

    void bind(QKeyCombination key, QAbstractButton* button);
    void bind(QKeyCombination key, std::function<void()> action);
    // Enter moves the focus on as Tab does, except inside the given controls
    // (multi-line memos keep their new lines).
    void enterMovesFocus(const QVector<QWidget*>& except = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Binding {
        QKeyCombination key;
        QAbstractButton* button = nullptr;
        std::function<void()> action;
    };
    bool moveFocusOn(QWidget* from);

    QWidget* window_;
    QVector<Binding> bindings_;
    bool enterMoves_ = false;
    QVector<QWidget*> enterExcept_;
};
