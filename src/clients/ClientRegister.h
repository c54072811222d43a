#pragma once

class QWidget;

// The client register window (command 208): placed over most of the screen,
// run modally and destroyed when it closes.
void ShowClientRegister(QWidget* parent = nullptr);
