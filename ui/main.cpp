#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel placeholder("Ostrevo: la finestra principale è in costruzione.");
    placeholder.show();
    return app.exec();
}
