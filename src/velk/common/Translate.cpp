#include "Translate.h"

#include "Collection.h"
#include "PathHelpers.h"
#include "StringHelpers.h"
#include "TextFile.h"

#include <QHash>

namespace velk {
namespace {

// The built-in texts the library's own controls ask for. Other numbers have no built-in
// text; a language file supplies them.
const QHash<int, QString> &builtInTexts()
{
    static const QHash<int, QString> table = {
        {2014, QStringLiteral("keine Aktion")},
        {2017, QStringLiteral("Löschen")},
        {2033, QStringLiteral("Keywords")},
        {3051, QStringLiteral("Das Keyword von allen Items umbenennen?")},
        {3052, QStringLiteral("Datei aktualisieren")},
        {3053, QStringLiteral("Datei aus dem Sync-Folder laden")},
        {3054, QStringLiteral("Datei aus Liste entfernen")},
        {3056, QStringLiteral("Datei im Sync-Folder löschen")},
        {3057, QStringLiteral("Datei in den Sync-Folder laden")},
        {3058, QStringLiteral("Datei lokal löschen")},
        {3104, QStringLiteral("Keyword")},
        {3105, QStringLiteral("Keyword umbenennen")},
        {3137, QStringLiteral("neu")},
        {3139, QStringLiteral("neues Keyword")},
        {3202, QStringLiteral("wird nicht synchonisiert")},
        {3279, QStringLiteral("Vorschlag")},
        {3280, QStringLiteral("automatisch durchführen")},
        {3299, QStringLiteral("Datei von Verz.2 nach Verz.1 kopieren")},
        {3300, QStringLiteral("Datei von Verz.1 nach Verz.2 kopieren")},
        {3301, QStringLiteral("Datei in Verz.2 löschen")},
        {3302, QStringLiteral("Datei in Verz.1 löschen")},
    };
    return table;
}

// The language state of the library: one per process, used on the UI thread only.
struct LanguageState
{
    bool active = false;
    Collection<QString> texts; // key: the number in decimal ("2017")
};

LanguageState &language()
{
    static LanguageState state;
    return state;
}

bool isDigits(const QString &s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

} // namespace

QString Translate(int id)
{
    const LanguageState &state = language();
    if (state.active) {
        const QString *text = state.texts.Item(QString::number(id));
        return text ? *text : QStringLiteral("???");
    }
    return builtInTexts().value(id);
}

bool LoadLanguage(const QString &path)
{
    const std::optional<QString> content = TextFile::read(NativePath(path));
    if (!content)
        return false;
    Collection<QString> texts;
    QString rest = *content;
    while (!rest.isEmpty()) {
        const QString line = GetLine(rest);
        if (TrimBlanks(line).startsWith(u'#'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString number = TrimBlanks(line.left(eq));
        bool ok = false;
        const uint id = number.toUInt(&ok);
        if (!isDigits(number) || !ok || id > 0xFFFF)
            continue;
        const QString key = QString::number(id);
        const QString text = UnescapeText(TrimBlanks(line.mid(eq + 1)));
        if (QString *existing = texts.Item(key))
            *existing = text;
        else
            texts.Add(text, key);
    }
    LanguageState &state = language();
    state.texts = std::move(texts);
    state.active = true;
    return true;
}

void UnloadLanguage()
{
    LanguageState &state = language();
    state.active = false;
    state.texts.Clear();
}

bool IsLanguageActive()
{
    return language().active;
}

} // namespace velk
