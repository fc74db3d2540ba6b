#include "shell/main_form.h"

#include "platform/platform.h"

void ReportUncaught(const std::exception& e) { platform::Os().ShowError(e.what()); }
