// The Qt window of the options dialog (model: shell/options.h).
#pragma once

#include <memory>

class QDialog;
class QWidget;

// The dialog itself, built over parent from the model, not yet shown (the layout tests
// measure it).
std::unique_ptr<QDialog> MakeOptionsDialog(QWidget* parent);

// Shows the dialog modally over parent with the controls as OnOptionsCommand has set them; returns
// when its close button has closed it. Called by the Qt platform's ShowOptionsDialog.
void RunOptionsDialog(QWidget* parent);
