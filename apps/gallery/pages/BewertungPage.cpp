#include "GalleryPage.h"
#include "SampleArchive.h"

#include <velk/editors/velkEval.h>
#include <velk/sheet/velkSheet.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QSqlQuery>
#include <QVBoxLayout>

using namespace velk;

namespace {

// Shows the archive's documents whose rating × 20 lies in the control's range.
void filter(const SampleArchive &archive, const velkEval &eval, velkSheet &sheet, QLabel &status)
{
    const QString condition = eval.Condition();
    const int lo = qMin(eval.value1(), eval.value2());
    const int hi = qMax(eval.value1(), eval.value2());
    QSqlQuery query(archive.database());
    QString sql = QStringLiteral("SELECT Titel, strftime('%d.%m.%Y', Datum), Bewertung * 20 FROM Dokumente");
    if (!condition.isEmpty())
        sql += QStringLiteral(" WHERE Bewertung * 20 BETWEEN ? AND ?");
    query.prepare(sql + QStringLiteral(" ORDER BY Bewertung DESC, DokumentID"));
    if (!condition.isEmpty()) {
        query.addBindValue(lo);
        query.addBindValue(hi);
    }
    sheet.setRedraw(false);
    sheet.Clear();
    if (query.exec()) {
        while (query.next()) {
            sheet.AddItem(query.value(0).toString() + u'\t' + query.value(1).toString() + u'\t'
                          + query.value(2).toString());
        }
    }
    sheet.setRedraw(true);
    status.setText(QStringLiteral("Condition: <tt>%1</tt> → %2 Dokumente")
                       .arg(condition.isEmpty() ? QStringLiteral("(leer, alle)") : condition.toHtmlEscaped())
                       .arg(sheet.Count()));
}

QWidget *createBewertungPage(SampleArchive &archive, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral(
        "<b>velkEval</b>: ein Balken wählt eine Bewertung, mit Umschalt, Strg oder Alt einen Bereich.")));
    auto *row = new QHBoxLayout;
    auto *eval = new velkEval;
    eval->setObjectName(QStringLiteral("velkEval1"));
    eval->setFixedSize(170, 40);
    auto *status = new QLabel;
    status->setObjectName(QStringLiteral("condition"));
    row->addWidget(eval);
    row->addWidget(status, 1);
    layout->addLayout(row);
    auto *sheet = new velkSheet;
    sheet->setObjectName(QStringLiteral("velkSheet1"));
    sheet->setColumns(QStringLiteral("Titel:4300,Datum:1300,Bewertung:1200r"));
    sheet->setFlags(QStringLiteral("singleselect zebra"));
    layout->addWidget(sheet, 1);

    QObject::connect(eval->events(), &velkEvalEvents::Click, sheet, [&archive, eval, sheet, status] {
        filter(archive, *eval, *sheet, *status);
    });
    eval->setCondition(QStringLiteral("$eval>=40/$eval<=80"));
    filter(archive, *eval, *sheet, *status);
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Bewertung", 72, createBewertungPage, "velkEval",
                  "Bewertung mit fünf Balken, als Bedingung für eine Abfrage",
                  "Ein Klick wählt eine Bewertung, mit Umschalt, Strg oder Alt einen Bereich. Die Bedingung ($eval>=40/$eval<=80) filtert die Dokumente des Beispielarchivs in der Liste darunter.");
