#include <velk/controls/velkButton.h>
#include <velk/controls/velkLabel.h>
#include <velk/frame/velkFrameControl.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/DesignMode.h>
#include <velk/platform/PictureBox.h>
#include <velk/platform/PropertyBag.h>
#include <velk/sheet/velkSheet.h>
#include <velk/xml/StdXML.h>

#include "support/RecordingCanvas.h"
#include "support/TestSupport.h"
#include "support/WarningCatcher.h"

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QBuffer>
#include <QDir>
#include <QPluginLoader>
#include <QTemporaryDir>
#include <QUiLoader>

using namespace velk;

namespace {

QString pluginDir()
{
    return QStringLiteral(VELK_PLUGIN_DIR "/designer");
}

QDesignerCustomWidgetCollectionInterface *loadCollection()
{
    const QStringList files = QDir(pluginDir()).entryList({QStringLiteral("*velkdesigner*")}, QDir::Files);
    if (files.isEmpty())
        return nullptr;
    QPluginLoader loader(QDir(pluginDir()).filePath(files.first()));
    QObject *instance = loader.instance();
    EXPECT_TRUE(instance) << loader.errorString().toStdString();
    return qobject_cast<QDesignerCustomWidgetCollectionInterface *>(instance);
}

QDesignerCustomWidgetInterface *entryFor(QDesignerCustomWidgetCollectionInterface *collection, const QString &name)
{
    for (QDesignerCustomWidgetInterface *entry : collection->customWidgets()) {
        if (entry->name() == name)
            return entry;
    }
    return nullptr;
}

std::unique_ptr<QWidget> loadUi(const QByteArray &ui, QString *error = nullptr)
{
    QUiLoader loader;
    loader.addPluginPath(pluginDir());
    QBuffer buffer;
    buffer.setData(ui);
    buffer.open(QIODevice::ReadOnly);
    std::unique_ptr<QWidget> form(loader.load(&buffer));
    if (error)
        *error = loader.errorString();
    return form;
}

// A form holding the widget element of an entry's domXml, as Designer drops it.
QByteArray formWith(const QString &domXml)
{
    QString widget = domXml.section(QStringLiteral("<ui language=\"c++\">"), 1).section(QStringLiteral("</ui>"), 0, 0);
    return QStringLiteral("<ui version=\"4.0\"><widget class=\"QWidget\" name=\"Formular\">%1</widget></ui>")
        .arg(widget)
        .toUtf8();
}

bool hasPixel(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
        }
    }
    return false;
}

// Moves the mouse over the control and each of its child widgets, as a pointer passing.
void hoverOver(QWidget *control)
{
    QList<QWidget *> targets = control->findChildren<QWidget *>();
    targets.prepend(control);
    for (QWidget *target : targets) {
        const QPointF centre = QRectF(target->rect()).center();
        QMouseEvent move(QEvent::MouseMove, centre, target->mapToGlobal(centre), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &move);
    }
}

int activeTimers(const QWidget *control)
{
    int active = 0;
    for (const QTimer *timer : control->findChildren<QTimer *>())
        active += timer->isActive() ? 1 : 0;
    return active;
}

} // namespace

TEST(DesignerPlugin, OffersEveryRegisteredControl)
{
    QDesignerCustomWidgetCollectionInterface *collection = loadCollection();
    ASSERT_TRUE(collection);
    QStringList offered;
    for (QDesignerCustomWidgetInterface *entry : collection->customWidgets()) {
        offered << entry->name();
        SCOPED_TRACE(entry->name().toStdString());
        EXPECT_EQ(entry->group(), QStringLiteral("velkGUI"));
        EXPECT_FALSE(entry->toolTip().isEmpty());
        EXPECT_FALSE(entry->whatsThis().isEmpty());
        EXPECT_TRUE(entry->includeFile().startsWith(QStringLiteral("<velk/")));
        EXPECT_FALSE(entry->icon().isNull());
        EXPECT_TRUE(entry->domXml().contains(QStringLiteral("class=\"%1\"").arg(entry->name())));
        EXPECT_TRUE(entry->domXml().contains(QStringLiteral("<width>")));
    }
    QStringList expected;
    for (const QString &name : ControlFactory::classNames())
        expected << QStringLiteral("velk::") + name;
    offered.sort();
    expected.sort();
    EXPECT_EQ(offered, expected);
    EXPECT_TRUE(offered.contains(QStringLiteral("velk::velkButton")));
}

TEST(DesignerPlugin, CreatesWorkingControlsInDesignMode)
{
    QDesignerCustomWidgetCollectionInterface *collection = loadCollection();
    ASSERT_TRUE(collection);
    QDesignerFormEditorInterface core;
    QWidget form;
    form.resize(640, 480);
    for (QDesignerCustomWidgetInterface *entry : collection->customWidgets()) {
        SCOPED_TRACE(entry->name().toStdString());
        entry->initialize(&core);
        QWidget *widget = entry->createWidget(&form);
        ASSERT_TRUE(widget);
        EXPECT_EQ(widget->parentWidget(), &form);
        EXPECT_EQ(QString::fromLatin1(widget->metaObject()->className()), entry->name());
        EXPECT_TRUE(isDesignMode(widget));
        widget->resize(200, 100);
        widget->show();
        EXPECT_FALSE(widget->grab().isNull());
        hoverOver(widget);
        EXPECT_EQ(activeTimers(widget), 0) << "no hover polling in a form designer";
        delete widget;
        entry->initialize(nullptr); // the editor goes away with this test
        QWidget *plain = entry->createWidget(&form);
        EXPECT_FALSE(isDesignMode(plain));
        delete plain;
    }
}

TEST(DesignerPlugin, UiLoaderBuildsAFormWithItsProperties)
{
    const QByteArray ui = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Formular</class>
 <widget class="QWidget" name="Formular">
  <property name="geometry"><rect><x>0</x><y>0</y><width>300</width><height>200</height></rect></property>
  <widget class="velk::velkButton" name="cmdSpeichern">
   <property name="geometry"><rect><x>10</x><y>10</y><width>100</width><height>28</height></rect></property>
   <property name="caption"><string>Speichern</string></property>
   <property name="style"><number>2</number></property>
  </widget>
  <widget class="velk::velkLabel" name="lblTitel">
   <property name="caption"><string>Aktenablage</string></property>
   <property name="ForeColor"><UInt>255</UInt></property>
  </widget>
 </widget>
 <resources/>
 <connections/>
</ui>
)";
    QUiLoader loader;
    loader.addPluginPath(pluginDir());
    EXPECT_TRUE(loader.availableWidgets().contains(QStringLiteral("velk::velkSheet")));
    QBuffer buffer;
    buffer.setData(ui);
    buffer.open(QIODevice::ReadOnly);
    std::unique_ptr<QWidget> form(loader.load(&buffer));
    ASSERT_TRUE(form) << loader.errorString().toStdString();
    auto *button = form->findChild<velkButton *>(QStringLiteral("cmdSpeichern"));
    auto *label = form->findChild<velkLabel *>(QStringLiteral("lblTitel"));
    ASSERT_TRUE(button);
    ASSERT_TRUE(label);
    EXPECT_EQ(button->caption(), QStringLiteral("Speichern"));
    EXPECT_EQ(button->styleNumber(), 2);
    EXPECT_EQ(button->geometry(), QRect(10, 10, 100, 28));
    EXPECT_EQ(label->caption(), QStringLiteral("Aktenablage"));
    EXPECT_EQ(label->ForeColor(), 255u);
    EXPECT_FALSE(isDesignMode(button)) << "a host's form runs normally";
}

TEST(DesignerPlugin, HoverPollingRunsOutsideTheDesigner)
{
    // The counterpart of the design-mode check: the same pass starts polling at run time.
    QWidget form;
    form.resize(300, 100);
    auto *button = new velkButton(&form);
    button->resize(100, 28);
    form.show();
    hoverOver(button);
    EXPECT_EQ(activeTimers(button), 1);
    auto *still = new velkButton(&form);
    setDesignMode(still);
    hoverOver(still);
    EXPECT_EQ(activeTimers(still), 0);
    EXPECT_EQ(still->state(), 1) << "the hot look is drawn, only the polling stays off";
}

TEST(DesignerPlugin, DomXmlStatesDefaultsThatARoundTrip)
{
    QDesignerCustomWidgetCollectionInterface *collection = loadCollection();
    ASSERT_TRUE(collection);
    const QString button = entryFor(collection, QStringLiteral("velk::velkButton"))->domXml();
    EXPECT_TRUE(button.contains(QStringLiteral("<property name=\"caption\"><string>?</string></property>"))) << button.toStdString();
    EXPECT_FALSE(button.contains(QStringLiteral("name=\"style\""))) << "0 is what Designer assumes anyway";
    // Loaded as Designer would write them, the stated values give each control exactly
    // what a new one has.
    for (QDesignerCustomWidgetInterface *entry : collection->customWidgets()) {
        SCOPED_TRACE(entry->name().toStdString());
        QString error;
        std::unique_ptr<QWidget> form = loadUi(formWith(entry->domXml()), &error);
        ASSERT_TRUE(form) << error.toStdString();
        const QList<QWidget *> children = form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        ASSERT_EQ(children.size(), 1);
        QWidget *control = children.first();
        EXPECT_GE(control->width(), 5);
        EXPECT_GE(control->height(), 5);
        QVariantMap bag;
        PropertyBag::write(control, bag);
        EXPECT_TRUE(bag.isEmpty()) << bag.keys().join(u',').toStdString();
    }
}

TEST(DesignerPlugin, FrameShowsBoxesAndSheetItsColumnsInDesignMode)
{
    StdXML layout;
    layout.LoadXML(QStringLiteral("<ROWS><ITEM control=\"velkButton\" height=\"50%\"/><ITEM control=\"velkLabel\"/></ROWS>"));
    velkFrameControl running;
    velkFrameControl designed;
    setDesignMode(&designed);
    Canvas &designedSurface = designed.findChild<PictureBox *>(QStringLiteral("Picture1"))->canvas();
    designedSurface.setRecording(true, false);
    designed.resize(300, 200);
    designed.Refresh();
    EXPECT_TRUE(test::textsOf(designedSurface.recording()).contains(QStringLiteral("velkFrameControl")))
        << "before it has a layout, the frame is one labelled box";
    designedSurface.setRecording(true, false);
    for (velkFrameControl *frame : {&running, &designed}) {
        frame->resize(300, 200);
        frame->Init(layout.Root->Clone(true));
    }
    EXPECT_TRUE(running.findChild<velkButton *>(QStringLiteral("Ctl1")));
    EXPECT_FALSE(designed.findChild<velkButton *>()) << "no snap-ins in a form designer";
    EXPECT_FALSE(designed.findChild<velkLabel *>());
    const QStringList labels = test::textsOf(designed.findChild<PictureBox *>(QStringLiteral("Picture1"))->canvas().recording());
    EXPECT_TRUE(labels.contains(QStringLiteral("velkButton"))) << labels.join(u'|').toStdString();
    EXPECT_TRUE(labels.contains(QStringLiteral("velkLabel")));
    EXPECT_TRUE(labels.filter(QStringLiteral("nicht gefunden")).isEmpty());

    velkSheet plain;
    velkSheet designedSheet;
    setDesignMode(&designedSheet);
    for (velkSheet *sheet : {&plain, &designedSheet}) {
        sheet->resize(300, 150);
        sheet->show();
        sheet->setColumns(QStringLiteral("Name:1500,Datum:1200R"));
    }
    QCoreApplication::processEvents(); // the surfaces are placed once the event loop runs
    const QImage list = designedSheet.findChild<QWidget *>(QStringLiteral("Picture1"))->grab().toImage();
    const QImage plainList = plain.findChild<QWidget *>(QStringLiteral("Picture1"))->grab().toImage();
    ASSERT_FALSE(plainList.isNull());
    EXPECT_NE(list, plainList) << "the columns' captions stand in the empty list";
    designedSheet.AddItem(QStringLiteral("Akte\t01.02.2024"));
    plain.AddItem(QStringLiteral("Akte\t01.02.2024"));
    QCoreApplication::processEvents();
    EXPECT_EQ(designedSheet.findChild<QWidget *>(QStringLiteral("Picture1"))->grab().toImage(),
              plain.findChild<QWidget *>(QStringLiteral("Picture1"))->grab().toImage())
        << "rows replace the preview";
}

TEST(DesignerPlugin, BadPropertiesInAFormAreIgnoredWithAWarning)
{
    const QByteArray ui = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <widget class="QWidget" name="Formular">
  <widget class="velk::velkButton" name="cmdOK">
   <property name="caption"><string>OK</string></property>
   <property name="Farbe"><string>rot</string></property>
   <property name="style"><string>abc</string></property>
   <property name="BorderStyle" stdset="0"><number>2</number></property>
  </widget>
  <widget class="velk::velkSplitter" name="Trenner">
   <property name="MinSize"><number>70000</number></property>
   <property name="Orientation"><number>2</number></property>
  </widget>
 </widget>
</ui>
)";
    WarningCatcher warnings;
    const QByteArray checked = PropertyBag::checkedUiForm(ui);
    EXPECT_EQ(warnings.count(), 4);
    EXPECT_TRUE(warnings.contains(QStringLiteral("Farbe")));
    EXPECT_TRUE(warnings.contains(QStringLiteral("BorderStyle")));
    EXPECT_TRUE(warnings.contains(QStringLiteral("abc")));
    EXPECT_TRUE(warnings.contains(QStringLiteral("70000")));
    EXPECT_FALSE(checked.contains("Farbe"));
    EXPECT_FALSE(checked.contains("abc"));
    EXPECT_FALSE(checked.contains("70000"));
    EXPECT_TRUE(checked.contains("<string>OK</string>"));
    EXPECT_EQ(PropertyBag::checkedUiForm(checked), checked) << "a clean form passes unchanged";

    std::unique_ptr<QWidget> form = loadUi(checked);
    ASSERT_TRUE(form);
    auto *button = form->findChild<velkButton *>(QStringLiteral("cmdOK"));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->caption(), QStringLiteral("OK"));
    EXPECT_EQ(button->styleNumber(), 0);
    EXPECT_FALSE(button->dynamicPropertyNames().contains("Farbe"));
    auto *splitter = form->findChild<QWidget *>(QStringLiteral("Trenner"));
    ASSERT_TRUE(splitter);
    EXPECT_EQ(splitter->property("MinSize").toInt(), 200);
    EXPECT_EQ(splitter->property("Orientation").toInt(), 2);

    // Without the check, Qt's loader would make a misspelt name a dynamic property: the
    // plugin's controls drop it with a warning while the form loads.
    warnings.clear();
    std::unique_ptr<QWidget> unchecked = loadUi(ui);
    ASSERT_TRUE(unchecked);
    auto *raw = unchecked->findChild<velkButton *>(QStringLiteral("cmdOK"));
    ASSERT_TRUE(raw);
    EXPECT_TRUE(raw->dynamicPropertyNames().isEmpty());
    EXPECT_TRUE(warnings.contains(QStringLiteral("Farbe")));
}

TEST(DesignerPlugin, GalleryFormKeepsItsPropertiesInABagFile)
{
    QFile file(QStringLiteral(VELK_TEST_DATA_DIR "/formular.ui"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray ui = file.readAll();
    WarningCatcher warnings;
    EXPECT_EQ(PropertyBag::checkedUiForm(ui), ui) << "the gallery's form is clean";
    EXPECT_EQ(warnings.count(), 0);

    std::unique_ptr<QWidget> first = loadUi(ui);
    ASSERT_TRUE(first);
    auto *sheet = first->findChild<velkSheet *>(QStringLiteral("lstAkten"));
    auto *title = first->findChild<velkLabel *>(QStringLiteral("lblTitel"));
    ASSERT_TRUE(sheet && title);
    EXPECT_EQ(sheet->Columns(), QStringLiteral("Akte:1800,Datum:1300,Betreff:*"));
    EXPECT_EQ(title->caption(), QStringLiteral("Akten im Eingang"));
    sheet->setColumns(QStringLiteral("Akte:2500,!Datum:1300,Betreff:*"));
    title->setBackColor2(rgbColor(128, 0, 0));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("formular-eigenschaften.xml"));
    {
        StdXML bag;
        PropertyBag::writeForm(first.get(), bag.SetRoot(QStringLiteral("FORMULAR"), QString()));
        bag.Save(path);
    }
    std::unique_ptr<QWidget> second = loadUi(ui);
    ASSERT_TRUE(second);
    StdXML bag;
    ASSERT_TRUE(bag.Load(path));
    PropertyBag::readForm(second.get(), bag.Root);
    EXPECT_EQ(second->findChild<velkSheet *>(QStringLiteral("lstAkten"))->Columns(), sheet->Columns());
    EXPECT_EQ(second->findChild<velkLabel *>(QStringLiteral("lblTitel"))->BackColor2(), rgbColor(128, 0, 0));
    EXPECT_EQ(second->findChild<velkButton *>(QStringLiteral("cmdEigenschaften"))->caption(), QStringLiteral("Eigenschaften"));
}
