// The "&Hjelp" menu joined to the help system. F1 on menus, dialogs and the
// panel is handled by the platform's help key, which reads each widget's
// help-context number.
#pragma once

class tmainform;

void installhelpmenu(tmainform& main);
