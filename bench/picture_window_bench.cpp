// Opening the picture window on a folder of 500 own photos (1024 x 768
// JPEGs), their side in front, on a 1920 x 1080 screen: the window made,
// loaded, shown and painted once. The thumbnails arrive afterwards from the
// worker and are not waited for; the goal is 200 ms. A second figure gives
// the time until every thumbnail has arrived.

#include "dialogs/frmPicAuswahl.h"
#include "platform/seams.h"
#include "services/picture_later.h"
#include "services/seams.h"
#include "services/settings.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

QTemporaryDir& playerFolder()
{
    static QTemporaryDir dir;
    return dir;
}

// 500 busy photos of varied colours, written once.
void makePhotos()
{
    const QString pics = playerFolder().filePath(QStringLiteral("pics"));
    if (QFileInfo::exists(pics + QStringLiteral("/photo 499.jpg")))
        return;
    QDir().mkpath(pics);
    QImage img(1024, 768, QImage::Format_RGB32);
    for (int n = 0; n < 500; ++n) {
        QPainter p(&img);
        p.fillRect(img.rect(), QColor::fromHsv(n % 360, 120, 200));
        for (int i = 0; i < 40; ++i)
            p.fillRect((i * 397 + n * 13) % 1024, (i * 211 + n * 7) % 768, 160, 120,
                       QColor::fromHsv((i * 37 + n) % 360, 180, 220));
        p.end();
        img.save(pics + QStringLiteral("/photo %1.jpg").arg(n, 3, 10, QLatin1Char('0')), "JPEG", 85);
    }
}

void waitForThumbnails()
{
    while (pictures::readingsUnderWay() > 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void OpenWith500OwnPictures(benchmark::State& state)
{
    makePhotos();
    for (auto _ : state) {
        auto w = std::make_unique<frmPicAuswahl>();
        w->Form_Load();
        w->show();
        w->repaint();
        QCoreApplication::processEvents();
        state.PauseTiming();
        benchmark::DoNotOptimize(w->File1->count());
        w.reset();  // the thumbnails not yet made are dropped
        waitForThumbnails();
        state.ResumeTiming();
    }
}

void AllThumbnailsOf500OwnPictures(benchmark::State& state)
{
    makePhotos();
    for (auto _ : state) {
        auto w = std::make_unique<frmPicAuswahl>();
        w->Form_Load();
        w->show();
        waitForThumbnails();
        benchmark::DoNotOptimize(w->thumbnailArrived(499));
    }
}

BENCHMARK(OpenWith500OwnPictures)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(AllThumbnailsOf500OwnPictures)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::seams().programFolder = playerFolder().path();
    services::seams().ScreenPixels = [](const QWidget*) { return QSize(1920, 1080); };
    services::seams().PlayWAV = [](int16_t) {};
    Allgemein::settings().setAlbum(1);
    Allgemein::settings().setPlaySound(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
