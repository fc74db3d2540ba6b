#include "desktop/slot_dialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "content/heroes.h"
#include "desktop/dialog_common.h"
#include "platform/platform.h"
#include "shell/save_info.h"
#include "shell/save_texts.h"
#include "state/window_model.h"

namespace mirovaan_qt {

namespace {

constexpr int kPictureWidth = kViewWidth / 2;
constexpr int kPictureHeight = kViewHeight / 2;

// The hero's face as the status panel shows it, cut from the face sheet.
QPixmap FaceOf(int hero) {
  const gfx::Bitmap* sheet = Window.FaceSheet.Picture();
  const int w = Window.FaceSheet.Width(), h = Window.FaceSheet.Height();
  if (!sheet || w <= 0 || h <= 0 || sheet->Width() < w) return {};
  const int columns = sheet->Width() / w;
  const int left = hero % columns * w, top = hero / columns * h;
  if (top + h > sheet->Height()) return {};
  QImage face(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t c = sheet->Pixel(left + x, top + y);  // 0x00BBGGRR
      face.setPixel(x, y, qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    }
  }
  return QPixmap::fromImage(face);
}

QString SlotTitle(int slot) { return SlotDialog::tr("スロット %1").arg(slot); }

// The lines of text a slot shows.
QString SlotText(int slot, const saves::Summary& s) {
  QString text = SlotTitle(slot) + "\n";
  if (s.Kind == saves::Summary::State::Empty) return text + Q(savetext::Empty());
  if (s.Kind == saves::Summary::State::Damaged)
    return text + Q(savetext::Damaged()) + "\n" + Q(s.Problem).section('\n', 0, 0);
  text += Q(HeroText(s.Hero, kLineName)) + "  " + Q(savetext::LevelText(s.Level)) + "\n";
  text += Q(saves::WhereText(s)) + "\n";
  text += SlotDialog::tr("プレイ時間 %1").arg(s.PlayMs ? Q(savetext::PlayTime(*s.PlayMs))
                                                     : QStringLiteral("--:--:--"));
  text += "    " + Q(s.SavedAt);
  return text;
}

// One slot: a button holding the picture, the face and the text, so the d-pad's Tab and
// the pad's A reach it as they reach any button.
QPushButton* SlotButtonFor(int slot, const saves::Summary& s, QWidget* parent) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QStringLiteral("slot"));
  button->setAutoDefault(false);
  button->setMinimumHeight(kPictureHeight + 12);
  button->setAccessibleName(SlotTitle(slot));
  auto* row = new QHBoxLayout(button);
  auto* picture = new QLabel(button);
  picture->setFixedSize(kPictureWidth, kPictureHeight);
  picture->setStyleSheet(QStringLiteral("background: black"));
  if (!s.Picture.empty()) {
    QPixmap shot(Q(s.Picture));
    if (!shot.isNull()) picture->setPixmap(shot.scaled(picture->size()));
  }
  row->addWidget(picture);
  auto* face = new QLabel(button);
  face->setFixedSize(40, 40);
  if (s.Kind == saves::Summary::State::Ready) face->setPixmap(FaceOf(s.Hero));
  row->addWidget(face, 0, Qt::AlignTop);
  auto* text = new QLabel(SlotText(slot, s), button);
  text->setAttribute(Qt::WA_TransparentForMouseEvents);
  row->addWidget(text, 1);
  for (QLabel* label : {picture, face}) label->setAttribute(Qt::WA_TransparentForMouseEvents);
  return button;
}

bool AskOverwrite(int slot, QWidget* parent) {
  QMessageBox box(QMessageBox::Warning, SlotDialog::tr("上書きしますよ！"),
                  SlotDialog::tr("スロット %1 のセーブデータを上書きしてもよろしいでしょうか？")
                      .arg(slot),
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::No);  // a slip of the thumb must not lose a game
  return box.exec() == QMessageBox::Yes;
}

}  // namespace

SlotDialog::SlotDialog(Use use, const QString& folder, QWidget* parent)
    : QDialog(parent), use_(use), folder_(folder) {
  setWindowTitle(use == Use::Save ? tr("スロットにセーブ") : tr("スロットからロード"));
  setModal(true);
  setFont(DialogFont());
  // From the sofa the chosen slot must stand out at a glance, not by a dotted outline.
  setStyleSheet(QStringLiteral(
      "QPushButton#slot { border: 2px solid palette(mid); border-radius: 4px; "
      "background: palette(button); padding: 2px; }"
      "QPushButton#slot:focus { border: 4px solid palette(highlight); padding: 0px; }"
      "QPushButton#slot:disabled { background: palette(window); }"));
  auto* list = new QWidget;
  auto* rows = new QVBoxLayout(list);
  for (int slot = 1; slot <= saves::kSlotCount; ++slot) {
    const std::string path = (folder_ + "/").toStdString() + saves::SlotFileName(slot);
    const saves::Summary summary = saves::Summarize(path);
    QPushButton* button = SlotButtonFor(slot, summary, list);
    // Nothing to load from an empty or damaged slot; it stays visible so the ten keep
    // their places.
    if (use == Use::Load && summary.Kind != saves::Summary::State::Ready) button->setEnabled(false);
    connect(button, &QPushButton::clicked, this, [this, slot] { OnPicked(slot); });
    rows->addWidget(button);
    buttons_[slot - 1] = button;
  }
  auto* scroll = new QScrollArea;
  scroll->setWidget(list);
  scroll->setWidgetResizable(true);
  auto* top = new QVBoxLayout(this);
  top->addWidget(scroll);
  auto* leave = new QPushButton(tr("戻る"));
  leave->setAutoDefault(false);
  connect(leave, &QPushButton::clicked, this, &QDialog::reject);
  top->addWidget(leave, 0, Qt::AlignRight);
  resize(560, 480);
  for (QAbstractButton* b : buttons_) {
    if (b->isEnabled()) {
      b->setFocus();
      break;
    }
  }
}

QAbstractButton* SlotDialog::SlotButton(int slot) const {
  return slot >= 1 && slot <= saves::kSlotCount ? buttons_[slot - 1] : nullptr;
}

void SlotDialog::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
      focusNextPrevChild(false);
      return;
    case Qt::Key_Down:
    case Qt::Key_Right:
      focusNextPrevChild(true);
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (auto* button = qobject_cast<QAbstractButton*>(focusWidget())) {
        button->click();
        return;
      }
      break;
    default:
      break;
  }
  QDialog::keyPressEvent(event);
}

void SlotDialog::OnPicked(int slot) {
  const std::string path = (folder_ + "/").toStdString() + saves::SlotFileName(slot);
  if (use_ == Use::Save && saves::Summarize(path).Kind != saves::Summary::State::Empty &&
      !AskOverwrite(slot, this))
    return;
  chosen_ = slot;
  accept();
}

std::optional<int> ChooseSlot(SlotDialog::Use use, QWidget* parent) {
  SlotDialog dialog(use, Q(platform::SavesFolder()), parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Chosen();
}

}  // namespace mirovaan_qt
