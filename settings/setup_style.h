#pragma once
// The look of the settings dialog: framed push buttons with a face colour of their own, framed
// check boxes and radio buttons with a highlight, and a page control whose tabs stand on its
// left edge with horizontal captions and cut corners. Hovered controls light up (hot tracking).

class QWidget;

// Gives the dialog and every widget in it now the settings dialog's look; call it once the
// dialog is built. The style belongs to the dialog and goes with it.
void ApplySetupStyle(QWidget* dialog);
