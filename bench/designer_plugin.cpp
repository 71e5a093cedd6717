// Loading the Designer plugin and creating every control once through it, against
// creating the same controls directly through ControlFactory. The plugin is loaded and
// unloaded again in every iteration.

#include "RatioReporter.h"

#include <velk/platform/ControlFactory.h>
#include <velk/velkgui.h>

#include <QApplication>
#include <QDir>
#include <QPluginLoader>
#include <QWidget>

#ifdef VELK_PLUGIN_DIR
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#endif

#include <benchmark/benchmark.h>

namespace {

void BM_DirectCreateEveryControl(benchmark::State &state)
{
    QWidget form;
    const QStringList names = velk::ControlFactory::classNames();
    for (auto _ : state) {
        for (const QString &name : names)
            delete velk::ControlFactory::create(name, &form);
    }
    state.SetItemsProcessed(state.iterations() * names.size());
}
BENCHMARK(BM_DirectCreateEveryControl)->Unit(benchmark::kMillisecond);

#ifdef VELK_PLUGIN_DIR
QString pluginFile()
{
    const QDir dir(QStringLiteral(VELK_PLUGIN_DIR "/designer"));
    const QStringList files = dir.entryList({QStringLiteral("*velkdesigner*")}, QDir::Files);
    return files.isEmpty() ? QString() : dir.filePath(files.first());
}

void BM_PluginLoadAndCreateEveryControl(benchmark::State &state)
{
    QWidget form;
    const QString file = pluginFile();
    for (auto _ : state) {
        QPluginLoader loader(file);
        auto *collection = qobject_cast<QDesignerCustomWidgetCollectionInterface *>(loader.instance());
        if (!collection) {
            state.SkipWithError("plugin not loaded");
            break;
        }
        for (QDesignerCustomWidgetInterface *entry : collection->customWidgets())
            delete entry->createWidget(&form);
        loader.unload();
    }
}
BENCHMARK(BM_PluginLoadAndCreateEveryControl)->Unit(benchmark::kMillisecond);
#endif

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    velk::registerBuiltinControls();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("BM_PluginLoadAndCreateEveryControl", "BM_DirectCreateEveryControl", 2.0);
    benchmark::Shutdown();
    return 0;
}
