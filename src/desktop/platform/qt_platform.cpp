#include "desktop/platform/qt_platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

#include "desktop/platform/save_folder.h"
#include "desktop/platform/translation.h"

namespace platform {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The game's captions, questions and file dialog texts are Japanese; the player reads them
// in the chosen language. Names of files and the like pass unchanged.
QString T(const std::string& s) { return mirovaan_qt::GameText(s); }

std::optional<std::string> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                         bool save) {
  QFileDialog dialog(parent, T(request.Title));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilters({T(request.FilterName)});
  dialog.setDefaultSuffix(Q(request.DefaultExt));
  dialog.setOption(QFileDialog::ReadOnly, false);
  // "*.sav" is a pattern, not a name to propose: the dialog opens in the folder last used.
  dialog.setDirectory(SaveDialogFolder());
  if (!request.FileName.empty() && request.FileName.find('*') == std::string::npos) {
    QFileInfo proposed(Q(request.FileName));
    if (proposed.dir().exists()) dialog.setDirectory(proposed.dir());
    dialog.selectFile(proposed.fileName());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  RememberSaveFolder(dialog.selectedFiles().first());
  std::string chosen = dialog.selectedFiles().first().toStdString();
  return save ? WithDefaultSuffix(chosen, request.DefaultExt) : chosen;
}

}  // namespace

std::string WithDefaultSuffix(const std::string& path, const std::string& suffix) {
  if (suffix.empty()) return path;
  size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.find('.') != std::string::npos) return path;
  return path + "." + suffix;
}

bool QtPlatform::AskYesNo(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::Warning, T(caption), T(text), QMessageBox::Yes | QMessageBox::No,
                  window);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

void QtPlatform::ShowMessage(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, T(caption), T(text), QMessageBox::Ok, window);
  box.exec();
}

void QtPlatform::ShowError(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, mirovaan_qt::ProgramName(), T(text),
                  QMessageBox::Ok, window);
  box.exec();
}

std::optional<std::string> QtPlatform::SaveFileDialog(const FileDialogRequest& request) {
  return RunFileDialog(window, request, true);
}

std::optional<std::string> QtPlatform::OpenFileDialog(const FileDialogRequest& request) {
  if (nextOpenAnswer) {
    std::optional<std::string> answer = std::move(nextOpenAnswer);
    nextOpenAnswer.reset();
    return answer;
  }
  return RunFileDialog(window, request, false);
}

bool QtPlatform::ShellOpen(const std::string& address) {
  // The desktop says only whether a handler (xdg-open and the like) could be started.
  return QDesktopServices::openUrl(QUrl(Q(address)));
}

void QtPlatform::Repaint(const gfx::Bitmap&) {
  if (repaint) repaint();
}

void QtPlatform::WindowChanged() {
  if (windowChanged) windowChanged();
}

void QtPlatform::Quit() { QCoreApplication::quit(); }

void QtPlatform::ShowOptionsDialog() {
  if (optionsDialog) optionsDialog();
}

void QtPlatform::ShowNotice(const std::string& text) {
  if (notice) notice(text);
}

void QtPlatform::ShowAboutDialog() {
  if (aboutDialog) aboutDialog();
}

}  // namespace platform
