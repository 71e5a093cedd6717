#include <velk/velkgui.h>

#include <QApplication>
#include <cstdio>

// A host that uses the installed headers and library: it must compile, link and run.
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QString definition = QStringLiteral("Name|Datum|Betrag");
    const QString first = velk::GetToken(definition, QStringLiteral("|"));
    if (first != QStringLiteral("Name") || definition != QStringLiteral("Datum|Betrag")) {
        std::fprintf(stderr, "unexpected token helper result\n");
        return 1;
    }
    return 0;
}
