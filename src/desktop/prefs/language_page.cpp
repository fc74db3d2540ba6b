#include "desktop/prefs/language_page.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
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
  auto* form = new QFormLayout;
  column->addLayout(form);
  choice_ = new QComboBox(this);
  choice_->setObjectName(QStringLiteral("languageChoice"));
  choice_->addItem(QStringLiteral("日本語"), QStringLiteral("ja"));
  choice_->addItem(QStringLiteral("English"), QStringLiteral("en"));
  choice_->setCurrentIndex(CurrentLanguage() == Language::kEnglish ? 1 : 0);
  form->addRow(Title() + QStringLiteral("："), choice_);
  note_ = new QLabel(NoteText(), this);
  note_->setWordWrap(true);
  column->addWidget(note_);
  column->addStretch(1);
  setFocusProxy(choice_);
  connect(choice_, &QComboBox::currentIndexChanged, this, &LanguagePage::Choose);
}

void LanguagePage::Choose(int index) {
  if (index < 0 || index >= int(std::size(kChoices))) return;
  Language chosen = kChoices[index];
  g_notRemembered = !StoreLanguage(chosen);
  note_->setText(NoteText());
  if (chosen != CurrentLanguage()) mirovaan_qt::UseLanguage(chosen);
}

}  // namespace prefs
