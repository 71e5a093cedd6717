#include "ArchiveSnapIns.h"
#include "FrameLayoutFile.h"
#include "GalleryData.h"
#include "GalleryPage.h"

#include <velk/frame/velkFrameControl.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kLayoutFile = QStringLiteral("archive-layout.xml");

// Used when the layout file is missing: the same screen in short.
const char *const kFallbackLayout =
    "<ARCHIV><ROWS><COLS><ITEM control=\"ArchiveTopics\" width=\"280\" caption=\"Themen\"/>"
    "<ITEM control=\"ArchiveDocuments\" caption=\"Dokumente\"/></COLS>"
    "<ITEM control=\"ArchiveDetails\" height=\"170\" caption=\"Details\"/></ROWS></ARCHIV>";

// An archive screen composed by a frame from data/archive-layout.xml: the topic tree
// beside the document list and its details, keywords and a deliberately missing snap-in
// on tabs below. "Konfigurieren" edits the layout with the mouse; the edited layout is
// kept in the user's settings folder and used at the next start until "Zurücksetzen".
class FramePage : public QWidget
{
public:
    FramePage(SampleArchive &archive, QWidget *parent)
        : QWidget(parent)
        , m_layout(kLayoutFile, galleryDataFile(kLayoutFile), QString::fromLatin1(kFallbackLayout))
        , m_frame(new velk::velkFrameControl(this))
        , m_configure(new QPushButton(QStringLiteral("Konfigurieren"), this))
        , m_reset(new QPushButton(QStringLiteral("Zurücksetzen"), this))
        , m_hint(new QLabel(this))
    {
        ArchiveSnapIn::setArchive(&archive);
        ArchiveSnapIn::registerClasses();
        m_frame->setObjectName(QStringLiteral("velkFrameControl1"));
        m_configure->setObjectName(QStringLiteral("configure"));
        m_configure->setCheckable(true);
        m_reset->setObjectName(QStringLiteral("reset"));
        m_hint->setObjectName(QStringLiteral("hint"));
        m_hint->setWordWrap(true);

        auto *buttons = new QHBoxLayout;
        buttons->addWidget(m_configure);
        buttons->addWidget(m_reset);
        buttons->addWidget(m_hint, 1);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(4, 4, 4, 4);
        layout->addLayout(buttons);
        layout->addWidget(m_frame, 1);

        connect(m_configure, &QPushButton::toggled, m_frame, &velk::velkFrameControl::setConfigMode);
        connect(m_frame, &velk::velkFrameControl::ConfigModeChanged, this, [this](bool on) {
            m_configure->setChecked(on);
            if (on || saveLayout())
                showHint();
        });
        connect(m_reset, &QPushButton::clicked, this, [this] { resetLayout(); });
        m_frame->resize(900, 560);
        initFrame(m_layout.load());
        showHint();
    }

    ~FramePage() override
    {
        if (m_frame->ConfigMode())
            saveLayout();
        m_frame->Disconnect();
    }

private:
    void initFrame(const velk::StdXMLNodePtr &screen)
    {
        m_frame->Init(screen);
        // The first document of the first topic is shown, so the details are not empty.
        m_frame->SendCommand(QStringLiteral("thema"), QStringLiteral("1"));
        m_frame->SendCommand(QStringLiteral("dokument"), QStringLiteral("12"));
    }

    bool saveLayout()
    {
        if (m_layout.save())
            return true;
        m_hint->setText(m_layout.errorText());
        return false;
    }

    void resetLayout()
    {
        const bool wasConfiguring = m_frame->ConfigMode();
        m_frame->blockSignals(true);
        m_frame->setConfigMode(false);
        m_frame->blockSignals(false);
        m_frame->Disconnect();
        initFrame(m_layout.reset());
        m_frame->setConfigMode(wasConfiguring);
        showHint();
        if (!m_layout.errorText().isEmpty())
            m_hint->setText(m_layout.errorText());
    }

    void showHint()
    {
        if (m_frame->ConfigMode())
            m_hint->setText(QStringLiteral("Rechtsklick auf eine Zelle öffnet das Bearbeitungsmenü; die Spalte "
                                           "zwischen zwei Zellen lässt sich mit der Maus ziehen."));
        else
            m_hint->setText(m_layout.isEdited()
                                ? QStringLiteral("Bearbeitetes Layout aus %1").arg(m_layout.userFile())
                                : QStringLiteral("Feste Breiten in Pixeln, der Rest in Prozent: "
                                                 "ziehen Sie das Fenster größer oder kleiner."));
    }

    FrameLayoutFile m_layout;
    velk::velkFrameControl *m_frame;
    QPushButton *m_configure;
    QPushButton *m_reset;
    QLabel *m_hint;
};

QWidget *createFramePage(SampleArchive &archive, QWidget *parent)
{
    return new FramePage(archive, parent);
}

} // namespace

VELK_GALLERY_PAGE("Rahmen", 30, createFramePage, "velkFrameControl",
                  "Ein Archivbildschirm aus einer XML-Beschreibung: Zeilen, Spalten, Register",
                  "Der Rahmen setzt Themenbaum, Dokumentliste und Details aus data/archive-layout.xml zusammen, "
                  "mit Leisten, Rändern und Größen in Prozent oder Pixeln. Ziehen Sie das Fenster größer und "
                  "kleiner, um die Größenregeln zu sehen.");
