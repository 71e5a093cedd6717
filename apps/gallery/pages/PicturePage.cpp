#include "GalleryPage.h"

#include <velk/controls/velkButton.h>
#include <velk/frame/velkPicScroll.h>
#include <velk/frame/velkSplitter.h>
#include <velk/sheet/velkSheet.h>

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

using namespace velk;

namespace {

const QString kPhoto = QStringLiteral("/usr/share/backgrounds/mate/nature/LadyBird.jpg");
const QString kAreas = QStringLiteral("1660,680,1940,980 [Marienkäfer]\r\n1990,965,2550,1380 [Blatt]\r\n130,250,510,640 []");

// The photo from mate-backgrounds, or a drawn stand-in where the package is missing.
QString pictureFile()
{
    if (QFileInfo::exists(kPhoto))
        return kPhoto;
    const QString path = QDir::temp().filePath(QStringLiteral("velk-gallery-bild.png"));
    if (!QFileInfo::exists(path)) {
        QImage image(1200, 900, QImage::Format_RGB32);
        QPainter p(&image);
        QLinearGradient g(0, 0, 1200, 900);
        g.setColorAt(0, QColor(40, 110, 40));
        g.setColorAt(1, QColor(180, 220, 120));
        p.fillRect(image.rect(), g);
        p.setBrush(QColor(200, 30, 30));
        p.drawEllipse(QPoint(320, 255), 190, 150);
        p.end();
        image.save(path);
    }
    return path;
}

// Picture, bar and sheet side by side; the page moves the bar when the bar asks.
class PicturePage : public QWidget
{
public:
    explicit PicturePage(QWidget *parent)
        : QWidget(parent)
    {
        auto *layout = new QVBoxLayout(this);
        auto *tools = new QHBoxLayout;
        auto *left = addButton(tools, QStringLiteral("Links drehen"));
        auto *right = addButton(tools, QStringLiteral("Rechts drehen"));
        auto *fit = addButton(tools, QStringLiteral("Einpassen"));
        auto *remove = addButton(tools, QStringLiteral("Bereich löschen"));
        m_log = new QLabel(QStringLiteral("Fläche ziehen: neuer Bereich; Doppelklick: Verknüpfung"));
        tools->addWidget(m_log, 1);
        layout->addLayout(tools);
        m_area = new QWidget;
        layout->addWidget(m_area, 1);

        m_pic = new velkPicScroll(m_area);
        m_pic->setAreasEdit(1);
        m_pic->setAreasSyntax(QStringLiteral("Verknüpfung des Bereichs (Dokument oder Adresse):"));
        m_pic->setFilename(pictureFile());
        m_pic->setAreas(kAreas);
        m_pic->setScaleFlag(true);
        m_bar = new velkSplitter(m_area);
        m_sheet = new velkSheet(m_area);
        m_sheet->setColumns(QStringLiteral("Nr:500r,Bereich:2200,Verknüpfung:*"));

        connect(left->events(), &velkButtonEvents::Click, this, [this] { m_pic->Rotate(2); });
        connect(right->events(), &velkButtonEvents::Click, this, [this] { m_pic->Rotate(1); });
        connect(fit->events(), &velkButtonEvents::Click, this, [this] { m_pic->setScaleFlag(!m_pic->ScaleFlag()); });
        connect(remove->events(), &velkButtonEvents::Click, this, [this] {
            m_pic->AreaDelete();
            fillSheet();
        });
        connect(m_pic->events(), &velkPicScrollEvents::AreasChanged, this, [this] { fillSheet(); });
        connect(m_pic->events(), &velkPicScrollEvents::MouseMove, this, [this](short, short, float x, float y) {
            m_log->setText(QStringLiteral("Bildpunkt %1, %2 · Bereich %3").arg(int(x)).arg(int(y)).arg(m_pic->AreaSelected()));
        });
        connect(m_bar->events(), &velkSplitterEvents::SetPosition, this, [this](double v) {
            m_barLeft = int(v / 15);
            m_bar->move(m_barLeft, 0);
        });
        connect(m_sheet->events(), &velkSheetEvents::Click, this, [this] {
            m_pic->setAreaSelected(short(m_sheet->SelectedIndex()));
        });
        connect(m_bar->events(), &velkSplitterEvents::Resize, this, [this] { placeChildren(); });
        fillSheet();
        m_area->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_area && event->type() == QEvent::Resize) {
            if (m_barLeft < 0)
                m_barLeft = m_area->width() * 2 / 3;
            placeChildren();
        }
        return QWidget::eventFilter(watched, event);
    }

private:
    static velkButton *addButton(QHBoxLayout *row, const QString &caption)
    {
        auto *button = new velkButton;
        button->setCaption(caption);
        button->setFixedSize(110, 24);
        row->addWidget(button);
        return button;
    }

    void placeChildren()
    {
        const int h = m_area->height();
        const int barWidth = 6;
        m_barLeft = std::clamp(m_barLeft, 20, std::max(20, m_area->width() - barWidth - 20));
        m_pic->setGeometry(0, 0, m_barLeft, h);
        m_bar->setGeometry(m_barLeft, 0, barWidth, h);
        m_sheet->setGeometry(m_barLeft + barWidth, 0, m_area->width() - m_barLeft - barWidth, h);
    }

    void fillSheet()
    {
        m_sheet->Clear();
        // One row per line, so row numbers are area numbers.
        const QString areas = m_pic->Areas();
        const QStringList lines = areas.isEmpty() ? QStringList() : areas.split(QStringLiteral("\r\n"));
        for (int i = 0; i < lines.size(); ++i) {
            const QString &line = lines[i];
            const qsizetype open = line.indexOf(u'[');
            const QString rect = open < 0 ? line : line.left(open).trimmed();
            const QString link = open < 0 ? QString() : line.mid(open + 1).section(u']', 0, 0);
            m_sheet->AddItem(QString::number(i + 1) + u'\t' + rect + u'\t' + link);
        }
        m_sheet->Refresh();
    }

    velkPicScroll *m_pic;
    velkSplitter *m_bar;
    velkSheet *m_sheet;
    QWidget *m_area;
    QLabel *m_log;
    int m_barLeft = -1;
};

QWidget *createPicturePage(SampleArchive &, QWidget *parent)
{
    return new PicturePage(parent);
}

} // namespace

VELK_GALLERY_PAGE("Bild", 80, createPicturePage, "velkPicScroll,velkSplitter",
                  "Bilder rollen und zoomen, Flächen mit einem Teiler trennen",
                  "Der Bildbereich rollt und zoomt ein Foto, Bereiche darin sind anklickbar; der Teiler zwischen Liste und Bild lässt sich ziehen.");
