// The board against QGraphicsScene/QGraphicsView with the same items: painting one
// screen, a hit test per mouse move and loading/saving the configuration, each at
// 1,000 and 10,000 boxes (with twice as many links), so the growth shows too.

#include "sheet_bench.h"

#include <velk/editors/BoardIndex_p.h>
#include <velk/editors/velkBoard.h>
#include <velk/platform/Canvas.h>

#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <memory>
#include <random>

namespace {

constexpr int kColumns = 100;
constexpr int kPitchX = 3600; // twips between box origins
constexpr int kPitchY = 2000;
constexpr int kW = 2400;
constexpr int kH = 1000;
constexpr int kScreenW = 1000; // pixels
constexpr int kScreenH = 700;

/// `n` boxes in rows of 100, each linked to its right and lower neighbour.
QString boardConfig(int n)
{
    using velk::BoardData;
    using velk::BoardLink;
    velk::velkBoard board;
    board.setRedraw(false);
    std::vector<std::shared_ptr<BoardData>> boxes;
    for (int i = 0; i < n; ++i) {
        auto b = std::make_shared<BoardData>();
        b->caption = QStringLiteral("Thema %1").arg(i + 1);
        b->Description = QStringLiteral("Ablage %1, Schrank %2").arg(i % 37).arg(i % 11);
        b->x = (i % kColumns) * kPitchX;
        b->y = (i / kColumns) * kPitchY;
        b->AddData(QStringLiteral("Farbe"), QStringLiteral("blau"));
        board.AddItem(b);
        boxes.push_back(b);
    }
    for (int i = 0; i < n; ++i) {
        for (int other : {i + 1, i + kColumns}) {
            auto l = std::make_shared<BoardLink>();
            l->Location1 = boxes[size_t(i)];
            l->Location2 = boxes[size_t(other % n)];
            board.AddLink(l);
        }
    }
    return board.Config();
}

const QString &configFor(int n)
{
    static std::map<int, QString> cache;
    auto it = cache.find(n);
    if (it == cache.end())
        it = cache.emplace(n, boardConfig(n)).first;
    return it->second;
}

std::unique_ptr<velk::velkBoard> makeBoard(int n)
{
    auto board = std::make_unique<velk::velkBoard>();
    board->resize(kScreenW, kScreenH);
    board->setMenuString(QStringLiteral("Öffnen,Info,Löschen"));
    board->setConfig(configFor(n));
    return board;
}

void fillScene(QGraphicsScene &scene, int n)
{
    QFont bold(QStringLiteral("Arial"), 8);
    bold.setBold(true);
    const QFont plain(QStringLiteral("Arial"), 8);
    const double px = 1.0 / 15;
    for (int i = 0; i < n; ++i) {
        const double x = (i % kColumns) * kPitchX * px;
        const double y = (i / kColumns) * kPitchY * px;
        for (int other : {i + 1, i + kColumns}) {
            const int o = other % n;
            auto *line = scene.addLine((i % kColumns) * kPitchX * px + kW * px / 2, y + kH * px / 2,
                                       (o % kColumns) * kPitchX * px + kW * px / 2,
                                       (o / kColumns) * kPitchY * px + kH * px / 2, QPen(Qt::gray));
            line->setZValue(-1);
        }
        scene.addRect(x, y, kW * px, kH * px, QPen(Qt::darkGray), QBrush(Qt::white));
        auto *caption = scene.addSimpleText(QStringLiteral("Thema %1").arg(i + 1), bold);
        caption->setPos(x + 4, y + 2);
        auto *description = scene.addSimpleText(QStringLiteral("Ablage %1, Schrank %2").arg(i % 37).arg(i % 11), plain);
        description->setPos(x + 4, y + 16);
        auto *menu = scene.addSimpleText(QStringLiteral("Öffnen   Info   Löschen"), plain);
        menu->setPos(x + 4, y + kH * px - 18);
    }
}

void BM_Board_PaintScreen(benchmark::State &state)
{
    const auto board = makeBoard(int(state.range(0)));
    QImage image(kScreenW, kScreenH, QImage::Format_RGB32);
    for (auto _ : state) {
        velk::Canvas canvas(&image);
        board->paintOn(canvas);
        canvas.end();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_Board_PaintScreen)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_QGraphicsView_PaintScreen(benchmark::State &state)
{
    QGraphicsScene scene;
    fillScene(scene, int(state.range(0)));
    QGraphicsView view(&scene);
    view.resize(kScreenW, kScreenH);
    view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->minimum());
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->minimum());
    QImage image(kScreenW, kScreenH, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        view.render(&painter, QRectF(), view.viewport()->rect());
        painter.end();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_QGraphicsView_PaintScreen)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A mouse moving over the board: a wandering path of small steps, as mouse moves come.
std::vector<QPoint> mousePath(int n)
{
    std::mt19937 random(7);
    const int width = kColumns * kPitchX;
    const int height = (n / kColumns) * kPitchY;
    std::vector<QPoint> points;
    QPoint p(width / 2, height / 2);
    for (int i = 0; i < 4096; ++i) {
        p += QPoint(int(random() % 121) - 60, int(random() % 121) - 60);
        p.setX(std::clamp(p.x(), 0, width - 1));
        p.setY(std::clamp(p.y(), 0, height - 1));
        points.push_back(p);
    }
    return points;
}

// Points scattered over the whole board: no two queries near each other.
std::vector<QPoint> scattered(int n)
{
    std::mt19937 random(7);
    const int width = kColumns * kPitchX;
    const int height = (n / kColumns) * kPitchY;
    std::vector<QPoint> points;
    for (int i = 0; i < 4096; ++i)
        points.emplace_back(int(random() % unsigned(width)), int(random() % unsigned(height)));
    return points;
}

void boardHitTests(benchmark::State &state, const std::vector<QPoint> &points)
{
    const int n = int(state.range(0));
    velk::BoardModel model;
    model.setConfig(configFor(n));
    velk::BoardIndex index;
    index.build(model, kW, kH);
    size_t i = 0;
    for (auto _ : state) {
        const QPoint p = points[i++ & 4095];
        int hit = index.boxAt(p);
        if (hit == 0)
            hit = index.linkAt(p, 45);
        benchmark::DoNotOptimize(hit);
    }
}

void sceneHitTests(benchmark::State &state, const std::vector<QPoint> &points)
{
    QGraphicsScene scene;
    fillScene(scene, int(state.range(0)));
    scene.items(QPointF(0, 0)); // builds the scene's index
    QCoreApplication::processEvents();
    size_t i = 0;
    for (auto _ : state) {
        const QPoint p = points[i++ & 4095];
        const auto items = scene.items(QPointF(p.x() / 15.0, p.y() / 15.0));
        benchmark::DoNotOptimize(items.size());
    }
}

void BM_Board_HitTest(benchmark::State &state) { boardHitTests(state, mousePath(int(state.range(0)))); }
BENCHMARK(BM_Board_HitTest)->Arg(1000)->Arg(10000);
void BM_QGraphicsScene_HitTest(benchmark::State &state) { sceneHitTests(state, mousePath(int(state.range(0)))); }
BENCHMARK(BM_QGraphicsScene_HitTest)->Arg(1000)->Arg(10000);
void BM_Board_HitTestScattered(benchmark::State &state) { boardHitTests(state, scattered(int(state.range(0)))); }
BENCHMARK(BM_Board_HitTestScattered)->Arg(1000)->Arg(10000);

void BM_Board_ConfigLoad(benchmark::State &state)
{
    velk::velkBoard board;
    board.resize(kScreenW, kScreenH);
    const QString &config = configFor(int(state.range(0)));
    for (auto _ : state)
        board.setConfig(config);
}
BENCHMARK(BM_Board_ConfigLoad)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_Board_ConfigSave(benchmark::State &state)
{
    const auto board = makeBoard(int(state.range(0)));
    for (auto _ : state) {
        const QString text = board->Config();
        benchmark::DoNotOptimize(text.size());
    }
}
BENCHMARK(BM_Board_ConfigSave)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_QGraphicsScene_Fill(benchmark::State &state)
{
    for (auto _ : state) {
        QGraphicsScene scene;
        fillScene(scene, int(state.range(0)));
        benchmark::DoNotOptimize(scene.items().size());
    }
}
BENCHMARK(BM_QGraphicsScene_Fill)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return sheetbench::run(argc, argv,
                           {{"BM_Board_PaintScreen", "BM_QGraphicsView_PaintScreen"},
                            {"BM_Board_HitTest", "BM_QGraphicsScene_HitTest"},
                            {"BM_Board_ConfigLoad", "BM_QGraphicsScene_Fill"},
                            {"BM_Board_ConfigSave", "BM_QGraphicsScene_Fill"}},
                           {{"BM_Board_PaintScreen", "1000", "10000"},
                            {"BM_QGraphicsView_PaintScreen", "1000", "10000"},
                            {"BM_Board_HitTest", "1000", "10000"},
                            {"BM_Board_HitTestScattered", "1000", "10000"},
                            {"BM_QGraphicsScene_HitTest", "1000", "10000"},
                            {"BM_Board_ConfigLoad", "1000", "10000"},
                            {"BM_Board_ConfigSave", "1000", "10000"},
                            {"BM_QGraphicsScene_Fill", "1000", "10000"}});
}
