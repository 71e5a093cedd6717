// minimal-host: a window with a menu bar, a sheet and a frame, the smallest useful host
// of velkGUI. Without a display (QT_QPA_PLATFORM=offscreen) it draws the window once,
// checks that every part painted something, and exits.

#include <velk/velkgui.h>

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QSplitter>
#include <QVBoxLayout>

#include <cstdio>

namespace {

// The frame's screen: a caption bar above a list of topics, beside a cell with a label.
const char *const kLayout =
    "<COLS>"
    "<ITEM control=\"velkSheet\" width=\"40%\" caption=\"Themen\"/>"
    "<CELL border=\"2\"><ITEM control=\"velkLabel\" caption=\"Details\"/></CELL>"
    "</COLS>";

bool paintedSomething(QWidget *widget)
{
    const QImage image = widget->grab().toImage();
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            if (image.pixel(x, y) != first)
                return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Lets the frame create snap-ins by class name ("velkSheet", "velkLabel", ...).
    velk::registerBuiltinControls();

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimaler Host"));
    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);

    // A toolbar: icon#caption#marker items; "|v" makes a split button with its own arrow.
    auto *bar = new velk::velkMenuBar;
    bar->setStyleNumber(0);
    bar->setMenu(QStringLiteral("newfile#Neu,open#Öffnen,save#Speichern#|v,-,>,help#Hilfe"));
    bar->setFixedHeight(26);
    layout->addWidget(bar);

    // A list: column widths in twips (15 to a pixel), "r" right-aligns, "*" takes the rest.
    auto *sheet = new velk::velkSheet;
    sheet->setColumns(QStringLiteral("Titel:3000,Datum:1300,Betrag:1400r,Datei:*"));
    sheet->setFlags(QStringLiteral("singleselect zebra"));
    sheet->setLeftMargin(200); // room for the expand boxes of top-level rows
    sheet->AddItem(QStringLiteral("Rechnungen"), QStringLiteral("topic"), 0, true);
    sheet->AddItem(QStringLiteral("Rechnung 10001\t03.02.2026\t1.250,00\trechnung-10001.pdf"), QString(), 1);
    sheet->AddItem(QStringLiteral("Rechnung 10002\t17.02.2026\t89,90\trechnung-10002.pdf"), QString(), 1);
    sheet->AddItem(QStringLiteral("Verträge"), QStringLiteral("topic"), 0, false);
    sheet->AddItem(QStringLiteral("Mietvertrag Büro\t01.01.2025\t\tmietvertrag.pdf"), QString(), 1);

    // A frame: the screen described by kLayout, its snap-ins created by class name.
    auto *frame = new velk::velkFrameControl;
    velk::StdXML screen;
    screen.LoadXML(QString::fromLatin1(kLayout));
    frame->Init(screen.Root);
    // Snap-ins are numbered in layout order; the host reaches them as the controls they are.
    if (auto *topics = qobject_cast<velk::velkSheet *>(frame->snapin(1))) {
        topics->setColumns(QStringLiteral("Thema:*"));
        topics->AddItem(QStringLiteral("Korrespondenz"), QStringLiteral("topic"));
        topics->AddItem(QStringLiteral("Steuern"), QStringLiteral("topic"));
    }
    if (auto *details = qobject_cast<velk::velkLabel *>(frame->snapin(2)))
        details->setCaption(QStringLiteral("Kein Dokument gewählt"));

    auto *split = new QSplitter(Qt::Vertical);
    split->addWidget(sheet);
    split->addWidget(frame);
    layout->addWidget(split, 1);
    auto *status = new QLabel(QStringLiteral("Bereit"));
    layout->addWidget(status);
    window.setCentralWidget(central);

    // Events take their arguments by reference, so a handler can answer (here: nothing to veto).
    QObject::connect(bar->events(), &velk::velkMenuBarEvents::Click, status,
                     [status, bar](int &id, int &, float &, float &) {
                         status->setText(QStringLiteral("Geklickt: %1").arg(bar->MenuItem(id)));
                     });
    QObject::connect(sheet->events(), &velk::velkSheetEvents::Click, status, [status, sheet] {
        status->setText(QStringLiteral("Zeile %1: %2").arg(sheet->SelectedIndex()).arg(sheet->GetFullText(sheet->SelectedIndex(), QStringLiteral(" › "))));
    });

    window.resize(800, 560);
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        window.setAttribute(Qt::WA_DontShowOnScreen);
        window.show();
        QCoreApplication::processEvents();
        int failures = 0;
        for (QWidget *part : {static_cast<QWidget *>(bar), static_cast<QWidget *>(sheet), static_cast<QWidget *>(frame)}) {
            if (!paintedSomething(part)) {
                std::fprintf(stderr, "%s painted nothing\n", part->metaObject()->className());
                ++failures;
            }
        }
        if (frame->snapinCount() != 2) {
            std::fprintf(stderr, "the frame made %d snap-ins, not 2\n", frame->snapinCount());
            ++failures;
        }
        return failures == 0 ? 0 : 1;
    }
    window.show();
    return app.exec();
}
