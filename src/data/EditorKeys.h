#pragma once
#include <QObject>

class QAbstractButton;
class QDialog;

// The keys every editor and dialog shares: Enter moves to the next input
// (except inside a multi-line memo, where it starts a new line), Ctrl+S presses
// the OK button and Esc the cancel button, each only while that button is
// enabled. Installed once on the window; it watches all of its children.
class EditorKeys : public QObject {
    Q_OBJECT
public:
    static EditorKeys* install(QDialog* window, QAbstractButton* ok, QAbstractButton* cancel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditorKeys(QDialog* window, QAbstractButton* ok, QAbstractButton* cancel);
    void watch(QObject* o);
    void focusNext(QWidget* from);

    QDialog* window_;
    QAbstractButton* ok_;
    QAbstractButton* cancel_;
};
