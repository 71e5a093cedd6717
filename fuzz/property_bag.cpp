// Property-bag XML of any shape read into a small form, written out and read into a
// second form: both forms must then hold the same stored values. The same text as a
// Designer form: checking it twice changes nothing more than checking it once.

#include <velk/controls/velkButton.h>
#include <velk/controls/velkLabel.h>
#include <velk/platform/PropertyBag.h>
#include <velk/xml/StdXML.h>

#include <QApplication>
#include <QMetaProperty>

#include "TextFuzzing.h"

using namespace velk;

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

struct Form
{
    QWidget widget;
    velkButton *button = new velkButton(&widget);
    velkLabel *label = new velkLabel(&widget);
    Form()
    {
        button->setObjectName(QStringLiteral("cmdOK"));
        label->setObjectName(QStringLiteral("lblTitel"));
    }
};

QVariant comparable(QVariant value)
{
    if (value.metaType().id() == QMetaType::QString)
        return value.toString().remove(u'\r');
    return value;
}

void checkSame(const QObject *a, const QObject *b)
{
    for (const QString &name : PropertyBag::storedProperties(a)) {
        const QByteArray key = name.toLatin1();
        if (a->property(key).metaType().id() == QMetaType::QFont)
            continue; // a font text may name a family the machine resolves differently
        fuzzCheck(comparable(a->property(key)) == comparable(b->property(key)), "a stored value survives the round trip");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_property_bag";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quiet);
        return new QApplication(argc, argv);
    }();
    Q_UNUSED(app);

    const QByteArray ui(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray checked = PropertyBag::checkedUiForm(ui);
    fuzzCheck(PropertyBag::checkedUiForm(checked) == checked, "a checked form passes unchanged");

    StdXML doc;
    doc.LoadXML(fuzzText(data, size));
    if (!doc.Root)
        return 0;
    Form first;
    PropertyBag::readForm(&first.widget, doc.Root);

    StdXMLNodePtr written = StdXMLNode::create();
    written->Tag = QStringLiteral("Formular");
    PropertyBag::writeForm(&first.widget, written);
    Form second;
    PropertyBag::readForm(&second.widget, written);
    checkSame(first.button, second.button);
    checkSame(first.label, second.label);
    return 0;
}
