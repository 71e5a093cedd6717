#include "VelkDesignerPlugin.h"

#include <velk/controls/velkIcon.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/DesignMode.h>
#include <velk/platform/PropertyBag.h>
#include <velk/velkgui.h>

#include <QDebug>
#include <QDynamicPropertyChangeEvent>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSize>

#include <memory>

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
    {"velkMenuPopup", "velk/menu/velkMenuPopup.h", "shortcut", {120, 90}, "Liste von Menüzeilen",
     "Senkrechte Liste von Textzeilen mit mitlaufender Markierung; ein Klick wählt eine Zeile."},
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
    {"velkBoard", "velk/editors/velkBoard.h", "hierarchie", {480, 320}, "Tafel mit Kästen und Verbindungen",
     "Zeigt Kästen, die sich verschieben und miteinander verbinden lassen, und speichert sie als Text."},
    {"velkChart", "velk/views/velkChart.h", "excel", {400, 260}, "Diagramm",
     "Zeichnet Datenreihen mit Titel, Werteachse, Beschriftungen und Legende."},
    {"velkDate", "velk/date/velkDate.h", "date", {192, 88}, "Monats- und Jahresauswahl",
     "Wählt einen Monat, ein Quartal oder ein Jahr und gibt den Zeitraum als Text."},
    {"velkDateControl", "velk/date/velkDateControl.h", "date", {196, 162}, "Kalender für einen Tag",
     "Monatskalender, in dem ein einzelner Tag gewählt wird."},
    {"velkDateSelector", "velk/date/velkDateSelector.h", "schedule", {208, 144}, "Kalender für Zeiträume",
     "Monatskalender, in dem ein Tag, ein Bereich von Tagen, Wochen oder ein ganzer Monat gewählt wird."},
    {"velkFileSelect", "velk/editors/velkFileSelect.h", "openpath", {320, 240}, "Datei- und Ordnerauswahl",
     "Zeigt Laufwerke, Ordner und Dateien als Baum zur Auswahl."},
    {"velkPicScroll", "velk/frame/velkPicScroll.h", "image", {320, 240}, "Bild mit Bereichen",
     "Zeigt ein Bild mit Rollbalken und lässt darauf Bereiche mit Verknüpfungen markieren."},
    {"velkRights", "velk/editors/velkRights.h", "persons", {420, 360}, "Rechte von Benutzern",
     "Bearbeitet eigene und geerbte Rechte von Benutzern und Gruppen."},
    {"velkDBView", "velk/views/velkDBView.h", "table", {560, 360}, "Datenansicht mit Abfrage, Bericht und Grafik",
     "Stellt eine Tabelle als Liste, gruppierten Bericht oder Grafik dar, mit Auswahlfeldern für die Bedingungen."},
    {"velkMultiView", "velk/views/velkMultiView.h", "table", {520, 340}, "Multi-Ansicht: Liste, Grafik, Datenansicht, Tabelle, Vorschau",
     "Zeigt einen Datenbereich wahlweise als Liste, Grafik, Datenansicht, Tabelle oder Druckvorschau, mit Kopfleiste für Auswahl, Zeitraum und neue Einträge."},
    {"velkScala", "velk/preview/velkScala.h", "sort", {150, 19}, "Schieberegler",
     "Waagrechter Schieberegler für eine ganze Zahl zwischen Minimum und Maximum."},
    {"velkSplitter", "velk/frame/velkSplitter.h", "right", {5, 100}, "Trennbalken",
     "Balken, mit dem der Benutzer zwei benachbarte Bereiche gegeneinander verschiebt."},
};

// Qt's form loader sets a property a control does not have as a new dynamic property: in
// a form that is a misspelt or outdated name. While the form loads (until the event loop
// runs again) such a name is dropped with a warning; later the host may use dynamic
// properties as it likes.
class UnknownPropertyGuard : public QObject
{
public:
    explicit UnknownPropertyGuard(QWidget *control)
        : QObject(control)
    {
        control->installEventFilter(this);
        QMetaObject::invokeMethod(this, &QObject::deleteLater, Qt::QueuedConnection);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::DynamicPropertyChange)
            return false;
        const QByteArray name = static_cast<QDynamicPropertyChangeEvent *>(event)->propertyName();
        if (name.startsWith("_q_") || !watched->property(name.constData()).isValid())
            return false;
        qWarning().noquote() << QStringLiteral("%1: unbekannte Eigenschaft \"%2\" ignoriert")
                                    .arg(QString::fromLatin1(watched->metaObject()->className()).section(u':', -1),
                                         QString::fromLatin1(name));
        watched->setProperty(name.constData(), QVariant());
        return false;
    }
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
    else
        new UnknownPropertyGuard(widget);
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
    const QString properties = defaultProperties(); // also finds the size hint
    const QSize size = info ? info->size : m_sizeHint.isValid() ? m_sizeHint : QSize(120, 30);
    QString objectName = m_registeredName;
    objectName[0] = objectName[0].toLower();
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"%1\" name=\"%2\">\n"
                          "  <property name=\"geometry\">\n"
                          "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>\n"
                          "  </property>\n"
                          "%5"
                          " </widget>\n"
                          "</ui>\n")
        .arg(name(), objectName)
        .arg(size.width())
        .arg(size.height())
        .arg(properties);
}

// The stored properties whose initial value is not what Designer would assume for the
// type (an empty text, 0, false), so a new form states them.
QString DesignerEntry::defaultProperties() const
{
    if (m_defaultProperties.isNull()) {
        m_defaultProperties = QStringLiteral("");
        std::unique_ptr<QWidget> sample(ControlFactory::create(m_registeredName));
        if (!sample)
            return m_defaultProperties;
        m_sizeHint = sample->sizeHint();
        const QVariantMap defaults = PropertyBag::defaults(sample.get());
        for (const QString &property : PropertyBag::storedProperties(sample.get())) {
            const QVariant value = defaults.value(property);
            QString element;
            switch (value.metaType().id()) {
            case QMetaType::QString:
                if (!value.toString().isEmpty())
                    element = QStringLiteral("<string>%1</string>").arg(value.toString().toHtmlEscaped());
                break;
            case QMetaType::Bool:
                if (value.toBool())
                    element = QStringLiteral("<bool>true</bool>");
                break;
            case QMetaType::Short:
            case QMetaType::Int:
                if (value.toInt() != 0)
                    element = QStringLiteral("<number>%1</number>").arg(value.toInt());
                break;
            case QMetaType::UInt:
                if (value.toUInt() != 0)
                    element = QStringLiteral("<UInt>%1</UInt>").arg(value.toUInt());
                break;
            case QMetaType::Double:
                if (value.toDouble() != 0)
                    element = QStringLiteral("<double>%1</double>").arg(value.toDouble());
                break;
            default: // a font follows the form
                break;
            }
            if (!element.isEmpty())
                m_defaultProperties += QStringLiteral("  <property name=\"%1\">%2</property>\n").arg(property, element);
        }
    }
    return m_defaultProperties;
}

DesignerCollection::DesignerCollection(QObject *parent)
    : QObject(parent)
{
    // Designer and a host's form loader may not have registered the library's controls;
    // registering them again changes nothing.
    registerBuiltinControls();
    for (const QString &className : ControlFactory::classNames())
        m_entries << new DesignerEntry(className, this);
}

QList<QDesignerCustomWidgetInterface *> DesignerCollection::customWidgets() const
{
    return m_entries;
}

} // namespace velk
