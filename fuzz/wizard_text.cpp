// Wizard field texts: option lines, list lines and keys of any shape. The input is split
// at its first two NUL-free "\x01" marks into options, a list and a key.

#include <velk/wizard/Wizard.h>
#include <velk/wizard/WizardText_p.h>

#include <QApplication>

#include "TextFuzzing.h"

using namespace velk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_wizard_text";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    Q_UNUSED(app);

    const QString text = fuzzText(data, size);
    const QStringList parts = text.split(u'\x01');
    const QString options = parts.value(0);
    const QString liste = parts.value(1);
    const QString key = parts.value(2);

    // An option named by a line's own name is found, with "-" for a bare name.
    for (QStringView line : WizardText::lines(options)) {
        const qsizetype eq = line.indexOf(u'=');
        const QString found = WizardText::option(options, eq < 0 ? line : line.first(eq));
        fuzzCheck(eq >= 0 || !found.isEmpty(), "a bare option name reads as -");
        break;
    }
    for (QStringView line : WizardText::lines(liste)) {
        const auto row = WizardText::listLine(line);
        fuzzCheck(!row.text.contains(u'\n'), "a list line holds no line break");
    }

    // Whatever the texts, the field document keeps them and the key is answered.
    Wizard w;
    w.AddSheet(key, liste, liste, options, 2, options);
    w.AddCombo(key + u'x', key, liste, key, 1, options);
    fuzzCheck(w.Count() == 2, "page count");
    // Values lose CR on the way through the document; line feeds come back as CR LF.
    QString expected = liste;
    expected.remove(u'\r');
    expected.replace(u'\n', QStringLiteral("\r\n"));
    const QString value = w.GetValue(key);
    fuzzCheck(value == QStringLiteral("???") || value == expected, "GetValue answers the value or ???");
    w.ClearPage(2);
    fuzzCheck(w.GetValue(key) == QStringLiteral("???"), "cleared");
    return 0;
}
