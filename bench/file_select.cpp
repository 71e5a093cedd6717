// Expanding a folder of n entries in velkFileSelect against QFileSystemModel listing the
// same folder (setRootPath until directoryLoaded, every row fetched). Both must grow
// linearly; the file tree should cost at most twice the model.

#include <velk/editors/velkFileSelect.h>
#include <velk/sheet/velkSheet.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTimer>

#include <map>
#include <memory>

namespace {

// A folder with n empty files (one in ten a subfolder), made once per size.
const QString &folderWith(int n)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    static std::map<int, QString> paths;
    auto &dir = folders[n];
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        const QDir base(dir->path());
        for (int i = 0; i < n; ++i) {
            const QString name = QStringLiteral("eintrag%1").arg(i, 6, 10, QLatin1Char('0'));
            if (i % 10 == 0)
                base.mkdir(name);
            else
                QFile(base.filePath(name + QStringLiteral(".txt"))).open(QIODevice::WriteOnly);
        }
        paths[n] = QDir(dir->path()).canonicalPath();
    }
    return paths[n];
}

void BM_FileSelectExpand(benchmark::State &state)
{
    const QString &folder = folderWith(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto files = std::make_unique<velk::velkFileSelect>();
        files->SelectPath(folder);
        const int pos = files->sheet()->SelectedIndex();
        state.ResumeTiming();
        files->ExpandRow(pos);
        benchmark::DoNotOptimize(files->sheet()->Count());
        state.PauseTiming();
        files.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

void BM_QFileSystemModelList(benchmark::State &state)
{
    const QString &folder = folderWith(int(state.range(0)));
    for (auto _ : state) {
        QFileSystemModel model;
        QEventLoop loop;
        QObject::connect(&model, &QFileSystemModel::directoryLoaded, &loop, [&](const QString &path) {
            if (path == folder)
                loop.quit();
        });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        const QModelIndex root = model.setRootPath(folder);
        loop.exec();
        while (model.canFetchMore(root))
            model.fetchMore(root);
        benchmark::DoNotOptimize(model.rowCount(root));
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(BM_FileSelectExpand)->Arg(10000)->Arg(100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QFileSystemModelList)->Arg(10000)->Arg(100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
