#include "GalleryPage.h"

#include <velk/common/GUI.h>
#include <velk/date/DateRange.h>
#include <velk/date/velkDateControl.h>

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace velk;

namespace {

QWidget *createDatePickerPage(SampleArchive &, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QHBoxLayout(page);

    auto *formBox = new QGroupBox(QStringLiteral("GUI.SelectDate"));
    auto *form = new QFormLayout(formBox);
    auto *text = new QLineEdit(QStringLiteral("01.03.2026 - 31.03.2026"));
    auto *mode = new QComboBox;
    mode->addItems({QStringLiteral("Datumsbereich"), QStringLiteral("Einzelnes Datum")});
    auto *choose = new QPushButton(QStringLiteral("Datum w\u00e4hlen \u2026"));
    auto *bounds = new QLabel;
    form->addRow(QStringLiteral("Bereichstext:"), text);
    form->addRow(QStringLiteral("Ansicht:"), mode);
    form->addRow(QString(), choose);
    form->addRow(QStringLiteral("Erster / letzter Tag:"), bounds);

    const auto showBounds = [text, bounds] {
        bounds->setText(DateRangeStart(text->text()) + QStringLiteral(" \u2026 ") + DateRangeEnd(text->text()));
    };
    QObject::connect(text, &QLineEdit::textChanged, bounds, showBounds);
    QObject::connect(choose, &QPushButton::clicked, page, [page, text, mode] {
        GUI gui;
        const QString chosen = gui.SelectDate(page->window(), text->text(), mode->currentIndex());
        if (!chosen.isEmpty())
            text->setText(chosen);
    });
    showBounds();

    auto *pickerBox = new QGroupBox(QStringLiteral("velkDateControl"));
    auto *pickerLayout = new QVBoxLayout(pickerBox);
    auto *picker = new velkDateControl;
    picker->setFixedSize(210, 180);
    picker->setDatum(QStringLiteral("14.3.2026"));
    auto *picked = new QLabel(QStringLiteral("Datum: ") + picker->Datum());
    QObject::connect(picker->events(), &velkDateControlEvents::Changed, picked,
                     [picker, picked] { picked->setText(QStringLiteral("Datum: ") + picker->Datum()); });
    pickerLayout->addWidget(picker);
    pickerLayout->addWidget(picked);
    pickerLayout->addStretch();

    layout->addWidget(formBox, 1);
    layout->addWidget(pickerBox);
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Datumsauswahl", 71, createDatePickerPage, "velkDateControl",
                  "Monatskalender zur Wahl eines Datums",
                  "Ein Klick wählt einen Tag, die Pfeile blättern die Monate. Das gewählte Datum erscheint als Text dd.mm.yyyy.");
