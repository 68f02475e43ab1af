#include "grid/PrintJobFollow.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>
#include <QWidget>
#include <set>

#include "grid/GridPrintDialogs.h"
#include "platform/MessageBox.h"

namespace vantric {

namespace {

// One follow. Lives on the GUI thread from the print until its answer has been told; its thread
// only asks the print service and posts the answer back.
class Follow : public QObject {
  public:
    Follow(QWidget* asker, const PrintJobId& job, std::chrono::milliseconds bound)
        : asker_(asker),
          opener_(asker != nullptr && asker->window()->parentWidget() != nullptr
                      ? asker->window()->parentWidget()->window()
                      : nullptr),
          job_(job) {
        thread_ = QThread::create([this, bound] {
            const JobReport report = FollowPrintJob(job_, bound, &stop_);
            QMetaObject::invokeMethod(
                this, [this, report] { Answered(report); }, Qt::QueuedConnection);
        });
        All().insert(this);
        thread_->start();
    }

    ~Follow() override {
        stop_ = true;
        thread_->wait();
        delete thread_;
        All().erase(this);
    }

    static std::set<Follow*>& All() {
        static std::set<Follow*> follows;
        return follows;
    }

    // The application's end: nobody is left to tell.
    static void EndAll() {
        while (!All().empty()) {
            delete *All().begin();
        }
    }

  private:
    void Answered(const JobReport& report) {
        thread_->wait();
        QWidget* owner = asker_ ? asker_->window() : opener_.data();
        const QString text = JobReportText(job_, report);
        if (!text.isEmpty() && owner != nullptr) {
            MessageService().ShowMessageBox(owner, text, kPrintReminderTitle, MessageIcon::None);
        }
        deleteLater();
    }

    QPointer<QWidget> asker_;
    QPointer<QWidget> opener_;
    PrintJobId job_;
    std::atomic<bool> stop_{false};
    QThread* thread_ = nullptr;
};

}  // namespace

void FollowAndTell(QWidget* asker, const PrintJobId& job, std::chrono::milliseconds bound) {
    static bool endRegistered = false;
    if (!endRegistered) {
        qAddPostRoutine(&Follow::EndAll);
        endRegistered = true;
    }
    new Follow(asker, job, bound);
}

int RunningFollows() {
    return static_cast<int>(Follow::All().size());
}

}  // namespace vantric
