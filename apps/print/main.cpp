// velk-print: turns a page text and a replacement list into a PDF file, for scripts and
// servers. No display is needed.
//
//   velk-print PAGETEXT [-r REPLACEMENTS] -o OUT.pdf [--date DD.MM.YYYY] [--time HH:MM:SS]
//
// Exit codes: 0 written, 1 wrong arguments, 2 an input file could not be read,
// 3 the PDF could not be written.

#include <velk/common/TextFile.h>
#include <velk/preview/PagePrint.h>
#include <velk/platform/Printer.h>

#include <QDateTime>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

namespace {

enum ExitCode { Written = 0, WrongArguments = 1, Unreadable = 2, Unwritable = 3 };

const char *const usage =
    "Aufruf: velk-print SEITENTEXT [-r ERSETZUNGEN] -o AUSGABE.pdf [--date TT.MM.JJJJ] [--time HH:MM:SS]\n";

struct Arguments
{
    QString pageText, replacements, output, date, time;
};

void say(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
}

bool parse(const QStringList &args, Arguments &out)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        auto value = [&](QString &into) {
            if (i + 1 >= args.size())
                return false;
            into = args[++i];
            return true;
        };
        if (a == QLatin1String("-r") || a == QLatin1String("--replacements")) {
            if (!value(out.replacements))
                return false;
        } else if (a == QLatin1String("-o") || a == QLatin1String("--output")) {
            if (!value(out.output))
                return false;
        } else if (a == QLatin1String("--date")) {
            if (!value(out.date))
                return false;
        } else if (a == QLatin1String("--time")) {
            if (!value(out.time))
                return false;
        } else if (a.startsWith(u'-') || !out.pageText.isEmpty()) {
            return false;
        } else {
            out.pageText = a;
        }
    }
    return !out.pageText.isEmpty() && !out.output.isEmpty();
}

} // namespace

int main(int argc, char *argv[])
{
    // Fonts and PDF output need a GUI application, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    Arguments args;
    if (!parse(app.arguments(), args)) {
        say(QString::fromLatin1(usage));
        return WrongArguments;
    }
    QDateTime clock = QDateTime::currentDateTime();
    if (!args.date.isEmpty()) {
        const QDate date = QDate::fromString(args.date, QStringLiteral("dd.MM.yyyy"));
        if (!date.isValid()) {
            say(QStringLiteral("Ungültiges Datum: %1 (erwartet TT.MM.JJJJ)\n").arg(args.date));
            return WrongArguments;
        }
        clock.setDate(date);
    }
    if (!args.time.isEmpty()) {
        const QTime time = QTime::fromString(args.time, QStringLiteral("hh:mm:ss"));
        if (!time.isValid()) {
            say(QStringLiteral("Ungültige Uhrzeit: %1 (erwartet HH:MM:SS)\n").arg(args.time));
            return WrongArguments;
        }
        clock.setTime(time);
    }
    const auto text = velk::TextFile::read(args.pageText);
    if (!text) {
        say(QStringLiteral("Seitentext nicht lesbar: %1\n").arg(args.pageText));
        return Unreadable;
    }
    QString replacements;
    if (!args.replacements.isEmpty()) {
        const auto list = velk::TextFile::read(args.replacements);
        if (!list) {
            say(QStringLiteral("Ersetzungsliste nicht lesbar: %1\n").arg(args.replacements));
            return Unreadable;
        }
        replacements = *list;
    }
    velk::PdfPrinter printer(args.output);
    const int pages = velk::PrintPageText(*text, replacements, printer, QStringLiteral("Drucken"), clock);
    if (pages < 0) {
        say(QStringLiteral("PDF nicht schreibbar: %1\n").arg(args.output));
        return Unwritable;
    }
    std::printf("%s: %d %s\n", args.output.toLocal8Bit().constData(), pages, pages == 1 ? "Seite" : "Seiten");
    return Written;
}
