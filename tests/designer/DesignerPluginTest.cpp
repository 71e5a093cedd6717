#include <velk/controls/velkButton.h>
#include <velk/controls/velkLabel.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/DesignMode.h>

#include "support/TestSupport.h"

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QBuffer>
#include <QDir>
#include <QPluginLoader>
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
