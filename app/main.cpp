// Until the main window lands, Vantric opens an empty window with its title.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Vantric1.0.1            By:Vantric  https://vantric.example.com"));
    window.resize(1031, 484);
    window.show();
    return app.exec();
}
