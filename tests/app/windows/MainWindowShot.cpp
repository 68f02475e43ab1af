// Saves a picture of the main window with a sheet of 12 cartons built, for looking at the window
// on a real (or virtual) X display: vantric_window_shot FILE.png [TOTAL]
#include <QTimer>

#include "app/rg_startup_class.h"
#include "ui/CVolMFCApp.h"

int main(int argc, char** argv) {
    CVolMFCApp app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QString total = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("12");
    bool saved = false;
    QTimer::singleShot(200, [&] {
        rg_startup_class* program = rg_startup_class::Program();
        if (program == nullptr) {
            return;
        }
        rg_my_main_window& w = program->MainWindow;
        w.CartonTotalEdit.SetText(total);
        w.SingleSheetButton.Click();
        QTimer::singleShot(300, [&w, &saved, path] {
            saved = w.Widget()->grab().save(path);
            w.Close();
        });
    });
    const int code = app.Run(rg_startup_class::StaticClass());
    return saved ? code : 1;
}
