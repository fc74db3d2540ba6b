#include "desktop/input/pad_bindings_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QVBoxLayout>

#include "desktop/input/bindings_settings.h"
#include "desktop/input/gamepads.h"
#include "desktop/input/pad_router.h"

namespace input {

PadBindingsPage::PadBindingsPage(Bindings& bindings, Gamepads* pads, PadRouter* router,
                                 QWidget* parent)
    : BindingPage(bindings, parent), pads_(pads), router_(router) {
  status_ = new QLabel;
  status_->setWordWrap(true);
  Top()->addWidget(status_);

  auto* zoneRow = new QHBoxLayout;
  deadZoneLabel_ = new QLabel;
  deadZone_ = new QSlider(Qt::Horizontal);
  deadZone_->setRange(kMinDeadZone, kMaxDeadZone);
  QSettings settings;
  deadZone_->setValue(pads_ ? pads_->DeadZone() : LoadDeadZone(settings));
  auto showZone = [this] {
    deadZoneLabel_->setText(tr("スティックの遊び：%1%").arg(deadZone_->value()));
  };
  showZone();
  connect(deadZone_, &QSlider::valueChanged, this, [this, showZone](int percent) {
    showZone();
    if (pads_) pads_->SetDeadZone(percent);
    QSettings settings;
    if (!SaveDeadZone(settings, percent))
      SetNotice(tr("設定ファイルに書き込めませんでした。"), true);
  });
  zoneRow->addWidget(deadZoneLabel_);
  zoneRow->addWidget(deadZone_, 1);
  Top()->addLayout(zoneRow);

  auto* intro = new QLabel(tr("枠をクリックしてから、割り当てたいゲームパッドのボタンを押してください。"));
  intro->setWordWrap(true);
  Top()->addWidget(intro);
  Build();
  RefreshStatus();
  if (pads_) connect(pads_, &Gamepads::DevicesChanged, this, [this] { RefreshStatus(); });
}

PadBindingsPage::~PadBindingsPage() {
  if (router_ && Waiting()) router_->CancelCapture();
}

QString PadBindingsPage::Status() const { return status_->text(); }

void PadBindingsPage::RefreshStatus() {
  bool usable = pads_ && pads_->Available() && router_;
  QStringList names = usable ? pads_->Names() : QStringList();
  if (!usable)
    status_->setText(tr("ゲームパッドは使えません（SDL のジョイスティック機能を開始できませんでした）。"));
  else if (names.isEmpty())
    status_->setText(tr("ゲームパッドが接続されていません。"));
  else
    status_->setText(tr("接続中：") + names.join(tr("、")));
  for (int a = 0; a < kActionCount; ++a)
    for (int s = 0; s < kSlots; ++s) PlaceButton(Action(a), s)->setEnabled(usable);
}

void PadBindingsPage::hideEvent(QHideEvent* event) {
  CancelWaiting();
  BindingPage::hideEvent(event);
}

QString PadBindingsPage::PlaceLabel(Action action, int slot) const {
  return LabelOf(bindings_.Pad(action, slot));
}

QString PadBindingsPage::Prompt() const { return tr("ボタンを押してください…"); }

void PadBindingsPage::StartWaiting() {
  if (!router_) return;
  router_->Capture([this](PadInput input) {
    if (!Waiting()) return;
    auto [action, slot] = *Waiting();
    Finish(bindings_.BindPad(action, slot, input), LabelOf(input));
  });
}

void PadBindingsPage::StopWaiting() {
  if (router_) router_->CancelCapture();
}

void PadBindingsPage::Clear(Action action, int slot) { bindings_.ClearPad(action, slot); }

void PadBindingsPage::Reset() {
  bindings_.ResetPad();
  deadZone_->setValue(kDefaultDeadZone);
}

bool PadBindingsPage::Save() {
  QSettings settings;
  return SavePadBindings(settings, bindings_);
}

}  // namespace input
