#include "WizardText_p.h"

namespace velk::WizardText {

std::vector<QStringView> lines(QStringView text)
{
    std::vector<QStringView> out;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype lf = text.indexOf(u'\n', start);
        const qsizetype end = lf < 0 ? text.size() : lf;
        qsizetype lineEnd = end;
        if (lf >= 0 && lineEnd > start && text[lineEnd - 1] == u'\r')
            --lineEnd;
        out.push_back(text.sliced(start, lineEnd - start));
        start = end + 1;
    }
    return out;
}

QString option(QStringView options, QStringView name)
{
    for (QStringView line : lines(options)) {
        const qsizetype eq = line.indexOf(u'=');
        if ((eq < 0 ? line : line.first(eq)) != name)
            continue;
        return eq < 0 ? QStringLiteral("-") : line.sliced(eq + 1).toString();
    }
    return QString();
}

ListLine listLine(QStringView line)
{
    ListLine out;
    if (line.startsWith(u'+')) {
        out.opens = true;
        line = line.sliced(1);
    }
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) {
        out.text = out.tag = line.toString();
    } else {
        out.text = line.first(eq).toString();
        out.tag = line.sliced(eq + 1).toString();
    }
    return out;
}

} // namespace velk::WizardText
