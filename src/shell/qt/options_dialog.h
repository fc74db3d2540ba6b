// The Qt window of the options dialog (model: shell/options.h).
#pragma once

class QWidget;

// Shows the dialog modally over parent with the controls as K3Click has set them; returns
// when Button1 has closed it. Called by the Qt platform's ShowOptionsDialog.
void RunOptionsDialog(QWidget* parent);
