#include "Unit1.h"

#include "ActivityIndicator.h"
#include "ClickZone.h"
#include "DialogOwner.h"
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
const QColor WaitPanelColor(124, 217, 252); // 16570748 as the toolkit stores it (BGR)

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
  CreateComponents();
  RegisterModules();
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
  setFixedSize(1111, 702);
  // Every window of the program carries it, the error box at start-up included.
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(DecodeEmbeddedPng(IconPng))));
  setWindowIcon(QApplication::windowIcon());
  CreatePopupMenu();
  imgPrincipal = Picture(this, "imgPrincipal", DecodeEmbeddedPng(BackgroundPng), 0, 0);
  imgPrincipal->setScaledContents(true); // stretched, proportions not kept
  imgPrincipal->setGeometry(0, 0, 1111, 702);
  imgPrincipal->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(imgPrincipal, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu->popup(imgPrincipal->mapToGlobal(at)); });

  using Handler = void (TFrmMenu::*)(QObject*);
  const auto zone = [this](const char* name, int left, int top, int width, int height,
                           Handler handler) {
    auto* z = new TClickZone(this, QString::fromLatin1(name), QRect(left, top, width, height));
    z->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(z, &QWidget::customContextMenuRequested, this,
            [this, z](const QPoint& at) { PopupMenu->popup(z->mapToGlobal(at)); });
    connect(z, &TClickZone::clicked, this,
            [this, handler](QObject* sender) { RunHandler([&] { (this->*handler)(sender); }); });
    return z;
  };
  imgInternacao = zone("imgInternacao", 11, 235, 522, 68, &TFrmMenu::imgClick);
  imgProntuario = zone("imgProntuario", 562, 237, 513, 69, &TFrmMenu::imgClick);
  imgEstoque = zone("imgEstoque", 562, 319, 515, 70, &TFrmMenu::imgClick);
  imgCompras = zone("imgCompras", 16, 399, 516, 71, &TFrmMenu::imgClick);
  imgFinanceiro = zone("imgFinanceiro", 564, 395, 511, 71, &TFrmMenu::imgClick);
  imgAdmSistema = zone("imgAdmSistema", 450, 657, 204, 36, &TFrmMenu::imgClick);
  imgCadGeral = zone("imgCadGeral", 233, 658, 203, 36, &TFrmMenu::imgClick);
  imgAldeno1 = Picture(this, "imgAldeno1", DecodeEmbeddedJpeg(FamilyLogoJpeg), 47, 8);
  imgAldeno1->setCursor(Qt::PointingHandCursor);
  imgChecagem = zone("imgChecagem", 16, 319, 517, 68, &TFrmMenu::imgChecagemClick);
  imgPainel = zone("imgPainel", 8, 656, 211, 39, &TFrmMenu::imgPainelClick);
  imgSuporteRemoto = zone("imgSuporteRemoto", 666, 657, 209, 36, &TFrmMenu::imgSuporteRemotoClick);
  imgEmail = zone("imgEmail", 885, 656, 207, 37, &TFrmMenu::imgEmailClick);
  imgControlEquip = zone("imgControlEquip", 20, 478, 516, 71, &TFrmMenu::imgClick);
  imgAldeno2 = Picture(this, "imgAldeno2", DecodeEmbeddedJpeg(PhotographJpeg), 694, 8);
  imgAldeno2->setCursor(Qt::PointingHandCursor);
  CreateWaitPanel();

  Timer1.setInterval(200);
  Timer1.setSingleShot(true);
  connect(&Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

void TFrmMenu::CreateWaitPanel() {
  pnlTemporizador = new QWidget(this);
  pnlTemporizador->setObjectName(QStringLiteral("pnlTemporizador"));
  pnlTemporizador->setGeometry(319, 116, 369, 143);
  QPalette palette = pnlTemporizador->palette();
  palette.setColor(QPalette::Window, WaitPanelColor);
  pnlTemporizador->setPalette(palette);
  pnlTemporizador->setAutoFillBackground(true);
  pnlTemporizador->setCursor(Qt::BusyCursor);

  Label1 = new QLabel(QStringLiteral("Aguarde Atualizando"), pnlTemporizador);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont font = SuiteFont(0, 27);
  SetSuiteBold(font);
  Label1->setFont(font);
  Label1->setStyleSheet(QStringLiteral("color: white"));
  Label1->setGeometry(43, 67, 271, 37);
  Label1->setCursor(Qt::BusyCursor);

  aciTemporizador = new TActivityIndicator(pnlTemporizador);
  aciTemporizador->setObjectName(QStringLiteral("aciTemporizador"));
  aciTemporizador->move(159, 19);
  aciTemporizador->SetColor(Qt::white);
  aciTemporizador->SetFrameDelay(30);
  aciTemporizador->setCursor(Qt::BusyCursor);
}

void TFrmMenu::CreatePopupMenu() {
  PopupMenu = new QMenu(this);
  PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
  QAction* open = PopupMenu->addAction(QString::fromUtf8("Abre o Sistema de Gesttão Hospitalar"));
  open->setObjectName(QStringLiteral("AbreoSistemadeGesttoHospitalar1"));
  PopupMenu->addSeparator()->setObjectName(QStringLiteral("N1"));
  QAction* close = PopupMenu->addAction(QString::fromUtf8("Fecha o Sistema de Gesttão Hospitalar"));
  close->setObjectName(QStringLiteral("FechaoSistemadeGesttoHospitalar1"));
  connect(open, &QAction::triggered, this, [this] { AbreoSistemadeGesttoHospitalar1Click(); });
  connect(close, &QAction::triggered, this, [this] { FechaoSistemadeGesttoHospitalar1Click(); });
}

void TFrmMenu::RegisterModules() {
  FModuleOptions = std::make_unique<TModuleOptions>();
  FModuleOptions->AddModule(imgInternacao, "FrontDesk.exe", true);
  FModuleOptions->AddModule(imgProntuario, "Bedside.exe", true);
  FModuleOptions->AddModule(imgEstoque, "Inventory.exe", true);
  FModuleOptions->AddModule(imgCompras, "Purchasing.exe", true);
  FModuleOptions->AddModule(imgFinanceiro, "Treasury.exe", true);
  FModuleOptions->AddModule(imgControlEquip, "Devices.exe", true);
  FModuleOptions->AddModule(imgAdmSistema, "Supervisor.exe", true);
  FModuleOptions->AddModule(imgCadGeral, "MasterData.exe", true);
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
    PopupMenu->popup(QPoint(screen.width() - 20, screen.height() - 20));
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
