#include "ui/frm_sound.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <stdexcept>
#include <string>

#include "ui/picture_box.h"

namespace revalorn::ui {

namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

// Buttons, options and menus read '&' as a mnemonic mark; captions are shown as written.
QString MnemonicFree(const std::string& s) { return Text(s).replace('&', QStringLiteral("&&")); }

bool IsMenuItem(Ctl c) {
  switch (c) {
    case Ctl::MnuSaveEngineSounds:
    case Ctl::MnuLoadSoundSet:
    case Ctl::MnuSaveSoundSet:
    case Ctl::MnuRevertAll:
    case Ctl::Mnuexit:
    case Ctl::MnuPatchGPL:
    case Ctl::MnuCalibratePedals:
    case Ctl::MnuReset:
    case Ctl::MnuHelpFile:
    case Ctl::MnuAbout:
      return true;
    default:
      return false;
  }
}

std::string Name(Ctl c) { return std::string(ControlName(c)); }

}  // namespace

bool FrmSound::HasEvent(Ctl c) {
  switch (c) {
    case Ctl::Combo2:
    case Ctl::Combo1:
    case Ctl::CmdAutoPlay0:
    case Ctl::CmdReplace:
    case Ctl::CmdPedalPlay0:
    case Ctl::CmdRevert:
    case Ctl::CmdAutoPlay1:
    case Ctl::CmdPedalPlay1:
    case Ctl::CmdReplacementLoad:
    case Ctl::optFormula0:
    case Ctl::optFormula1:
    case Ctl::optFormula2:
    case Ctl::HScroll1:
    case Ctl::HScroll2:
      return true;
    default:
      return IsMenuItem(c);
  }
}

FrmSound::FrmSound(ControlModel& model, QWidget* parent) : QMainWindow(parent), model_(model) {
  setObjectName(QStringLiteral("FrmSound"));
  auto* client = new QWidget(this);
  setCentralWidget(client);
  // The window keeps the size of its layout; the user does not resize it.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  layout_ = std::make_unique<FormLayout>(this, client, kFrmSoundClientWidth, kFrmSoundClientHeight);
  Build();
  BuildMenus();
  model_.SetObserver([this](Ctl c, ControlModel::Change change) {
    if (change == ControlModel::Change::Focus) {
      if (QWidget* w = Widget(c)) w->setFocus(Qt::OtherFocusReason);
      return;
    }
    Refresh(c);
    if (c == Ctl::Tach && tachometerChanged_) tachometerChanged_();
  });
  RefreshAll();
}

FrmSound::~FrmSound() { model_.SetObserver(nullptr); }

void FrmSound::Build() {
  QWidget* client = centralWidget();
  FormLayout& L = *layout_;
  auto put = [this](Ctl c, QWidget* w) {
    w->setObjectName(QString::fromUtf8(ControlName(c).data(), static_cast<int>(ControlName(c).size())));
    widgets_[Index(c)] = w;
    return w;
  };
  auto picture = [&](Ctl c, QWidget* parent, TwipsRect r) {
    return L.Add(Name(c), ControlKind::Ordinary, put(c, new PictureBox(parent)), r);
  };
  auto frame = [&](Ctl c, QWidget* parent, TwipsRect r) {
    auto* box = new QGroupBox(parent);
    box->setAutoFillBackground(true);  // frames are opaque over the background picture
    L.Add(Name(c), ControlKind::Ordinary, put(c, box), r);
    return box;
  };
  auto combo = [&](Ctl c, QWidget* parent, TwipsRect r) {
    auto* list = new QComboBox(parent);
    L.Add(Name(c), ControlKind::ComboBox, put(c, list), r);
    connect(list, &QComboBox::activated, this, [this, c](int index) {
      if (index < 0 || index >= model_.ListCount(c)) return;
      model_.SetListIndex(c, index);
      Fire(c);
    });
  };
  auto label = [&](Ctl c, QWidget* parent, TwipsRect r) {
    auto* text = new QLabel(parent);
    text->setTextFormat(Qt::PlainText);
    text->setAlignment(Qt::AlignCenter);
    L.Add(Name(c), ControlKind::Ordinary, put(c, text), r, kDesignFontPoints, /*bold=*/true);
  };
  auto button = [&](Ctl c, QWidget* parent, TwipsRect r) {
    auto* b = new QPushButton(parent);
    b->setAutoDefault(false);
    L.Add(Name(c), ControlKind::Ordinary, put(c, b), r);
    connect(b, &QPushButton::clicked, this, [this, c] { Fire(c); });
  };
  auto option = [&](int index, QWidget* parent, TwipsRect r) {
    const Ctl c = optFormula(index);
    auto* o = new QRadioButton(parent);
    // The model keeps the three values; a click sets its option and clears the others.
    o->setAutoExclusive(false);
    L.Add(Name(c), ControlKind::Ordinary, put(c, o), r);
    connect(o, &QRadioButton::clicked, this, [this, index] {
      for (int i = 0; i < 3; ++i) model_.SetChecked(optFormula(i), i == index);
      Refresh(optFormula(index));  // a click on the set option must not clear it
      Fire(optFormula(index));
    });
  };
  auto slider = [&](Ctl c, QWidget* parent, TwipsRect r, int min, int max, int small, int large) {
    auto* s = new QScrollBar(Qt::Horizontal, parent);
    s->setRange(min, max);
    s->setSingleStep(small);
    s->setPageStep(large);
    s->setTracking(false);  // the change event comes when the thumb is let go
    s->setInvertedControls(false);  // the Right key and the wheel's "up" increase the value
    s->setFocusPolicy(Qt::StrongFocus);
    L.Add(Name(c), ControlKind::NoFont, put(c, s), r);
    connect(s, &QScrollBar::valueChanged, this, [this, c](int value) {
      if (model_.SetValue(c, value)) Fire(c);
    });
  };

  auto* line = new QFrame(client);
  line->setObjectName(QStringLiteral("FormLine7"));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(0, 0, TwipsToPixels(10680) + 1, 2);
  L.AddLine("FormLine7", line);

  picture(Ctl::BackBuffer, client, {3960, 4080, 3840, 3840});
  picture(Ctl::FrmSoundBackground, client, {120, 120, 10425, 7785});
  QWidget* bg = Widget(Ctl::FrmSoundBackground);
  picture(Ctl::GEMPic1, bg, {360, 3840, 3252, 2415});
  picture(Ctl::Tach, bg, {3840, 2280, 3840, 3840});
  picture(Ctl::Picture2, bg, {8040, 6120, 825, 1320});
  picture(Ctl::Picture3, bg, {9360, 6240, 735, 1215});

  QWidget* f1 = frame(Ctl::Frame1, bg, {240, 600, 3495, 5772});
  combo(Ctl::Combo2, f1, {120, 360, 3135, 0});
  combo(Ctl::Combo1, f1, {120, 840, 3135, 0});
  label(Ctl::LabelCar, f1, {1080, 1320, 1335, 255});
  button(Ctl::CmdAutoPlay0, f1, {360, 1800, 1215, 495});
  button(Ctl::CmdReplace, f1, {1920, 1800, 1215, 495});
  button(Ctl::CmdPedalPlay0, f1, {360, 2520, 1215, 495});
  button(Ctl::CmdRevert, f1, {1920, 2520, 1215, 495});

  QWidget* f2 = frame(Ctl::Frame2, bg, {7800, 600, 2415, 3015});
  label(Ctl::LabelReplacement, f2, {600, 360, 1215, 255});
  button(Ctl::CmdAutoPlay1, f2, {600, 720, 1215, 495});
  button(Ctl::CmdPedalPlay1, f2, {600, 1320, 1215, 495});
  button(Ctl::CmdReplacementLoad, f2, {600, 1920, 1215, 495});
  option(0, f2, {240, 2640, 615, 255});
  option(1, f2, {960, 2640, 615, 255});
  option(2, f2, {1680, 2640, 615, 255});

  QWidget* f3 = frame(Ctl::Frame3, bg, {8160, 4080, 1695, 1935});
  label(Ctl::lblVolume, f3, {360, 360, 975, 255});
  slider(Ctl::HScroll1, f3, {240, 720, 1215, 255}, -4000, 0, 25, 500);
  label(Ctl::Timing, f3, {360, 1080, 975, 255});
  slider(Ctl::HScroll2, f3, {240, 1440, 1215, 255}, 1, 98, 2, 10);

  // The car picture lies in the lower part of the "Engine Sound" frame, and the
  // tachometer over the background: both are drawn above the frames.
  Widget(Ctl::GEMPic1)->raise();
  Widget(Ctl::Tach)->raise();
  auto* tachLayout = new QVBoxLayout(Widget(Ctl::Tach));
  tachLayout->setContentsMargins(0, 0, 0, 0);
}

void FrmSound::BuildMenus() {
  QMenuBar* bar = menuBar();
  auto menu = [&](Ctl c) {
    QMenu* m = bar->addMenu(QString());
    m->setObjectName(Text(Name(c)));
    actions_[Index(c)] = m->menuAction();
    layout_->AddMenu(Name(c), m->menuAction());
    return m;
  };
  auto item = [&](QMenu* m, Ctl c) {
    QAction* a = m->addAction(QString());
    a->setObjectName(Text(Name(c)));
    actions_[Index(c)] = a;
    layout_->AddMenu(Name(c), a);
    connect(a, &QAction::triggered, this, [this, c] { Fire(c); });
  };
  auto separator = [&](QMenu* m, const char* name) {
    QAction* s = m->addSeparator();
    s->setObjectName(QString::fromLatin1(name));
    layout_->AddMenu(name, s);
  };

  QMenu* file = menu(Ctl::MnuFile);
  item(file, Ctl::MnuSaveEngineSounds);
  separator(file, "Line1");
  item(file, Ctl::MnuLoadSoundSet);
  item(file, Ctl::MnuSaveSoundSet);
  separator(file, "Line2");
  item(file, Ctl::MnuRevertAll);
  separator(file, "Line5");
  item(file, Ctl::Mnuexit);

  QMenu* patches = menu(Ctl::MnuOptions);
  item(patches, Ctl::MnuPatchGPL);

  QMenu* tools = menu(Ctl::MnuToolBox);
  item(tools, Ctl::MnuCalibratePedals);
  separator(tools, "Line8");
  item(tools, Ctl::MnuReset);

  QMenu* help = menu(Ctl::MnuHelp);
  item(help, Ctl::MnuHelpFile);
  separator(help, "Line9");
  item(help, Ctl::MnuAbout);
}

PictureBox* FrmSound::Picture(Ctl c) const { return dynamic_cast<PictureBox*>(Widget(c)); }

void FrmSound::SetTachometerWidget(QWidget* tachometer, std::function<void()> onChange) {
  tachometerChanged_ = std::move(onChange);
  QWidget* tach = Widget(Ctl::Tach);
  tachometer->setParent(tach);
  tach->layout()->addWidget(tachometer);
}

void FrmSound::SetHandler(Ctl c, std::function<void()> handler) {
  if (!HasEvent(c)) throw std::invalid_argument(Name(c) + " raises no event");
  handlers_[Index(c)] = std::move(handler);
  Refresh(c);
}

void FrmSound::SetCloseHandler(std::function<bool()> handler) { closeHandler_ = std::move(handler); }

bool FrmSound::EffectiveEnabled(Ctl c) const {
  return model_.Enabled(c) && (!HasEvent(c) || static_cast<bool>(handlers_[Index(c)]));
}

void FrmSound::Fire(Ctl c) {
  // A handler may unwire itself; run a copy.
  const std::function<void()> handler = handlers_[Index(c)];
  if (handler) handler();
}

void FrmSound::closeEvent(QCloseEvent* event) {
  if (closeHandler_ && !closeHandler_()) {
    event->ignore();
    return;
  }
  event->accept();
}

void FrmSound::RefreshAll() {
  for (int i = 0; i < kControlCount; ++i) Refresh(static_cast<Ctl>(i));
}

void FrmSound::Refresh(Ctl c) {
  const ControlState& s = model_[c];
  if (c == Ctl::FrmSound) {
    setWindowTitle(Text(s.caption));
    return;
  }
  if (QAction* a = Action(c)) {
    a->setText(MnemonicFree(s.caption));
    a->setVisible(s.visible);
    a->setEnabled(EffectiveEnabled(c));
    return;
  }
  QWidget* w = Widget(c);
  if (!w) return;
  const QSignalBlocker block(w);
  w->setEnabled(EffectiveEnabled(c));
  if (w->isVisibleTo(w->parentWidget()) != s.visible) w->setVisible(s.visible);

  if (auto* b = qobject_cast<QPushButton*>(w)) {
    b->setText(MnemonicFree(s.caption));
  } else if (auto* o = qobject_cast<QRadioButton*>(w)) {
    o->setText(MnemonicFree(s.caption));
    o->setChecked(s.checked);
  } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
    g->setTitle(MnemonicFree(s.caption));
  } else if (auto* l = qobject_cast<QLabel*>(w)) {
    l->setText(Text(s.caption));
  } else if (auto* list = qobject_cast<QComboBox*>(w)) {
    // Entries are only ever added at the end or cleared all at once.
    bool same = list->count() <= static_cast<int>(s.items.size());
    for (int i = 0; same && i < list->count(); ++i) same = list->itemText(i) == Text(s.items[static_cast<std::size_t>(i)]);
    if (!same) list->clear();
    for (int i = list->count(); i < static_cast<int>(s.items.size()); ++i) list->addItem(Text(s.items[static_cast<std::size_t>(i)]));
    list->setCurrentIndex(s.listIndex);
  } else if (auto* bar = qobject_cast<QScrollBar*>(w)) {
    bar->setValue(s.value);
  } else if (auto* pic = dynamic_cast<PictureBox*>(w)) {
    if (pictureShown_[Index(c)] != s.pictureSerial) {
      pictureShown_[Index(c)] = s.pictureSerial;
      pic->SetSource(s.picture);
    }
  }
}

}  // namespace revalorn::ui
