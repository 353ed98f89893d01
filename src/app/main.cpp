#include <QApplication>
#include <QMainWindow>

// Placeholder until the main window lands.
int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Liftvox");
  QMainWindow window;
  window.show();
  return QApplication::exec();
}
