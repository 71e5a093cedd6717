#include <velk/editors/RightsRules_p.h>

#include <QHash>

#include <cmath>

namespace velk::RightsRules {

namespace {
QString cellText(QStringView text)
{
    QString out;
    appendCell(out, text);
    return out;
}

// One line's entries as views into the line (or into the defaults).
std::vector<UserView> entriesOf(QStringView line, QStringView allRights)
{
    std::vector<UserView> users;
    qsizetype pos = 0;
    while (pos <= line.size()) {
        qsizetype end = line.indexOf(u',', pos);
        if (end < 0)
            end = line.size();
        const QStringView entry = line.mid(pos, end - pos);
        pos = end + 1;
        const qsizetype colon = entry.indexOf(u':');
        const QStringView name = colon < 0 ? entry : entry.left(colon);
        if (name.isEmpty())
            continue;
        QStringView letters = colon < 0 ? QStringView() : entry.mid(colon + 1);
        if (letters.isEmpty())
            letters = QStringView(kDefaultRights);
        else if (letters == u"*")
            letters = allRights;
        users.push_back({name, letters, QStringView()});
    }
    return users;
}
} // namespace

bool isRightLetter(QStringView recht)
{
    if (recht.isEmpty())
        return false;
    for (const QChar c : recht) {
        if (c == u',' || c == u':' || c == u'\t' || c == u'\r' || c == u'\n')
            return false;
    }
    return true;
}

void appendCell(QString &out, QStringView v)
{
    const qsizetype from = out.size();
    out.append(v);
    // Tabs and line breaks are rare: scan once, copy nothing more.
    QChar *c = out.data() + from;
    for (QChar *const end = out.data() + out.size(); c != end; ++c) {
        if (*c == u'\t' || *c == u'\r' || *c == u'\n')
            *c = u' ';
    }
}

std::vector<User> readLine(QStringView line, const QString &allRights)
{
    std::vector<User> users;
    for (const UserView &entry : entriesOf(line, allRights))
        users.push_back({cellText(entry.name), cellText(entry.own), QString()});
    return users;
}

std::vector<UserView> readParameterViews(QStringView p, QStringView allRights, bool *hasInherited)
{
    const qsizetype lf = p.indexOf(u'\n');
    QStringView own = lf < 0 ? p : p.left(lf);
    if (own.endsWith(u'\r'))
        own.chop(1);
    QStringView inh = lf < 0 ? QStringView() : p.mid(lf + 1);
    while (inh.endsWith(u'\n') || inh.endsWith(u'\r'))
        inh.chop(1);
    if (hasInherited)
        *hasInherited = !inh.isEmpty();

    std::vector<UserView> users = entriesOf(own, allRights);
    QHash<QStringView, size_t> byName;
    byName.reserve(qsizetype(users.size()));
    for (size_t i = 0; i < users.size(); ++i) {
        if (!byName.contains(users[i].name))
            byName.insert(users[i].name, i);
    }
    for (const UserView &entry : entriesOf(inh, allRights)) {
        const auto it = byName.constFind(entry.name);
        if (it != byName.constEnd()) {
            users[it.value()].inherited = entry.own;
            continue;
        }
        byName.insert(entry.name, users.size());
        users.push_back({entry.name, QStringView(), entry.own});
    }
    return users;
}

std::vector<User> readParameter(QStringView p, const QString &allRights, bool *hasInherited)
{
    std::vector<User> users;
    for (const UserView &user : readParameterViews(p, allRights, hasInherited))
        users.push_back({cellText(user.name), cellText(user.own), cellText(user.inherited)});
    return users;
}

QString entryOf(const QString &name, const QString &own, const QString &allRights)
{
    if (own == QStringView(kDefaultRights))
        return name;
    if (own == allRights)
        return name + QStringLiteral(":*");
    return name + u':' + own;
}

QString writeParameter(const std::vector<User> &users, const QString &allRights)
{
    QString out;
    for (const User &user : users) {
        if (!user.own.isEmpty())
            out += u',' + entryOf(user.name, user.own, allRights);
    }
    // Every entry was written behind a ","; the first one goes.
    return out.mid(1);
}

int checkState(const QString &t, bool userSelected, const QString &own, const QString &inherited)
{
    if (!userSelected || t.isEmpty())
        return 1;
    if (own.contains(t))
        return 2;
    if (own.contains(t.toUpper()))
        return 1;
    if (inherited.contains(t))
        return 12;
    return inherited.isEmpty() ? 1 : 11;
}

QString toggled(const QString &t, const QString &own, const QString &inherited, const QString &allRights)
{
    if (t.isEmpty())
        return own;
    QString result = own;
    if (own.contains(t)) {
        result.replace(t, inherited.isEmpty() ? QString() : t.toUpper());
        return result;
    }
    const QString upper = t.toUpper();
    if (own.contains(upper)) {
        result.remove(upper);
        return result;
    }
    // Insert before the first letter of `own` registered after `t`; a denial counts by
    // its letter, so it keeps its place too.
    const qsizetype at = allRights.indexOf(t);
    if (at < 0 || own.isEmpty())
        return result + t;
    const QStringView later = QStringView(allRights).mid(at + t.size());
    for (qsizetype i = 0; i < own.size(); ++i) {
        if (later.contains(own.at(i).toLower())) {
            result.insert(i, t);
            return result;
        }
    }
    return result + t;
}

Layout layoutOf(int W, int H, int bw, int fullHeight)
{
    constexpr int kTop = 240;       // free strip above the user list
    constexpr int kLabelGap = 360;  // user list bottom to label top
    constexpr int kRightsGap = 600; // user list bottom to right list top
    int lower = int(std::nearbyint((double(H) - kTop - kLabelGap) / 2.0)); // halves to even
    int upper = lower;
    if (lower > fullHeight) {
        lower = fullHeight;
        upper = H - kRightsGap - lower;
    }
    const int width = W - bw - 120;
    Layout l;
    l.users = QRect(0, kTop, width, upper);
    l.label = QRect(0, upper + kLabelGap, width, kRightsGap - kLabelGap);
    l.rights = QRect(0, upper + kRightsGap, width, lower);
    l.buttonLeft = W - bw;
    return l;
}

} // namespace velk::RightsRules
