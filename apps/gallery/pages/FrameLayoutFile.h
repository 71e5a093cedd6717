#pragma once

#include <velk/xml/StdXML.h>

#include <QString>

/// The layout document of a frame page: the user's edited copy in the settings folder
/// when there is one, else the one shipped with the gallery, else a built-in text. Saving
/// writes the user's copy with StdXML::Save, so the next start shows the edited layout;
/// resetting removes that copy and goes back to the shipped layout.
class FrameLayoutFile
{
public:
    /// `fileName` names the user's copy in the settings folder; `shippedFile` is the full
    /// path of the shipped layout; `fallbackXml` is used when neither can be read.
    FrameLayoutFile(const QString &fileName, const QString &shippedFile, const QString &fallbackXml);

    /// Loads the layout and returns the element the frame shows (the root's first child).
    velk::StdXMLNodePtr load();
    /// Writes the document, with the edits made on its tree, to the user's copy; false
    /// (and errorText() says why) when it cannot be written.
    bool save();
    /// Removes the user's copy and loads the shipped layout; returns the element to show.
    velk::StdXMLNodePtr reset();

    /// Whether the layout shown is the user's edited copy.
    bool isEdited() const { return m_isEdited; }
    /// The user's copy: the file name in the settings folder ($VELK_CONFIG_DIR or the
    /// user's config folder).
    QString userFile() const;
    QString errorText() const { return m_error; }

private:
    QString m_fileName;
    QString m_shippedFile;
    QString m_fallbackXml;
    velk::StdXML m_document;
    bool m_isEdited = false;
    QString m_error;
};
