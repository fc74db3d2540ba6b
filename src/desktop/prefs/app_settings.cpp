#include "desktop/prefs/app_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>
#include <cstdio>

namespace prefs {

namespace {

// Larger than any settings file this program writes by far; reading more would only waste
// the start-up on something that is not ours.
constexpr qint64 kMaxSettingsBytes = 256 * 1024;

// The groups this program writes. A file holding keys but none of these is someone else's.
const char* const kOurGroups[] = {"view", "window", "saves", "sound", "display", "input",
                                  "interface"};

// Why the file at path cannot be used, or "" when it can. Never opens a file that is not
// a plain file, so a pipe or a device put there cannot hang the start.
QString Problem(const QString& path) {
  QFileInfo info(path);
  if (!info.exists() && !info.isSymLink()) return {};
  if (!info.isFile()) return QStringLiteral("is not a plain file");
  if (info.size() > kMaxSettingsBytes) return QStringLiteral("is too large");
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("cannot be read");
  QByteArray bytes = file.readAll();
  if (bytes.contains('\0')) return QStringLiteral("is damaged (binary data)");
  QStringDecoder utf8(QStringDecoder::Utf8);
  (void)QString(utf8(bytes));
  if (utf8.hasError()) return QStringLiteral("is damaged (not UTF-8 text)");
  QSettings settings(path, QSettings::IniFormat);
  if (settings.status() != QSettings::NoError) return QStringLiteral("is damaged");
  QStringList keys = settings.allKeys();
  if (keys.isEmpty()) return {};
  for (const QString& key : keys)
    for (const char* group : kOurGroups)
      if (key.startsWith(QLatin1String(group) + '/')) return {};
  return QStringLiteral("belongs to another program");
}

int ReadPercent(QSettings& settings, const char* key) {
  bool ok = false;
  int value = settings.value(key, 100).toInt(&ok);
  return ok ? std::clamp(value, 0, 100) : 100;
}

}  // namespace

void SetUpIdentity() {
  QCoreApplication::setOrganizationName(QStringLiteral("mirovaan"));
  QCoreApplication::setApplicationName(QStringLiteral("mirovaan"));
  QSettings::setDefaultFormat(QSettings::IniFormat);
}

QString SettingsFilePath() {
  QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return config + QStringLiteral("/mirovaan/mirovaan.ini");
}

QString CheckSettingsFile() {
  QString path = SettingsFilePath();
  QString problem = Problem(path);
  if (problem.isEmpty()) return {};
  QString aside = path + QStringLiteral(".damaged");
  QFile::remove(aside);
  QString what;
  if (QFile::rename(path, aside)) {
    what = QStringLiteral("set aside as %1; the defaults are used").arg(aside);
  } else {
    // Neither read nor overwritten: this run keeps its settings in a folder of its own.
    QString elsewhere = QDir::tempPath() + QStringLiteral("/mirovaan-settings-%1")
                                              .arg(QCoreApplication::applicationPid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, elsewhere);
    what = QStringLiteral("left alone; the defaults are used and not kept");
  }
  QString line = QStringLiteral("mirovaan: the settings file %1 %2, %3").arg(path, problem, what);
  std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
  return line;
}

audio::Setup ReadSoundSetup() {
  QSettings settings;
  audio::Setup setup;
  setup.MusicVolume = ReadPercent(settings, "sound/musicVolume");
  setup.EffectVolume = ReadPercent(settings, "sound/effectVolume");
  setup.SoundFont = settings.value("sound/soundfont").toString().toStdString();
  std::string output = settings.value("sound/output").toString().toStdString();
  std::vector<std::string> choices = audio::OutputChoices();
  if (std::find(choices.begin(), choices.end(), output) != choices.end()) setup.Output = output;
  return setup;
}

void WriteSoundSetup(const audio::Setup& setup) {
  QSettings settings;
  settings.setValue("sound/musicVolume", setup.MusicVolume);
  settings.setValue("sound/effectVolume", setup.EffectVolume);
  settings.setValue("sound/soundfont", QString::fromStdString(setup.SoundFont));
  settings.setValue("sound/output", QString::fromStdString(setup.Output));
}

}  // namespace prefs

namespace prefs {

Language StoredLanguage() {
  QString code = QSettings().value("interface/language").toString();
  return LanguageFromCode(code.toStdString()).value_or(Language::kJapanese);
}

bool StoreLanguage(Language language) {
  QSettings settings;
  settings.setValue("interface/language", QString::fromLatin1(LanguageCode(language)));
  settings.sync();
  return settings.status() == QSettings::NoError;
}

}  // namespace prefs
