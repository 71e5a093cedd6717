#include "GalleryPage.h"

#include <velk/platform/PictureBox.h>

#include <QLabel>
#include <QVBoxLayout>

using namespace velk;

namespace {

// Everything below is placed in twips, as the sheet and the forms place their drawings.

void printAt(Canvas &c, double x, double y, const QString &text)
{
    c.setCurrentX(x);
    c.setCurrentY(y);
    c.Print(text);
}

void drawFonts(Canvas &c, double left, double top)
{
    struct Sample
    {
        const char *family;
        double points;
        bool bold;
        bool italic;
        bool underline;
    };
    const Sample samples[] = {
        {"Arial", 8, false, false, false},           {"Arial", 10, true, false, false},
        {"Times New Roman", 12, false, true, false}, {"Courier New", 10, false, false, false},
        {"Arial", 14, false, false, true},
    };
    double y = top;
    for (const Sample &s : samples) {
        c.setFontName(QString::fromLatin1(s.family));
        c.setFontSize(s.points);
        c.setFontBold(s.bold);
        c.setFontItalic(s.italic);
        c.setFontUnderline(s.underline);
        printAt(c, left, y, QStringLiteral("%1 %2 pt: Dokumente, Themen, Schlagwörter").arg(QString::fromLatin1(s.family)).arg(s.points));
        y += c.TextHeight() + 60;
    }
    c.setFontName(QStringLiteral("Arial"));
    c.setFontSize(8);
    c.setFontBold(false);
    c.setFontItalic(false);
    c.setFontUnderline(false);
}

// A few rows drawn the way the sheet draws them: zebra shading, a selected row in the
// highlight colours, light grid lines and a right-aligned number column.
void drawRows(Canvas &c, double left, double top, double width)
{
    const char *names[] = {"Rechnung 2023-114", "Angebot Küche", "Vertrag Miete", "Lieferschein 88", "Mahnung",
                           "Kontoauszug März", "Steuerbescheid", "Versicherungspolice"};
    constexpr int rows = 8;
    const double rowHeight = c.TextHeight() + 60;
    for (int i = 0; i < rows; ++i) {
        const double y = top + i * rowHeight;
        const bool selected = i == 2;
        if (selected)
            c.FilledBox(left, y, left + width, y + rowHeight - 15, SystemColor::Highlight);
        else if (i % 2 == 1)
            c.FilledBox(left, y, left + width, y + rowHeight - 15, rgbColor(240, 240, 240));
        c.setForeColor(selected ? SystemColor::HighlightText : SystemColor::WindowText);
        printAt(c, left + 50, y + 30, QString::fromUtf8(names[i]));
        const QString amount = QString::number((i + 1) * 137.5, 'f', 2);
        printAt(c, left + width - 50 - c.TextWidth(amount), y + 30, amount);
        c.Line(left, y + rowHeight - 15, left + width, y + rowHeight - 15, rgbColor(200, 200, 200));
    }
    c.Box(left, top, left + width, top + rows * rowHeight - 15, rgbColor(128, 128, 128));
    c.setForeColor(0);
}

void drawBars(Canvas &c, double left, double bottom)
{
    const Color colours[] = {rgbColor(192, 192, 192), rgbColor(192, 192, 192), rgbColor(255, 0, 0),
                             rgbColor(192, 192, 192), rgbColor(192, 192, 192)};
    for (int i = 0; i < 5; ++i) {
        const double height = (i + 1) * 20 * 12;
        const double x = left + i * 240;
        c.FilledBox(x, bottom - height, x + 160, bottom, colours[i]);
        c.Box(x, bottom - height, x + 160, bottom, rgbColor(96, 96, 96));
    }
    c.Line(left - 60, bottom, left + 5 * 240, bottom, 0);
}

void drawLines(Canvas &c, double left, double top)
{
    for (int width = 1; width <= 4; ++width) {
        c.setDrawWidth(width);
        const double y = top + (width - 1) * 180;
        c.Line(left, y, left + 1500, y + 300, rgbColor(0, 0, 128 + width * 30));
    }
    c.setDrawWidth(1);
    for (int i = 0; i <= 12; ++i)
        c.PSet(left + i * 120, top + 900, rgbColor(200, 0, 0));
    c.Polygon({QPointF(left + 1800, top + 700), QPointF(left + 2400, top + 700), QPointF(left + 2100, top + 200)},
              rgbColor(0, 150, 0));
}

void drawSymbols(Canvas &c, double left, double top)
{
    printAt(c, left, top, QStringLiteral("Symbole:"));
    c.setFontName(velk::SymbolFontName);
    c.setFontSize(12);
    printAt(c, left + 900, top - 30, QStringLiteral("3456 a r n"));
    c.setFontName(QStringLiteral("Arial"));
    c.setFontSize(8);
}

// Swatches of the system colours, resolved from the application's palette.
void drawSystemColours(Canvas &c, double left, double top)
{
    struct Swatch
    {
        Color color;
        const char *name;
    };
    const Swatch swatches[] = {
        {SystemColor::WindowBackground, "Fenster"},  {SystemColor::WindowText, "Fenstertext"},
        {SystemColor::Highlight, "Markierung"},      {SystemColor::HighlightText, "Markierungstext"},
        {SystemColor::ButtonFace, "Schaltfläche"},   {SystemColor::ButtonShadow, "Schatten"},
        {SystemColor::ButtonText, "Schaltflächentext"}, {SystemColor::ButtonHighlight, "Hervorhebung"},
    };
    printAt(c, left, top, QStringLiteral("Systemfarben:"));
    for (int i = 0; i < 8; ++i) {
        const double x = left + (i % 4) * 1800;
        const double y = top + 300 + (i / 4) * 500;
        c.FilledBox(x, y, x + 300, y + 300, swatches[i].color);
        c.Box(x, y, x + 300, y + 300, 0);
        printAt(c, x + 400, y + 60, QString::fromUtf8(swatches[i].name));
    }
}

void drawScene(PictureBox &box)
{
    Canvas &c = box.canvas();
    c.Cls();
    c.setFontName(QStringLiteral("Arial"));
    c.setFontSize(14);
    c.setFontBold(true);
    c.setForeColor(rgbColor(0, 0, 128));
    printAt(c, 300, 200, QStringLiteral("Zeichenfläche"));
    c.setFontSize(8);
    c.setFontBold(false);
    c.setForeColor(0);
    printAt(c, 300, 200 + c.TextHeight() * 2.2,
            QStringLiteral("Linien, Rechtecke, Punkte und Texte in Twips; mit der linken Maustaste zeichnen."));

    drawFonts(c, 300, 1000);
    drawRows(c, 300, 3000, 6000);
    drawSystemColours(c, 300, 5800);
    drawBars(c, 8000, 2400);
    drawLines(c, 8000, 3000);
    drawSymbols(c, 8000, 4500);
    c.Box(60, 60, box.ScaleWidth() - 60, box.ScaleHeight() - 60, SystemColor::ButtonShadow);
}

QWidget *createCanvasPage(SampleArchive &, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    auto *box = new PictureBox(page);
    box->setObjectName(QStringLiteral("Picture1"));
    box->setBackColor(rgbColor(255, 255, 255));
    auto *status = new QLabel(QStringLiteral("Maus: –"), page);
    status->setObjectName(QStringLiteral("mouseStatus"));
    layout->addWidget(box, 1);
    layout->addWidget(status);

    QObject::connect(box, &PictureBox::Resize, box, [box] { drawScene(*box); });
    QObject::connect(box, &PictureBox::MouseDown, box, [box](int button, int, float x, float y) {
        if (button == MouseButton::Left) {
            box->canvas().setCurrentX(x);
            box->canvas().setCurrentY(y);
        }
    });
    QObject::connect(box, &PictureBox::MouseMove, box, [box, status](int button, int shift, float x, float y) {
        status->setText(QStringLiteral("Maus: x = %1, y = %2 Twips, Tasten %3, Umschalt %4")
                            .arg(x)
                            .arg(y)
                            .arg(button)
                            .arg(shift));
        if (button == MouseButton::Left) {
            Canvas &c = box->canvas();
            c.setDrawWidth(2);
            c.Line(c.CurrentX(), c.CurrentY(), x, y, rgbColor(200, 0, 0));
            c.setDrawWidth(1);
        }
    });
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Zeichenfläche", 90, createCanvasPage, "",
                  "Die Zeichenfläche, auf der alle Steuerelemente malen",
                  "Zeigt, was die Zeichenfläche in Twips und Pixeln zeichnet: Linien, Rechtecke, Text und Bilder. Sie ist kein eigenes Steuerelement, sondern die Grundlage der anderen.");
