#include "VelkDesignerPlugin.h"

#include <velk/controls/velkIcon.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/DesignMode.h>

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSize>

namespace velk {
namespace {

// What Designer shows for a control. Controls that land later without a row here still
// get an entry with the general texts below.
struct EntryInfo
{
    const char *name;
    const char *header;
    const char *icon;
    QSize size;
    const char *toolTip;
    const char *whatsThis;
};

const EntryInfo kInfos[] = {
    {"velkSheet", "velk/sheet/velkSheet.h", "table", {320, 200}, "Tabelle mit Spalten, Sortierung und Bearbeitung",
     "Zeigt Zeilen in Spalten an, die sich sortieren, auswählen und direkt bearbeiten lassen."},
    {"velkMenuBar", "velk/menu/velkMenuBar.h", "properties", {320, 24}, "Menüleiste",
     "Menüleiste, deren Einträge aus einer Menübeschreibung entstehen."},
    {"velkMenuPopup", "velk/menu/velkMenuPopup.h", "shortcut", {24, 24}, "Kontextmenü",
     "Unsichtbarer Träger eines Kontextmenüs, das zur Laufzeit aufklappt."},
    {"velkButton", "velk/controls/velkButton.h", "ok", {100, 28}, "Schaltfläche mit Symbol",
     "Schaltfläche mit Beschriftung und Symbol aus dem Symbolvorrat."},
    {"velkIcon", "velk/controls/velkIcon.h", "image", {16, 16}, "Symbolvorrat",
     "Hält die Symbole der Bibliothek und zeichnet sie für andere Steuerelemente."},
    {"velkLabel", "velk/controls/velkLabel.h", "text", {160, 24}, "Beschriftung mit Farbverlauf",
     "Beschriftung mit Hintergrundverlauf, Rahmen und optionalem Menü."},
    {"velkFrameControl", "velk/frame/velkFrameControl.h", "topic", {400, 300}, "Rahmen für Erweiterungen",
     "Teilt eine Fläche nach einer Layoutbeschreibung auf und nimmt darin Erweiterungen auf."},
    {"velkPreView", "velk/preview/velkPreView.h", "preview", {320, 400}, "Seitenvorschau",
     "Zeigt Druckseiten als Vorschau mit Blättern und Zoom."},
    {"velkUmfang", "velk/editors/velkUmfang.h", "filter", {320, 160}, "Umfang: ein- und ausgeschlossene Dateien",
     "Bearbeitet Regeln, welche Dateien eingeschlossen und welche ausgeschlossen werden."},
    {"velkEval", "velk/editors/velkEval.h", "keyword", {160, 40}, "Bewertung",
     "Wählt eine Bewertung oder einen Bereich von Bewertungen auf fünf Balken."},
    {"velkKeywords", "velk/editors/velkKeywords.h", "keyword", {240, 300}, "Keywords nach Themen",
     "Liste von Keywords nach Themen, die sich durch Ankreuzen auswählen lassen."},
    {"velkKeyword", "velk/editors/velkKeyword.h", "keyword", {320, 50}, "Keyword-Leiste",
     "Die meistgewählten Keywords als Schaltflächen, alle weiteren in einer Aufklappliste."},
    {"velkAction", "velk/editors/velkAction.h", "task", {240, 60}, "Aktion für eine Datei",
     "Wählt, was mit einer Datei geschieht, und gibt es als Aktionstext."},
};

const EntryInfo *infoFor(const QString &name)
{
    for (const EntryInfo &info : kInfos) {
        if (name == QLatin1String(info.name))
            return &info;
    }
    return nullptr;
}

} // namespace

DesignerEntry::DesignerEntry(const QString &registeredName, QObject *parent)
    : QObject(parent)
    , m_registeredName(registeredName)
{
}

QString DesignerEntry::name() const
{
    return m_registeredName.contains(u':') ? m_registeredName : QStringLiteral("velk::") + m_registeredName;
}

QString DesignerEntry::group() const
{
    return QStringLiteral("velkGUI");
}

QString DesignerEntry::toolTip() const
{
    const EntryInfo *info = infoFor(m_registeredName);
    return info ? QString::fromUtf8(info->toolTip) : QStringLiteral("velkGUI-Steuerelement %1").arg(m_registeredName);
}

QString DesignerEntry::whatsThis() const
{
    const EntryInfo *info = infoFor(m_registeredName);
    return info ? QString::fromUtf8(info->whatsThis)
                : QStringLiteral("Das Steuerelement %1 aus der Bibliothek velkGUI.").arg(m_registeredName);
}

QString DesignerEntry::includeFile() const
{
    const EntryInfo *info = infoFor(m_registeredName);
    // The umbrella header declares every public control, also those without a row above.
    return QStringLiteral("<%1>").arg(info ? QString::fromLatin1(info->header) : QStringLiteral("velk/velkgui.h"));
}

QIcon DesignerEntry::icon() const
{
    const EntryInfo *info = infoFor(m_registeredName);
    velkIcon icons;
    const int number = icons.IconNr(info ? QString::fromLatin1(info->icon) : QStringLiteral("control"));
    QPixmap pixmap(velkIcon::CellSize, velkIcon::CellSize);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    icons.Paint(painter, 0, 0, number, 0);
    painter.end();
    return QIcon(pixmap);
}

bool DesignerEntry::isContainer() const
{
    return false;
}

QWidget *DesignerEntry::createWidget(QWidget *parent)
{
    QString error;
    QWidget *widget = ControlFactory::create(m_registeredName, parent, &error);
    if (!widget) {
        qWarning().noquote() << QStringLiteral("velkGUI: %1 nicht erzeugt: %2").arg(m_registeredName, error);
        return nullptr;
    }
    if (m_core)
        setDesignMode(widget);
    return widget;
}

bool DesignerEntry::isInitialized() const
{
    return m_initialized;
}

// Designer calls this once with its form editor; a null editor (or a second call with
// none) leaves the entry creating ordinary controls.
void DesignerEntry::initialize(QDesignerFormEditorInterface *core)
{
    m_core = core;
    m_initialized = true;
}

QString DesignerEntry::domXml() const
{
    const EntryInfo *info = infoFor(m_registeredName);
    const QSize size = info ? info->size : QSize(120, 30);
    QString objectName = m_registeredName;
    objectName[0] = objectName[0].toLower();
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"%1\" name=\"%2\">\n"
                          "  <property name=\"geometry\">\n"
                          "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>\n"
                          "  </property>\n"
                          " </widget>\n"
                          "</ui>\n")
        .arg(name(), objectName)
        .arg(size.width())
        .arg(size.height());
}

DesignerCollection::DesignerCollection(QObject *parent)
    : QObject(parent)
{
    for (const QString &className : ControlFactory::classNames())
        m_entries << new DesignerEntry(className, this);
}

QList<QDesignerCustomWidgetInterface *> DesignerCollection::customWidgets() const
{
    return m_entries;
}

} // namespace velk
