#pragma once

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QObject>
#include <QSize>

namespace velk {

/// One control in Designer's widget box. Built from a name in ControlFactory's list, so
/// every registered control has an entry.
class DesignerEntry : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    DesignerEntry(const QString &registeredName, QObject *parent);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QWidget *createWidget(QWidget *parent) override;
    bool isInitialized() const override;
    void initialize(QDesignerFormEditorInterface *core) override;
    QString domXml() const override;

private:
    QString defaultProperties() const;

    QString m_registeredName;
    mutable QString m_defaultProperties; ///< null until first asked
    mutable QSize m_sizeHint;
    // Set when Designer itself initializes the entry; QUiLoader passes no editor, and its
    // controls run normally.
    QDesignerFormEditorInterface *m_core = nullptr;
    bool m_initialized = false;
};

/// The velkGUI controls for Qt Designer and QUiLoader.
class DesignerCollection : public QObject, public QDesignerCustomWidgetCollectionInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
    explicit DesignerCollection(QObject *parent = nullptr);
    QList<QDesignerCustomWidgetInterface *> customWidgets() const override;

private:
    QList<QDesignerCustomWidgetInterface *> m_entries;
};

} // namespace velk
