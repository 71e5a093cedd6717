// "Formular": a form laid out in Qt Designer (data/formular.ui) and built at run time by
// Qt's form loader through the velkGUI Designer plugin. Its "Eigenschaften" button keeps
// the controls' design properties in a property bag in the user's config folder, which
// the page reads back the next time it starts.

#include "GalleryData.h"
#include "GalleryPage.h"

#include <velk/common/Color.h>
#include <velk/controls/velkButton.h>
#include <velk/controls/velkLabel.h>
#include <velk/frame/velkFrameControl.h>
#include <velk/platform/PropertyBag.h>
#include <velk/platform/SettingsStore.h>
#include <velk/sheet/velkSheet.h>
#include <velk/xml/StdXML.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QScrollArea>
#include <QVBoxLayout>

#ifdef VELK_GALLERY_HAS_UITOOLS
#include <QBuffer>
#include <QUiLoader>
#endif

#include <exception>
#include <memory>

using namespace velk;

namespace {

QLabel *textLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString bagFile()
{
    return QDir(SettingsStore::defaultDirectory()).filePath(QStringLiteral("formular-eigenschaften.xml"));
}

#ifdef VELK_GALLERY_HAS_UITOOLS

// The plugin as built next to the gallery, as installed with it, or in Qt's own folder.
QStringList pluginCandidates()
{
    return {QStringLiteral(VELK_GALLERY_BUILD_PLUGIN_DIR),
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(VELK_GALLERY_INSTALLED_PLUGIN_DIR)),
            QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/designer")};
}

QString pluginDirectory()
{
    for (const QString &dir : pluginCandidates()) {
        if (!QDir(dir).entryList({QStringLiteral("*velkdesigner*")}, QDir::Files).isEmpty())
            return QDir(dir).absolutePath();
    }
    return QString();
}

const Color kTitleColors[] = {rgbColor(0, 0, 128), rgbColor(0, 96, 96), rgbColor(128, 0, 0), rgbColor(64, 64, 64)};

void fill(QWidget *form, const std::shared_ptr<StdXML> &frameLayout)
{
    if (auto *sheet = form->findChild<velkSheet *>(QStringLiteral("lstAkten"))) {
        sheet->AddItem(QStringLiteral("2024-017\t03.02.2024\tMietvertrag Lager Nord"), QStringLiteral("file"));
        sheet->AddItem(QStringLiteral("2024-018\t05.02.2024\tAngebot Druckerei"), QStringLiteral("letter"));
        sheet->AddItem(QStringLiteral("2024-019\t09.02.2024\tReisekosten Januar"), QStringLiteral("excel"));
        sheet->AddItem(QStringLiteral("2024-020\t12.02.2024\tProtokoll Beirat"), QStringLiteral("word"));
    }
    if (auto *frame = form->findChild<velkFrameControl *>(QStringLiteral("frmDetails"))) {
        frameLayout->LoadXML(QStringLiteral("<ROWS backcolor=\"240,240,240\"><ITEM control=\"velkDateControl\" "
                                            "caption=\"Eingangsdatum\"/></ROWS>"));
        frame->Init(frameLayout->Root);
    }
}

QWidget *loadForm(QWidget *page, QLabel *status)
{
    const QString dir = pluginDirectory();
    if (dir.isEmpty()) {
        return textLabel(QStringLiteral("Das velkGUI-Modul für Qt Designer (velkdesigner) wurde nicht gefunden. "
                                        "Gesucht in:\n%1\n\nEs entsteht beim Bauen mit VELK_BUILD_DESIGNER=ON und wird "
                                        "mit „cmake --install“ in den Designer-Ordner der Qt-Module gelegt.")
                             .arg(pluginCandidates().join(u'\n')),
                         page);
    }
    QFile file(galleryDataFile(QStringLiteral("formular.ui")));
    if (!file.open(QIODevice::ReadOnly))
        return textLabel(QStringLiteral("Die Formulardatei %1 fehlt.").arg(file.fileName()), page);
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(dir);
    if (!loader.availableWidgets().contains(QStringLiteral("velk::velkSheet")))
        return textLabel(QStringLiteral("Das Modul in %1 ließ sich nicht laden.").arg(dir), page);
    QBuffer buffer;
    buffer.setData(PropertyBag::checkedUiForm(file.readAll()));
    buffer.open(QIODevice::ReadOnly);
    QWidget *form = loader.load(&buffer, page);
    if (!form)
        return textLabel(QStringLiteral("Das Formular ließ sich nicht laden: %1").arg(loader.errorString()), page);

    auto frameLayout = std::make_shared<StdXML>();
    fill(form, frameLayout);
    // The frame's layout document lives as long as the form.
    QObject::connect(form, &QObject::destroyed, [frameLayout] {});

    StdXML saved;
    try {
        if (QFile::exists(bagFile()) && saved.Load(bagFile()) && saved.Root) {
            const int read = PropertyBag::readForm(form, saved.Root);
            status->setText(QStringLiteral("%1 gespeicherte Eigenschaften aus %2 übernommen.").arg(read).arg(bagFile()));
        } else {
            status->setText(QStringLiteral("Noch keine gespeicherten Eigenschaften (%1).").arg(bagFile()));
        }
    } catch (const std::exception &) {
        status->setText(QStringLiteral("Die Eigenschaften in %1 ließen sich nicht lesen.").arg(bagFile()));
    }

    if (auto *save = form->findChild<velkButton *>(QStringLiteral("cmdEigenschaften"))) {
        QObject::connect(save->events(), &velkButtonEvents::Click, form, [form, status](int, int, int) {
            StdXML bag;
            bag.Version = QStringLiteral("?xml version=\"1.0\" encoding=\"windows-1252\"?");
            const StdXMLNodePtr root = bag.SetRoot(QStringLiteral("FORMULAR"), QString());
            PropertyBag::writeForm(form, root);
            try {
                QDir().mkpath(QFileInfo(bagFile()).absolutePath());
                bag.Save(bagFile());
                status->setText(QStringLiteral("Eigenschaften von %1 Steuerelementen in %2 gespeichert.")
                                    .arg(root->Count())
                                    .arg(bagFile()));
            } catch (const std::exception &) {
                status->setText(QStringLiteral("%1 ließ sich nicht schreiben.").arg(bagFile()));
            }
        });
    }
    if (auto *colour = form->findChild<velkButton *>(QStringLiteral("cmdFarbe"))) {
        auto *title = form->findChild<velkLabel *>(QStringLiteral("lblTitel"));
        QObject::connect(colour->events(), &velkButtonEvents::Click, form, [title](int, int, int) {
            if (!title)
                return;
            size_t next = 0;
            for (size_t i = 0; i < std::size(kTitleColors); ++i) {
                if (title->BackColor2() == kTitleColors[i])
                    next = (i + 1) % std::size(kTitleColors);
            }
            title->setBackColor2(kTitleColors[next]);
        });
    }
    return form;
}

#endif

QWidget *createFormularPage(SampleArchive &, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(textLabel(
        QStringLiteral("Ein Formular aus Qt Designer (formular.ui), zur Laufzeit über das velkGUI-Designer-Modul geladen. "
                       "Spaltenbreiten ziehen oder „Farbe“ wählen, dann „Eigenschaften“: die Werte kommen beim "
                       "nächsten Start zurück."),
        page));
    auto *status = textLabel(QString(), page);
#ifdef VELK_GALLERY_HAS_UITOOLS
    // A small window scrolls the form instead of squeezing it below its minimum size.
    auto *scroll = new QScrollArea(page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(loadForm(scroll, status));
    layout->addWidget(scroll, 1);
#else
    layout->addWidget(textLabel(QStringLiteral("Dieses Programm wurde ohne Qt UiTools gebaut und kann keine "
                                               "Formulare laden."),
                                page),
                      1);
#endif
    layout->addWidget(status);
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Formular", 85, createFormularPage, "",
                  "Ein Formular aus Qt Designer, zur Laufzeit über das velkGUI-Designer-Modul geladen",
                  "Das Formular (formular.ui) enthält Steuerelemente der Bibliothek, wie Qt Designer sie anlegt. "
                  "\"Eigenschaften\" speichert ihre Entwurfseigenschaften im Konfigurationsordner; beim nächsten "
                  "Start liest die Seite sie wieder ein.");
