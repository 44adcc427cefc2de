// A stand-in for one of the suite's module programs in the demo installation: a window that
// names the module it was started as (its own file name).
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const QString module = QFileInfo(QString::fromLocal8Bit(argv[0])).completeBaseName();
  QWidget window;
  window.setWindowTitle(module);
  auto* layout = new QVBoxLayout(&window);
  auto* title = new QLabel(QStringLiteral("<h1>%1</h1>").arg(module));
  auto* text = new QLabel(QString::fromUtf8("Módulo de demonstração do Norvane, iniciado pelo "
                                            "lançador depois da atualização."));
  title->setAlignment(Qt::AlignCenter);
  text->setAlignment(Qt::AlignCenter);
  layout->addWidget(title);
  layout->addWidget(text);
  window.resize(520, 200);
  window.show();
  return QApplication::exec();
}
