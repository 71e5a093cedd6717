#pragma once

#include <velk/xml/StdXML.h>

#include <QString>

#include <map>
#include <utility>
#include <vector>

namespace velk {

/// The field store of a wizard: the XML document that holds every field as an element
/// of `WIZARD`, and an index of the fields by page, kept right by every add and clear,
/// so that showing a page touches only that page's fields.
class VELK_TESTS_EXPORT WizardFields
{
public:
    WizardFields();

    StdXML &document() { return m_doc; }
    const StdXML &document() const { return m_doc; }

    int pages() const;
    void setPages(int pages);

    /// Appends a `tag` element with `attributes` set in order; raises the page count when
    /// `page` is above it. Returns the new field.
    StdXMLNodePtr add(const QString &tag, const std::vector<std::pair<QString, QString>> &attributes, int page);
    /// Removes the fields of `page` from the document and the index.
    void clearPage(int page);
    /// The fields of `page`, in document order (a copy: handlers may change the store).
    std::vector<StdXMLNodePtr> onPage(int page) const;

    /// The first field whose key is `key`, found by the document's own query path; null
    /// when none or when the key makes no valid path.
    StdXMLNodePtr byKey(const QString &key) const;

private:
    StdXML m_doc;
    std::map<int, std::vector<StdXMLNodePtr>> m_byPage;
};

class Wizard;
/// The field document of `wizard`, for tests.
VELK_TESTS_EXPORT const StdXML &wizardDocument(const Wizard &wizard);

} // namespace velk
