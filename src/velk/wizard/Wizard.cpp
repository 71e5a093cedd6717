#include "Wizard.h"

#include "WizardFields_p.h"
#include "WizardForm_p.h"

#include <velk/platform/Dialogs.h>

namespace velk {

struct Wizard::Private
{
    WizardEvents *events = nullptr;
    WizardFields fields;
    std::unique_ptr<WizardFormDialog> form;
};

Wizard::Wizard(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>())
{
    d->events = new WizardEvents(this);
    d->events->setObjectName(QStringLiteral("events"));
    d->form = std::make_unique<WizardFormDialog>(d->fields, *d->events);
}

Wizard::~Wizard() = default;

WizardEvents *Wizard::events() const
{
    return d->events;
}

int Wizard::Count() const
{
    return d->fields.pages();
}

void Wizard::setCount(int pages)
{
    d->fields.setPages(pages);
    d->form->updateNavigation();
}

void Wizard::AddText(const QString &key, const QString &wert, const QString &label, int page, const QString &Options)
{
    d->fields.add(QStringLiteral("TEXT"),
                  {{QStringLiteral("key"), key}, {QStringLiteral("value"), wert}, {QStringLiteral("label"), label},
                   {QStringLiteral("page"), QString::number(page)}, {QStringLiteral("options"), Options}},
                  page);
}

void Wizard::AddTextArea(const QString &key, const QString &wert, const QString &label, int page,
                         const QString &Options)
{
    d->fields.add(QStringLiteral("TEXTAREA"),
                  {{QStringLiteral("key"), key}, {QStringLiteral("value"), wert}, {QStringLiteral("label"), label},
                   {QStringLiteral("page"), QString::number(page)}, {QStringLiteral("options"), Options}},
                  page);
}

void Wizard::AddOption(const QString &key, const QString &wert, const QString &caption, int page,
                       const QString &Options)
{
    d->fields.add(QStringLiteral("OPTION"),
                  {{QStringLiteral("key"), key}, {QStringLiteral("value"), wert}, {QStringLiteral("caption"), caption},
                   {QStringLiteral("page"), QString::number(page)}, {QStringLiteral("options"), Options}},
                  page);
}

void Wizard::AddCheckbox(const QString &key, const QString &wert, const QString &caption, int page,
                         const QString &Options)
{
    d->fields.add(QStringLiteral("CHECKBOX"),
                  {{QStringLiteral("key"), key}, {QStringLiteral("value"), wert}, {QStringLiteral("caption"), caption},
                   {QStringLiteral("page"), QString::number(page)}, {QStringLiteral("options"), Options}},
                  page);
}

void Wizard::AddCombo(const QString &key, const QString &wert, const QString &Liste, const QString &label, int page,
                      const QString &Options)
{
    d->fields.add(QStringLiteral("COMBO"),
                  {{QStringLiteral("key"), key}, {QStringLiteral("value"), wert}, {QStringLiteral("liste"), Liste},
                   {QStringLiteral("label"), label}, {QStringLiteral("page"), QString::number(page)},
                   {QStringLiteral("options"), Options}},
                  page);
}

void Wizard::AddSheet(const QString &key, const QString &wert, const QString &Liste, const QString &label, int page,
                      const QString &Options)
{
    d->fields.add(QStringLiteral("SHEET"),
                  {{QStringLiteral("key"), key}, {QStringLiteral("value"), wert}, {QStringLiteral("liste"), Liste},
                   {QStringLiteral("label"), label}, {QStringLiteral("page"), QString::number(page)},
                   {QStringLiteral("options"), Options}},
                  page);
}

void Wizard::AddLabel(const QString &label, int page, const QString &Options)
{
    d->fields.add(QStringLiteral("LABEL"),
                  {{QStringLiteral("label"), label}, {QStringLiteral("page"), QString::number(page)},
                   {QStringLiteral("options"), Options}},
                  page);
}

void Wizard::AddControl(const QString &key, const QString &wert, const QString &ctl, const QString &par,
                        const QString &label, int page, const QString &Options)
{
    d->fields.add(QStringLiteral("CONTROL"),
                  {{QStringLiteral("key"), key}, {QStringLiteral("value"), wert}, {QStringLiteral("control"), ctl},
                   {QStringLiteral("parameter"), par}, {QStringLiteral("label"), label},
                   {QStringLiteral("page"), QString::number(page)}, {QStringLiteral("options"), Options}},
                  page);
}

void Wizard::ClearPage(int page)
{
    d->fields.clearPage(page);
}

bool Wizard::Show(const QString &cap)
{
    d->form->setWindowTitle(cap);
    d->form->start(1);
    Dialogs::instance().exec(*d->form);
    // Closed some other way than by its buttons (the seam's runner, the window manager).
    if (d->form->currentPage() > 0)
        d->form->reject();
    return d->form->property("Tag").toString() == u"*";
}

QString Wizard::GetValue(const QString &key) const
{
    const StdXMLNodePtr field = d->fields.byKey(key);
    // A key that bends the path ("]", "/", "..") may find another element: only an exact
    // key counts.
    if (key.isEmpty() || !field || field->GetAttribute(QStringLiteral("key")) != key)
        return QStringLiteral("???");
    return field->GetAttribute(QStringLiteral("value"));
}

QString Wizard::GetValues() const
{
    QString out;
    for (const StdXMLNodePtr &field : d->fields.document().Root->SubElements()) {
        const QString key = field->GetAttribute(QStringLiteral("key"));
        if (key.isEmpty())
            continue;
        out += key;
        out += u'=';
        out += field->GetAttribute(QStringLiteral("value"));
        out += QStringLiteral("\r\n");
    }
    return out;
}

void Wizard::AddSheetItem(const QString &key, const QString &wert, const QString &lst)
{
    d->form->addSheetRows(key, wert, lst);
}

const StdXML &wizardDocument(const Wizard &wizard)
{
    return wizard.d->fields.document();
}

QDialog *Wizard::WizardForm() const
{
    return d->form.get();
}

} // namespace velk
