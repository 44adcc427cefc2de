#include "Unit1.h"

#include "ActivityIndicator.h"
#include "ClickZone.h"
#include "DialogOwner.h"
#include "MenuLayout.h"
#include "Paths.h"
#include "Pictures.h"
#include "SuiteFonts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSystemTrayIcon>

namespace {
const QColor WaitPanelColor(WaitPanelRed, WaitPanelGreen, WaitPanelBlue);

QLabel* Picture(QWidget* parent, const char* name, const QImage& image, int left, int top) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setPixmap(QPixmap::fromImage(image));
  label->setGeometry(left, top, image.width(), image.height());
  return label;
}
} // namespace

TFrmMenu::TFrmMenu(TLauncherEnvironment AEnvironment, QWidget* AOwner)
    : QWidget(AOwner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      FController(*this, std::move(AEnvironment)) {
  FModuleOptions = std::make_unique<TModuleOptions>();
  CreateComponents();
  SetMainForm(this);
  // An error of the creation handler is reported and start-up goes on.
  RunHandler([this] { FormCreate(); });
}

TFrmMenu::~TFrmMenu() {
  if (TrayIcon)
    TrayIcon->hide(); // the icon goes with the window, whether or not adding it worked
}

TClickZone* TFrmMenu::Zone(const char* name) const {
  return findChild<TClickZone*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

void TFrmMenu::CreateComponents() {
  setFixedSize(MenuClientWidth, MenuClientHeight);
  // Every window of the program carries it, the error box at start-up included.
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(DecodeEmbeddedPng(IconPng))));
  setWindowIcon(QApplication::windowIcon());
  CreatePopupMenu();
  imgPrincipal = Picture(this, "imgPrincipal", DecodeEmbeddedPng(BackgroundPng), 0, 0);
  imgPrincipal->setScaledContents(true); // stretched, proportions not kept
  imgPrincipal->setGeometry(0, 0, MenuClientWidth, MenuClientHeight);
  imgPrincipal->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(imgPrincipal, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu->popup(imgPrincipal->mapToGlobal(at)); });

  for (const TMenuPicture& picture : MenuPictures)
    AddPicture(picture);
  CreateWaitPanel();

  Timer1.setInterval(StartUpDelayMilliseconds);
  Timer1.setSingleShot(true);
  connect(&Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

void TFrmMenu::AddPicture(const TMenuPicture& APicture) {
  const TMenuRect& r = APicture.Bounds;
  if (APicture.IsLogo) {
    const bool family = std::string_view(APicture.Name) == "imgAldeno1";
    QLabel* logo = Picture(this, APicture.Name,
                           DecodeEmbeddedJpeg(family ? FamilyLogoJpeg : PhotographJpeg), r.Left,
                           r.Top);
    logo->setCursor(Qt::PointingHandCursor);
    (family ? imgAldeno1 : imgAldeno2) = logo;
    return;
  }
  using Handler = void (TFrmMenu::*)(QObject*);
  static constexpr Handler Handlers[] = {&TFrmMenu::imgClick, &TFrmMenu::imgChecagemClick,
                                         &TFrmMenu::imgPainelClick,
                                         &TFrmMenu::imgSuporteRemotoClick,
                                         &TFrmMenu::imgEmailClick};
  const Handler handler = Handlers[int(APicture.Action)];
  auto* z = new TClickZone(this, QString::fromLatin1(APicture.Name),
                           QRect(r.Left, r.Top, r.Width, r.Height));
  z->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(z, &QWidget::customContextMenuRequested, this,
          [this, z](const QPoint& at) { PopupMenu->popup(z->mapToGlobal(at)); });
  connect(z, &TClickZone::clicked, this,
          [this, handler](QObject* sender) { RunHandler([&] { (this->*handler)(sender); }); });
  if (APicture.Module)
    FModuleOptions->AddModule(z, APicture.Module, ModuleZonesFetchSharedFiles);
}

void TFrmMenu::CreateWaitPanel() {
  pnlTemporizador = new QWidget(this);
  pnlTemporizador->setObjectName(QStringLiteral("pnlTemporizador"));
  const TMenuRect& panel = WaitPanelBounds;
  pnlTemporizador->setGeometry(panel.Left, panel.Top, panel.Width, panel.Height);
  QPalette palette = pnlTemporizador->palette();
  palette.setColor(QPalette::Window, WaitPanelColor);
  pnlTemporizador->setPalette(palette);
  pnlTemporizador->setAutoFillBackground(true);
  pnlTemporizador->setCursor(Qt::BusyCursor);

  Label1 = new QLabel(QString::fromUtf8(WaitPanelText), pnlTemporizador);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont font = SuiteFont(0, WaitLabelPixelHeight);
  SetSuiteBold(font);
  Label1->setFont(font);
  Label1->setStyleSheet(QStringLiteral("color: white"));
  const TMenuRect& label = WaitLabelBounds;
  Label1->setGeometry(label.Left, label.Top, label.Width, label.Height);
  Label1->setCursor(Qt::BusyCursor);

  aciTemporizador = new TActivityIndicator(pnlTemporizador);
  aciTemporizador->setObjectName(QStringLiteral("aciTemporizador"));
  aciTemporizador->move(IndicatorLeft, IndicatorTop);
  aciTemporizador->SetColor(Qt::white);
  aciTemporizador->SetFrameDelay(IndicatorFrameMilliseconds);
  aciTemporizador->setCursor(Qt::BusyCursor);
}

void TFrmMenu::CreatePopupMenu() {
  PopupMenu = new QMenu(this);
  PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
  QAction* open = PopupMenu->addAction(QString::fromUtf8(OpenMenuCaption));
  open->setObjectName(QStringLiteral("AbreoSistemadeGesttoHospitalar1"));
  PopupMenu->addSeparator()->setObjectName(QStringLiteral("N1"));
  QAction* close = PopupMenu->addAction(QString::fromUtf8(CloseMenuCaption));
  close->setObjectName(QStringLiteral("FechaoSistemadeGesttoHospitalar1"));
  connect(open, &QAction::triggered, this, [this] { AbreoSistemadeGesttoHospitalar1Click(); });
  connect(close, &QAction::triggered, this, [this] { FechaoSistemadeGesttoHospitalar1Click(); });
}

void TFrmMenu::FormCreate() {
  if (!TrayIconCriado)
    AddTrayIcon();
  wfecha = false;
  FController.LoadConfiguration();
}

void TFrmMenu::AddTrayIcon() {
  TrayIcon = new QSystemTrayIcon(windowIcon(), this);
  TrayIcon->setToolTip(QString::fromUtf8(ApplicationTitle));
  connect(TrayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
    if (r == QSystemTrayIcon::DoubleClick)
      TrayMessage(WM_LBUTTONDBLCLK);
    else if (r == QSystemTrayIcon::Context)
      TrayMessage(WM_RBUTTONDOWN);
  });
  TrayIconCriado = QSystemTrayIcon::isSystemTrayAvailable();
  if (TrayIconCriado)
    TrayIcon->show();
}

void TFrmMenu::TrayMessage(int AMouseMessage) {
  if (AMouseMessage == WM_LBUTTONDBLCLK) {
    AbreoSistemadeGesttoHospitalar1Click();
  } else if (AMouseMessage == WM_RBUTTONDOWN) {
    const QSize screen = QGuiApplication::primaryScreen()->size();
    PopupMenu->popup(QPoint(screen.width() - TrayMenuInset, screen.height() - TrayMenuInset));
  }
}

void TFrmMenu::AbreoSistemadeGesttoHospitalar1Click() {
  FRestoredAt = std::chrono::steady_clock::now();
  showNormal();
  raise();
  activateWindow();
}

void TFrmMenu::FechaoSistemadeGesttoHospitalar1Click() {
  wfecha = true;
  close();
}

void TFrmMenu::closeEvent(QCloseEvent* event) {
  if (wfecha) {
    event->accept();
    QCoreApplication::quit();
    return;
  }
  event->ignore();
  // With the notification icon to come back through, the window simply leaves the screen and
  // the task bar; minimising first would leave the window manager a state to restore later.
  if (TrayIconCriado)
    hide();
  else
    showMinimized();
}

void TFrmMenu::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || !isMinimized())
    return;
  // A window manager may replay the minimised state it remembers just after a restore: nobody
  // minimises a window that fast, so the restore stands.
  if (std::chrono::steady_clock::now() - FRestoredAt < std::chrono::seconds(1)) {
    QTimer::singleShot(0, this, [this] { showNormal(); });
    return;
  }
  ApplicationEvents1Minimize();
}

// With a notification icon to come back through, a minimised launcher leaves the task bar.
void TFrmMenu::ApplicationEvents1Minimize() {
  if (TrayIconCriado)
    QTimer::singleShot(0, this, [this] {
      if (isMinimized()) // a restore that came first stands
        hide();
    });
}

void TFrmMenu::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!FShownOnce) { // restoring from the icon is no new start
    FShownOnce = true;
    Timer1.start();
  }
}

void TFrmMenu::Timer1Timer() {
  Timer1.stop();
  RunHandler([this] {
    FController.StartUpUpdate();
    LoadLogo(imgAldeno1, "ImgAldeno1.jpg");
    LoadLogo(imgAldeno2, "ImgAldeno2.jpg");
  });
}

// A replaceable logo from the installation folder; anything wrong with it keeps the old one.
void TFrmMenu::LoadLogo(QLabel* ALogo, const char* AFileName) {
  try {
    const std::string path = platform::JoinPath(Configuration().FLocalPath, AFileName);
    if (!platform::FileExists(path))
      return;
    const QImage image = LoadJpegFile(QString::fromStdString(platform::ToNativePath(path)));
    if (image.isNull())
      return;
    ALogo->setPixmap(QPixmap::fromImage(image));
    ALogo->resize(image.size());
  } catch (...) {
  }
}
