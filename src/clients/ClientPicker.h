#pragma once
#include <QString>

class QWidget;

// Lets the operator choose a client and returns its name. Cancelling, or
// confirming an empty list, gives back the text passed in.
QString PickClient(const QString& currentText, QWidget* parent = nullptr);
