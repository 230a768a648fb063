// The bare Qt 6 programs the process benchmarks set the program beside: the least a toolkit window
// of the same kind costs, measured in the same run.
//   bench_bare_qt window        an empty window;
//   bench_bare_qt editor [FILE] a main window with a menu bar (the program's nine menu titles, the
//                               first holding as many items, shortcuts and separators as the
//                               program's File menu, and a submenu) over a plain text editor holding
//                               FILE (UTF-8), or nothing.
#include <QApplication>
#include <QFile>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QWidget>

namespace {

void AddFileMenu(QMenuBar& bar) {
  QMenu* file = bar.addMenu(QStringLiteral("Файл"));
  file->addAction(QStringLiteral("Создать"), QKeySequence(QStringLiteral("Ctrl+N")));
  file->addAction(QStringLiteral("Открыть..."), QKeySequence(QStringLiteral("Ctrl+O")));
  file->addAction(QStringLiteral("Открыть заново"));
  file->addAction(QStringLiteral("Сохранить"), QKeySequence(QStringLiteral("Ctrl+S")));
  file->addAction(QStringLiteral("Сохранить как ..."), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
  file->addSeparator();
  file->addAction(QStringLiteral("Печать"), QKeySequence(QStringLiteral("Ctrl+P")));
  file->addAction(QStringLiteral("Параметры печати"));
  file->addSeparator();
  QMenu* import = file->addMenu(QStringLiteral("Импорт"));
  import->addAction(QStringLiteral("Текст из файла RTF"));
  file->addSeparator();
  file->addAction(QStringLiteral("Свойства документа"));
  file->addSeparator();
  file->addAction(QStringLiteral("Выход"));
}

QWidget* MainWindow(const char* path) {
  auto* window = new QMainWindow;
  AddFileMenu(*window->menuBar());
  for (const char* title : {"Правка", "Поиск", "Вид", "Вставка", "Формат", "Сервис", "Перекодирование", "Справка"})
    window->menuBar()->addMenu(QString::fromUtf8(title))->addAction(QStringLiteral("Пункт"));
  auto* edit = new QPlainTextEdit;
  if (path != nullptr) {
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly)) return nullptr;
    edit->setPlainText(QString::fromUtf8(file.readAll()));
  }
  window->setCentralWidget(edit);
  window->setWindowTitle(QStringLiteral("bare editor"));
  return window;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const bool editor = argc > 1 && qstrcmp(argv[1], "editor") == 0;
  QWidget* window = editor ? MainWindow(argc > 2 ? argv[2] : nullptr) : new QWidget;
  if (window == nullptr) return 1;
  if (!editor) window->setWindowTitle(QStringLiteral("bare window"));
  window->resize(780, 614);
  window->show();
  return app.exec();
}
