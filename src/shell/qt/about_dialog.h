// The Qt window of the about dialog (model: shell/about.h).
#pragma once

class QWidget;

// Shows the dialog modally over parent; the game timer keeps running behind it. Called by
// the Qt platform's ShowAboutDialog.
void RunAboutDialog(QWidget* parent);
