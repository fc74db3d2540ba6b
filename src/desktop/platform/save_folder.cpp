#include "desktop/platform/save_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace platform {

QString DefaultSavesFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/mirovaan/saves");
}

QString SaveDialogFolder() {
  QSettings settings;
  QString last = settings.value("saves/lastDir").toString();
  if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
  QString saves = DefaultSavesFolder();
  if (QDir().mkpath(saves)) return saves;
  return QDir::homePath();
}

void RememberSaveFolder(const QString& chosenFile) {
  QString folder = QFileInfo(chosenFile).absolutePath();
  if (folder.isEmpty()) return;
  QSettings settings;
  settings.setValue("saves/lastDir", folder);
}

}  // namespace platform
