// The Qt window of the about dialog (model: shell/about.h).
#pragma once

#include <memory>

class QDialog;
class QWidget;

// The dialog itself, built over parent, not yet shown (the layout tests measure it).
std::unique_ptr<QDialog> MakeAboutDialog(QWidget* parent);

// Shows the dialog modally over parent; the game timer keeps running behind it. Called by
// the Qt platform's ShowAboutDialog.
void RunAboutDialog(QWidget* parent);
