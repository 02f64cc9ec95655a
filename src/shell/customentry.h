// "Egendefinert funksjon" joined to the main window: the formula dialog is
// made once at start, and the command hands it an empty expression, shows it
// modally and, on OK, makes a user-defined figure of the accepted formula in
// the active window.
#pragma once

#include <functional>

class tmainform;
class tsynt;

// Makes the dialog and connects the command to it.
void installcustomentry(tmainform& main);
tsynt* customdialog(tmainform& main);
// The command. run shows the dialog and answers its result (the modal
// loop in the program; tests drive the dialog's handlers instead).
void customclick(tmainform& main, const std::function<int(tsynt&)>& run);
void customclick(tmainform& main);
