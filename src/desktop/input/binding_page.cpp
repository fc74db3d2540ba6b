#include "desktop/input/binding_page.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace input {

namespace {

QString Label(Action action) {
  // The table's labels are string literals, so they end where their view does.
  return QCoreApplication::translate("input::Actions", InfoOf(action).label.data());
}

}  // namespace

BindingPage::BindingPage(Bindings& bindings, QWidget* parent)
    : QWidget(parent), bindings_(bindings), top_(new QVBoxLayout(this)) {}

void BindingPage::Build() {
  BuildRows();
  notice_ = new QLabel;
  notice_->setWordWrap(true);
  top_->addWidget(notice_);
  BuildButtons();
  Refresh();
}

void BindingPage::BuildRows() {
  auto* rows = new QWidget;
  auto* grid = new QGridLayout(rows);
  for (int a = 0; a < kActionCount; ++a) {
    auto action = static_cast<Action>(a);
    grid->addWidget(new QLabel(Label(action)), a, 0);
    for (int s = 0; s < kSlots; ++s) {
      auto* button = new QPushButton;
      button->setMinimumWidth(140);
      button->setAutoDefault(false);
      connect(button, &QPushButton::clicked, this, [this, action, s] { OnPlaceClicked(action, s); });
      grid->addWidget(button, a, 1 + s);
      places_[a][s] = button;
    }
  }
  auto* scroll = new QScrollArea;
  scroll->setWidget(rows);
  scroll->setWidgetResizable(true);
  top_->addWidget(scroll, 1);
}

void BindingPage::BuildButtons() {
  clear_ = new QPushButton(tr("解除"));
  defaults_ = new QPushButton(tr("初期設定に戻す"));
  for (QPushButton* b : {clear_, defaults_}) b->setAutoDefault(false);
  connect(clear_, &QPushButton::clicked, this, [this] { OnClear(); });
  connect(defaults_, &QPushButton::clicked, this, [this] {
    CancelWaiting();
    Reset();
    Refresh();
    SaveAndTell(tr("初期設定に戻しました。"));
  });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(clear_);
  buttons->addStretch(1);
  buttons->addWidget(defaults_);
  top_->addLayout(buttons);
}

void BindingPage::OnClear() {
  CancelWaiting();
  if (!chosen_) {
    SetNotice(tr("解除する枠を先に選んでください。"), true);
    return;
  }
  Clear(chosen_->first, chosen_->second);
  Refresh();
  SaveAndTell(tr("「%1」の割り当てを解除しました。").arg(Label(chosen_->first)));
}

QString BindingPage::Notice() const { return notice_ ? notice_->text() : QString(); }

QPushButton* BindingPage::PlaceButton(Action action, int slot) const {
  return places_[int(action)][slot];
}

void BindingPage::OnPlaceClicked(Action action, int slot) {
  bool same = waiting_ && *waiting_ == std::pair{action, slot};
  CancelWaiting();
  chosen_ = std::pair{action, slot};
  if (same) return;  // a second click on the waiting place stops the wait
  waiting_ = chosen_;
  PlaceButton(action, slot)->setText(Prompt());
  SetNotice(QString(), false);
  StartWaiting();
}

void BindingPage::Finish(BindResult result, const QString& given) {
  QString inputLabel = given.isEmpty() ? tr("このキー") : given;
  auto [action, slot] = *waiting_;
  waiting_.reset();
  StopWaiting();
  QString name = Label(action);
  if (result.status == BindResult::Bound) {
    SaveAndTell(tr("「%1」に「%2」を割り当てました。").arg(name, inputLabel));
  } else if (result.status == BindResult::Taken) {
    QString holder = Label(result.holder);
    SetNotice(tr("「%1」は既に「%2」に割り当てられています。").arg(inputLabel, holder),
              true);
  } else {
    SetNotice(tr("「%1」は割り当てられません。").arg(inputLabel), true);
  }
  Refresh();
}

void BindingPage::CancelWaiting() {
  if (!waiting_) return;
  waiting_.reset();
  StopWaiting();
  Refresh();
}

void BindingPage::Refresh() {
  for (int a = 0; a < kActionCount; ++a)
    for (int s = 0; s < kSlots; ++s) {
      QString label = PlaceLabel(Action(a), s);
      places_[a][s]->setText(label.isEmpty() ? tr("－") : label);
    }
  if (waiting_) PlaceButton(waiting_->first, waiting_->second)->setText(Prompt());
}

void BindingPage::SaveAndTell(const QString& done) {
  if (Save()) {
    SetNotice(done, false);
    return;
  }
  SetNotice(done + tr("ただし設定ファイルに書き込めなかったため、次に起動したときは元の設定に戻ります。"),
            true);
}

void BindingPage::SetNotice(const QString& text, bool refusal) {
  notice_->setText(text);
  notice_->setStyleSheet(refusal ? QStringLiteral("color: #c00000;") : QString());
}

}  // namespace input
