#pragma once
class QDialog;
class QWidget;

// The program's main window, which modal dialogs belong to when the user works in no other.
// Forgotten by itself when the window goes.
void SetMainForm(QWidget* AForm);

// Makes a dialog modal to the window it belongs to (the active window, else the main window
// while it is shown) instead of to the whole program. A Windows message box disables the
// program's windows but not the notification icon's hidden one; here the icon is a window of
// its own, and a dialog modal to the whole program would block the icon's menu ("Fecha…").
// With no such window the dialog stays modal to the program.
void MakeModalToOwner(QDialog* ADialog);
