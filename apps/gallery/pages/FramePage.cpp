#include "GalleryMenus.h"
#include "GalleryPage.h"

#include <velk/frame/velkFrameControl.h>
#include <velk/menu/velkMenuBar.h>
#include <velk/xml/StdXML.h>

#include <QTime>
#include <QVBoxLayout>

namespace {

// A screen of the library's own controls: rows and columns with caption bars, a bordered
// cell, tabs with a nested three-fold view, and a class that does not exist.
const char *const kLayout =
    "<ROWS>"
    "<COLS height=\"45%\">"
    "<ITEM control=\"velkLabel\" width=\"30%\" caption=\"velkLabel\"/>"
    "<ITEM control=\"velkButton\" caption=\"velkButton\"/>"
    "<CELL border=\"2\" backcolor=\"255,255,225\"><ITEM control=\"Archiv.Fehlt\" caption=\"Zelle mit Rand\"/></CELL>"
    "</COLS>"
    "<TABS caption=\"Register\" activetabcolor=\"255,255,255\">"
    "<ITEM caption=\"Leiste\" control=\"velkMenuBar\"/>"
    "<MULTI caption=\"Mehrfach\"><ITEM control=\"velkLabel\" caption=\"Ansicht #\"/></MULTI>"
    "<SPACE caption=\"Leer\" backcolor=\"225,235,255\"/>"
    "</TABS>"
    "</ROWS>";

class FramePage : public QWidget
{
public:
    explicit FramePage(QWidget *parent)
        : QWidget(parent)
        , m_frame(new velk::velkFrameControl(this))
    {
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(4, 4, 4, 4);
        layout->addWidget(m_frame);
        m_frame->resize(900, 600);
        m_layout.LoadXML(QString::fromLatin1(kLayout));
        m_frame->Init(m_layout.Root);
        label(1, QStringLiteral("Beschriftung"));
        label(2, QStringLiteral("Knopf"));
        if (auto *bar = qobject_cast<velk::velkMenuBar *>(m_frame->snapin(4))) {
            bar->setMenu(QStringLiteral("save#Speichern,print#Drucken,-,refresh#Aktualisieren#v"));
            GalleryMenus::attach(bar, [this, bar](int id, bool) -> QList<GalleryMenuEntry> {
                if (bar->MenuItem(id) != u"Aktualisieren")
                    return {};
                return {{QStringLiteral("Jetzt aktualisieren"),
                         [this] { label(1, QStringLiteral("Aktualisiert um %1").arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")))); }},
                        {QStringLiteral("Beschriftungen zurücksetzen"), [this] { label(1, QStringLiteral("Beschriftung")); }}};
            });
        }
        for (int nr = 5; nr <= 7; ++nr)
            label(nr, QStringLiteral("Ansicht %1").arg(nr - 4));
    }

private:
    void label(int nr, const QString &caption)
    {
        if (QWidget *snapin = m_frame->snapin(nr))
            snapin->setProperty("caption", caption);
    }

    velk::StdXML m_layout;
    velk::velkFrameControl *m_frame;
};

QWidget *createFramePage(SampleArchive &, QWidget *parent)
{
    return new FramePage(parent);
}

} // namespace

VELK_GALLERY_PAGE("Rahmen", 30, createFramePage, "velkFrameControl",
                  "Ein Bildschirm aus einer XML-Beschreibung: Zeilen, Spalten, Register",
                  "Der Rahmen setzt Steuerelemente nach einer Beschreibung aus ROWS, COLS, TABS und ITEM zusammen, mit Leisten, Rändern und Größen in Prozent oder Pixeln. Ziehen Sie das Fenster größer und kleiner, um die Größenregeln zu sehen.");
