#include "GalleryPage.h"

#include <velk/preview/velkScala.h>

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <climits>

using namespace velk;

namespace {

struct Example
{
    const char *caption;
    int minValue;
    int maxValue;
    int value;
    int widthPx;
};

const Example kExamples[] = {
    {"Zoom in Prozent (10 … 400)", 10, 400, 100, 300},
    {"Seite (1 … 12)", 1, 12, 3, 200},
    {"Helligkeit (-100 … 100)", -100, 100, 0, 300},
    {"Ganzer 32-Bit-Bereich", INT_MIN, INT_MAX, 0, 400},
    {"Minimum = Maximum (5)", 5, 5, 5, 200},
};

QWidget *createScalaPage(SampleArchive &, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("Ziehen oder klicken; mit dem Fokus: Pfeiltasten, Bild auf/ab, Pos1/Ende.")));
    auto *form = new QFormLayout;
    for (const Example &e : kExamples) {
        auto *scala = new velkScala;
        scala->setMinValue(e.minValue);
        scala->setMaxValue(e.maxValue);
        scala->setValue(e.value);
        scala->setFixedSize(e.widthPx, 20);
        auto *value = new QLabel(QString::number(e.value));
        value->setMinimumWidth(90);
        QObject::connect(scala->events(), &velkScalaEvents::Scroll, value,
                         [value, scala] { value->setText(QString::number(scala->value())); });
        auto *row = new QHBoxLayout;
        row->addWidget(scala);
        row->addWidget(value);
        row->addStretch(1);
        form->addRow(QString::fromUtf8(e.caption), row);
        scala->Refresh();
        // The thumb is placed for the final width once the page is laid out.
        QMetaObject::invokeMethod(scala, &velkScala::Refresh, Qt::QueuedConnection);
    }
    layout->addLayout(form);
    layout->addStretch(1);
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Skala", 81, createScalaPage, "velkScala",
                  "Skala mit Schieber für einen Wert",
                  "Ziehen oder klicken setzt den Wert; mit dem Fokus gehen Pfeiltasten, Bild auf/ab, Pos1 und Ende. Der Wert steht daneben.");
