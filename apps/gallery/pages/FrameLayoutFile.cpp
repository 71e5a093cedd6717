#include "FrameLayoutFile.h"

#include <velk/common/Error.h>
#include <velk/platform/SettingsStore.h>

#include <QDir>
#include <QFile>

FrameLayoutFile::FrameLayoutFile(const QString &fileName, const QString &shippedFile, const QString &fallbackXml)
    : m_fileName(fileName)
    , m_shippedFile(shippedFile)
    , m_fallbackXml(fallbackXml)
{
}

QString FrameLayoutFile::userFile() const
{
    return QDir(velk::SettingsStore::defaultDirectory()).filePath(m_fileName);
}

velk::StdXMLNodePtr FrameLayoutFile::load()
{
    const QString user = userFile();
    for (const QString &file : {user, m_shippedFile}) {
        if (QFile::exists(file) && m_document.Load(file) && m_document.Root && m_document.Root->Count() > 0) {
            m_isEdited = file == user;
            return m_document.Root->Item(1);
        }
    }
    m_isEdited = false;
    m_document.LoadXML(m_fallbackXml);
    return m_document.Root ? m_document.Root->Item(1) : nullptr;
}

bool FrameLayoutFile::save()
{
    m_error.clear();
    if (!m_document.Root) {
        m_error = QStringLiteral("Es ist kein Layout geladen.");
        return false;
    }
    QDir().mkpath(velk::SettingsStore::defaultDirectory());
    try {
        m_document.Save(userFile());
    } catch (const velk::Error &) {
        m_error = QStringLiteral("Das Layout konnte nicht gespeichert werden: %1").arg(userFile());
        return false;
    }
    m_isEdited = true;
    return true;
}

velk::StdXMLNodePtr FrameLayoutFile::reset()
{
    m_error.clear();
    if (QFile::exists(userFile()) && !QFile::remove(userFile()))
        m_error = QStringLiteral("Das bearbeitete Layout konnte nicht entfernt werden: %1").arg(userFile());
    return load();
}
