#include "GalleryPage.h"
#include "SampleArchive.h"

#include <velk/date/DateRange.h>
#include <velk/date/velkDate.h>
#include <velk/date/velkDateSelector.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QSqlQuery>
#include <QTimer>
#include <QVBoxLayout>

using namespace velk;

namespace {

// "dd.mm.yyyy" as the sortable key "yyyymmdd" the archive query compares.
QString sortKey(const QString &date)
{
    return date.mid(6) + date.mid(3, 2) + date.left(2);
}

// Shows a range text's bounds, literals and the archive's documents in the range.
class RangeView : public QWidget
{
public:
    RangeView(SampleArchive &archive, QWidget *parent) : QWidget(parent), m_archive(archive)
    {
        auto *layout = new QGridLayout(this);
        const char *captions[] = {"Bedingung / Text:", "Erster Tag:", "Letzter Tag:", "Datenbank-Literal:"};
        for (int row = 0; row < 4; ++row) {
            layout->addWidget(new QLabel(QString::fromUtf8(captions[row])), row, 0);
            m_values[row] = new QLabel;
            m_values[row]->setTextInteractionFlags(Qt::TextSelectableByMouse);
            layout->addWidget(m_values[row], row, 1);
        }
        m_count = new QLabel;
        layout->addWidget(m_count, 4, 0, 1, 2);
        m_documents = new QListWidget;
        layout->addWidget(m_documents, 5, 0, 1, 2);
        layout->setRowStretch(5, 1);
    }

    void showRange(const QString &caption, const QString &rangeText)
    {
        const QString start = DateRangeStart(rangeText);
        const QString end = DateRangeEnd(rangeText);
        m_values[0]->setText(caption);
        m_values[1]->setText(start);
        m_values[2]->setText(end);
        m_values[3]->setText(DateBound(rangeText.section(u'-', 0, 0).trimmed(), true, false) + QStringLiteral(" \u2026 ")
                             + DateBound(rangeText.contains(u'-') ? rangeText.section(u'-', 1).trimmed() : rangeText, false, false));
        listDocuments(start, end);
    }

private:
    void listDocuments(const QString &start, const QString &end)
    {
        m_documents->clear();
        QSqlQuery query(m_archive.database());
        query.prepare(QStringLiteral(
            "SELECT strftime('%d.%m.%Y', Datum), Titel FROM Dokumente "
            "WHERE replace(Datum, '-', '') BETWEEN ? AND ? ORDER BY Datum, DokumentID"));
        query.addBindValue(sortKey(start));
        query.addBindValue(sortKey(end));
        int count = 0;
        if (query.exec()) {
            while (query.next()) {
                if (++count <= 500)
                    m_documents->addItem(query.value(0).toString() + QStringLiteral("  ") + query.value(1).toString());
            }
        }
        m_count->setText(QStringLiteral("%1 Dokumente im Bereich%2").arg(count).arg(count > 500 ? QStringLiteral(" (die ersten 500)") : QString()));
    }

    SampleArchive &m_archive;
    QLabel *m_values[4];
    QLabel *m_count;
    QListWidget *m_documents;
};

QWidget *createDateSelectorPage(SampleArchive &archive, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QGridLayout(page);

    auto *selector = new velkDateSelector;
    selector->setFixedSize(240, 200);
    // March 2026 selected, a month the sample archive has documents in.
    selector->Year = 2026;
    selector->Month = 3;
    selector->SelectedYear1 = selector->SelectedYear2 = 2026;
    selector->SelectedMonth1 = selector->SelectedMonth2 = 3;
    selector->SelectedDay1 = 1;
    selector->SelectedDay2 = 31;
    auto *selectorBox = new QGroupBox(QStringLiteral("velkDateSelector (Umschalt/Strg: Bereich)"));
    (new QVBoxLayout(selectorBox))->addWidget(selector);

    auto *picker = new velkDate;
    picker->setFixedSize(240, 100);
    auto *pickerBox = new QGroupBox(QStringLiteral("velkDate (Monat und Jahr)"));
    (new QVBoxLayout(pickerBox))->addWidget(picker);

    auto *view = new RangeView(archive, page);
    layout->addWidget(selectorBox, 0, 0);
    layout->addWidget(pickerBox, 1, 0);
    layout->addWidget(view, 0, 1, 3, 1);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(1, 1);

    const auto showSelector = [selector, view] {
        const QString condition = selector->MorvaiCondition();
        QString range = condition.mid(condition.indexOf(u'=') + 1);
        range.replace(QStringLiteral("/$date<="), QStringLiteral(" - "));
        view->showRange(condition.isEmpty() ? QStringLiteral("(keine Auswahl)") : condition, range);
    };
    QObject::connect(selector->events(), &velkDateSelectorEvents::Changed, view, showSelector);
    // Click comes before the press changes the picker: read it once the press is done.
    QObject::connect(picker->events(), &velkDateEvents::Click, view, [picker, view] {
        QTimer::singleShot(0, view, [picker, view] {
            view->showRange(picker->Text().isEmpty() ? QStringLiteral("(keine Auswahl)") : picker->Text(), picker->Text());
        });
    });
    showSelector();
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Datumsbereich", 70, createDateSelectorPage, "velkDateSelector,velkDate",
                  "Zeitraum wählen und als Text oder Bedingung ausgeben",
                  "Der Zeitraum wird im Kalenderstreifen gezogen oder aus Vorgaben gewählt; daraus entstehen ein lesbarer Text und eine Datumsbedingung für eine Abfrage.");
