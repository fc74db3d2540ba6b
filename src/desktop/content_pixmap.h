// Pictures that Qt shows from the content folder (the window's and the about dialog's
// icons), read as every content file is: without blocking, regular files only, bounded.
#pragma once

#include <QPixmap>
#include <string>

namespace mirovaan_qt {

// The picture at path, or a null pixmap when it cannot be read or decoded.
QPixmap LoadContentPixmap(const std::string& path);

}  // namespace mirovaan_qt
