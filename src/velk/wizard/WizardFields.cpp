#include "WizardFields_p.h"

#include <velk/common/Error.h>
#include <velk/common/LeadingNumber_p.h>

namespace velk {

WizardFields::WizardFields()
{
    m_doc.LoadXML(QStringLiteral("<WIZARD pages=\"1\"/>"));
}

int WizardFields::pages() const
{
    return int(LeadingInteger(m_doc.Root->GetAttribute(QStringLiteral("pages"))));
}

void WizardFields::setPages(int pages)
{
    m_doc.Root->SetAttribute(QStringLiteral("pages"), QString::number(pages));
}

StdXMLNodePtr WizardFields::add(const QString &tag, const std::vector<std::pair<QString, QString>> &attributes,
                                int page)
{
    StdXMLNodePtr field = m_doc.CreateElement(tag);
    for (const auto &[name, value] : attributes)
        field->SetAttribute(name, value);
    m_doc.Root->AddChild(field);
    m_byPage[page].push_back(field);
    if (page > pages())
        setPages(page);
    return field;
}

void WizardFields::clearPage(int page)
{
    const auto it = m_byPage.find(page);
    if (it == m_byPage.end())
        return;
    m_byPage.erase(it);
    // One pass over the document keeps the other pages' fields in their order.
    StdXMLNodes &all = m_doc.Root->SubElements();
    StdXMLNodes kept;
    kept.reserve(all.Count());
    for (const StdXMLNodePtr &field : all) {
        if (LeadingInteger(field->GetAttribute(QStringLiteral("page"))) != page)
            kept.Add(field);
    }
    all = std::move(kept);
}

std::vector<StdXMLNodePtr> WizardFields::onPage(int page) const
{
    const auto it = m_byPage.find(page);
    return it == m_byPage.end() ? std::vector<StdXMLNodePtr>() : it->second;
}

StdXMLNodePtr WizardFields::byKey(const QString &key) const
{
    try {
        return m_doc.QuerySingle(QStringLiteral("/WIZARD/*[@key=") + key + u']');
    } catch (const Error &) {
        return nullptr; // a key that breaks the path finds nothing
    }
}

} // namespace velk
