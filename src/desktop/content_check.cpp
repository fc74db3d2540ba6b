#include "desktop/content_check.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <cstdio>

#include "game/window_handlers.h"
#include "desktop/platform/translation.h"

QString NoContentText(const std::vector<std::string>& places) {
  QString list;
  for (const std::string& place : places) list += QStringLiteral("  ") + QString::fromStdString(place) + '\n';
  return QCoreApplication::translate("Program", "ゲームのデータ（title.bmp など）が見つかりません。\n\n"
                        "探した場所：\n%1\n"
                        "データのあるフォルダーを --data で指定して起動してください。例：\n"
                        "  mirovaan --data ~/mirovaan/build/data")
      .arg(list);
}

std::optional<std::string> FindContentOrSay(const QString& dataDir) {
  std::vector<std::string> places =
      dataDir.isEmpty() ? ContentPlaces(QCoreApplication::applicationDirPath().toStdString())
                        : std::vector<std::string>{dataDir.toStdString() + "/"};
  if (auto found = FindContentDir(places)) return found;
  QString text = NoContentText(places);
  std::fprintf(stderr, "mirovaan: no game content found; searched:");
  for (const std::string& place : places) std::fprintf(stderr, " %s", place.c_str());
  std::fprintf(stderr, " (use --data DIR)\n");
  QMessageBox box(QMessageBox::Critical, mirovaan_qt::ProgramName(), text, QMessageBox::Ok);
  box.exec();
  return std::nullopt;
}
