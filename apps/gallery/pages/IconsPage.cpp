#include "GalleryPage.h"

#include <velk/controls/velkIcon.h>
#include <velk/platform/Canvas.h>

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

using namespace velk;

namespace {

// Every built-in icon with its number and name, drawn in the four states: copied, ANDed
// onto the background, as a gray silhouette, and not at all.
class IconSheet : public QWidget
{
public:
    static constexpr int Columns = 4;
    static constexpr int RowHeight = 20;
    static constexpr int BlockWidth = 255;
    static constexpr int NameWidth = 150;
    static constexpr int StateWidth = 24;

    explicit IconSheet(QWidget *parent)
        : QWidget(parent)
        , m_icon(new velkIcon(this))
    {
        m_icon->setObjectName(QStringLiteral("velkIcon1"));
        setMinimumSize(Columns * BlockWidth, (rows() + 1) * RowHeight + 4);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        Canvas c(this, ScaleMode::Pixels);
        c.setBackColor(rgbColor(255, 255, 255));
        c.Cls();
        c.setFontName(QStringLiteral("Arial"));
        c.setFontSize(8);
        for (int column = 0; column < Columns; ++column)
            paintHeader(c, column * BlockWidth);
        for (int n = 1; n <= m_icon->BuiltInCount(); ++n)
            paintIcon(c, n);
    }

private:
    int rows() const { return (m_icon->BuiltInCount() + Columns - 1) / Columns; }

    void paintHeader(Canvas &c, int left)
    {
        c.setForeColor(rgbColor(96, 96, 96));
        print(c, left + 4, 2, QStringLiteral("Nr. Name"));
        for (int state = 0; state < 4; ++state)
            print(c, left + NameWidth + state * StateWidth + 6, 2, QString::number(state));
    }

    void paintIcon(Canvas &c, int n)
    {
        const int left = ((n - 1) / rows()) * BlockWidth;
        const int top = (((n - 1) % rows()) + 1) * RowHeight;
        c.setForeColor(0);
        print(c, left + 4, top + 3, QStringLiteral("%1").arg(n, 2));
        print(c, left + 28, top + 3, m_icon->IconString(n));
        for (int state = 0; state < 4; ++state) {
            const int x = left + NameWidth + state * StateWidth;
            // A coloured cell shows what AND and the silhouette do to the background.
            c.FilledBox(x, top, x + 19, top + 19, state == 0 ? rgbColor(255, 255, 255) : rgbColor(190, 215, 255));
            m_icon->Paint(c, x + 2, top + 2, n, state);
        }
    }

    static void print(Canvas &c, int x, int y, const QString &text)
    {
        c.setCurrentX(x);
        c.setCurrentY(y);
        c.Print(text);
    }

    velkIcon *m_icon;
};

QWidget *createIconsPage(SampleArchive &, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral(
        "<b>velkIcon</b>: die 91 eingebauten Icons mit Nummer und Name, gezeichnet in den Zuständen "
        "0 (kopiert), 1 (UND mit dem Hintergrund), 2 (graue Silhouette) und 3 (nichts).")));
    auto *scroll = new QScrollArea;
    scroll->setWidget(new IconSheet(scroll));
    scroll->setFrameShape(QFrame::NoFrame);
    layout->addWidget(scroll, 1);
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Icons", 40, createIconsPage, "velkIcon",
                  "Alle Icons der Bibliothek mit ihren Namen",
                  "Jedes Icon wird über seinen Namen angesprochen; die Seite zeigt den Vorrat in den gezeichneten Größen.");
