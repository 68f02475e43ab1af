// Pictures of the running program, for looking at it on a real (or virtual) X display:
//   vantric_window_shot main FILE.png [TOTAL]      the main window with a single-ticket sheet
//   vantric_window_shot preview STEM COUNT...      tickets added through the menu, built, and
//                                                  the first two preview pages as STEM-1.png and
//                                                  STEM-2.png
#include <QApplication>
#include <QTimer>

#include "app/rg_startup_class.h"
#include "grid/CPreviewParentDialog.h"
#include "ui/CVolMFCApp.h"
#include "ui/MessageService.h"

namespace {

// Types the next count into each add-ticket dialog.
class TypedCounts : public IInputService {
  public:
    explicit TypedCounts(QStringList counts) : counts_(std::move(counts)) {}
    bool AskInput(QWidget*, const QString&, const QString&, const QString&, int,
                  QString& result) override {
        result = counts_.isEmpty() ? QString() : counts_.takeFirst();
        return !result.isEmpty();
    }

  private:
    QStringList counts_;
};

bool SaveMain(rg_my_main_window& w, const QString& path, const QString& total) {
    w.CartonTotalEdit.SetText(total);
    w.SingleSheetButton.Click();
    QApplication::processEvents();
    return w.Widget()->grab().save(path);
}

bool SavePreview(rg_my_main_window& w, const QString& stem, const QStringList& counts) {
    TypedCounts typed(counts);
    SetInputService(&typed);
    for (int i = 0; i < counts.size(); ++i) {
        w.DeliverCommand(20001);
    }
    SetInputService(nullptr);
    w.MultiModeRadio.Click();
    w.MultiSheetButton.Click();
    bool saved = false;
    QTimer::singleShot(300, [&saved, stem] {
        auto* preview =
            qobject_cast<vantric::CPreviewParentDialog*>(QApplication::activeModalWidget());
        if (preview == nullptr) {
            return;
        }
        saved = preview->grab().save(stem + QStringLiteral("-1.png"));
        preview->NextPage();
        QApplication::processEvents();
        saved = preview->grab().save(stem + QStringLiteral("-2.png")) && saved;
        preview->Close();
    });
    w.PreviewButton.Click();
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    CVolMFCApp app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2 ||
        (args[0] != QStringLiteral("main") && args[0] != QStringLiteral("preview"))) {
        return 2;
    }
    bool saved = false;
    QTimer::singleShot(200, [&] {
        rg_startup_class* program = rg_startup_class::Program();
        if (program == nullptr) {
            return;
        }
        rg_my_main_window& w = program->MainWindow;
        if (args[0] == QStringLiteral("main")) {
            saved = SaveMain(w, args[1], args.value(2, QStringLiteral("12")));
        } else {
            saved = SavePreview(w, args[1], args.mid(2));
        }
        w.Close();
    });
    const int code = app.Run(rg_startup_class::StaticClass());
    return saved ? code : 1;
}
