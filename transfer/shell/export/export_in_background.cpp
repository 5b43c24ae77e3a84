#include "shell/export/export_in_background.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>

#include "shell/export/export_texts.h"

namespace vrk {

namespace {

constexpr int kShowAfterMs = 400;
constexpr int kRefreshMs = 100;

class SharedProgress final : public ExportProgress {
  public:
    bool Continue(std::size_t written, std::size_t total) override {
        written_.store(written);
        total_.store(total);
        return !cancelled_.load();
    }
    void cancel() { cancelled_.store(true); }
    int percent() const {
        const std::size_t total = total_.load();
        return total == 0 ? 0 : static_cast<int>(written_.load() * 100 / total);
    }

  private:
    std::atomic<std::size_t> written_{0};
    std::atomic<std::size_t> total_{0};
    std::atomic<bool> cancelled_{false};
};

}  // namespace

ExportOutcome ExportInBackground(QWidget* parent, std::string_view viewText,
                                 const SurveyPointList& list, const ExportRequest& request) {
    SharedProgress progress;
    ExportOutcome outcome;
    std::unique_ptr<QThread> worker(
        QThread::create([&] { outcome = RunExport(viewText, list, request, progress); }));

    QProgressDialog dialog(QString::fromUtf8(texts::kExportRunning).arg(list.points.size()),
                           QString::fromUtf8(texts::kExportCancel), 0, 100, parent);
    dialog.setWindowTitle(QString::fromUtf8(texts::kExportTitle));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(kShowAfterMs);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setValue(0);
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog,
                     [&progress] { progress.cancel(); });
    QTimer refresh;
    refresh.setInterval(kRefreshMs);
    QObject::connect(&refresh, &QTimer::timeout, &dialog,
                     [&] { dialog.setValue(progress.percent()); });

    QEventLoop waiting;
    QObject::connect(worker.get(), &QThread::finished, &waiting, &QEventLoop::quit);
    worker->start();
    refresh.start();
    waiting.exec();
    worker->wait();
    return outcome;
}

}  // namespace vrk
