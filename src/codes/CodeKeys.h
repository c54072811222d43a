#pragma once
#include <QKeyCombination>
#include <QObject>
#include <QVector>
#include <functional>

class QAbstractButton;
class QWidget;

// The keys a reference-code window handles itself, whatever control of it has
// the focus. A binding acts only while its condition holds (a button: while it
// is enabled and shown); otherwise the key goes on to the control as usual.
class CodeKeys : public QObject {
    Q_OBJECT
public:
    using Condition = std::function<bool(QWidget* target)>;

    explicit CodeKeys(QWidget* window);
    ~CodeKeys() override;

    void bind(QKeyCombination key, QAbstractButton* button);
    void bind(QKeyCombination key, Condition when, std::function<void()> action);

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
        std::function<void()> action;
    };
    QWidget* window_;
    QVector<Binding> bindings_;
};
