#include "desktop/prefs/language_page.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "desktop/platform/translation.h"
#include "desktop/prefs/app_settings.h"

namespace prefs {

namespace {

// In the order of the choices on the page.
constexpr Language kChoices[] = {Language::kJapanese, Language::kEnglish};

// The page is built anew in the new language after a choice; what it had to say about the
// settings file must outlive it.
bool g_notRemembered = false;

QString NoteText() {
  return g_notRemembered
             ? LanguagePage::tr("設定ファイルに書き込めなかったため、次に起動したときは元の言語に戻ります。")
             : LanguagePage::tr("メニューと画面の文字がすぐに切り替わります。遊んでいるゲームはそのまま続きます。");
}

}  // namespace

QString LanguagePage::Title() { return QStringLiteral("言語 / Language"); }

LanguagePage::LanguagePage(QWidget* parent) : QWidget(parent) {
  auto* column = new QVBoxLayout(this);
  column->addWidget(new QLabel(Title() + QStringLiteral("："), this));
  // Buttons rather than a list: the arrow keys and the pad's d-pad move between them.
  choice_ = new QButtonGroup(this);
  auto* row = new QHBoxLayout;
  const QString names[] = {QStringLiteral("日本語"), QStringLiteral("English")};
  for (int i = 0; i < int(std::size(kChoices)); ++i) {
    auto* button = new QRadioButton(names[i], this);
    button->setObjectName(QStringLiteral("language_") + LanguageCode(kChoices[i]));
    button->setChecked(kChoices[i] == CurrentLanguage());
    choice_->addButton(button, i);
    row->addWidget(button);
    if (button->isChecked()) setFocusProxy(button);
  }
  row->addStretch(1);
  column->addLayout(row);
  note_ = new QLabel(NoteText(), this);
  note_->setWordWrap(true);
  column->addWidget(note_);
  column->addStretch(1);
  connect(choice_, &QButtonGroup::idClicked, this, &LanguagePage::Choose);
}

void LanguagePage::Choose(int index) {
  if (index < 0 || index >= int(std::size(kChoices))) return;
  Language chosen = kChoices[index];
  g_notRemembered = !StoreLanguage(chosen);
  note_->setText(NoteText());
  if (chosen != CurrentLanguage()) mirovaan_qt::UseLanguage(chosen);
}

}  // namespace prefs
