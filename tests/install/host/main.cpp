#include <velk/velkgui.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

// A host that uses the installed headers and library as an application would: it must
// compile, link and run. It registers the controls (twice: the second call changes
// nothing), creates every one by class name and paints one offscreen.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int failures = 0;
    const auto fail = [&](const char *what, const QString &detail) {
        std::fprintf(stderr, "%s: %s\n", what, qPrintable(detail));
        ++failures;
    };

    QString definition = QStringLiteral("Name|Datum|Betrag");
    if (velk::GetToken(definition, QStringLiteral("|")) != QStringLiteral("Name"))
        fail("token helper", definition);

    velk::registerBuiltinControls();
    const QStringList first = velk::ControlFactory::classNames();
    velk::registerBuiltinControls();
    if (velk::ControlFactory::classNames() != first)
        fail("a second registration changed the class list", first.join(u','));

    // Every registered control, and at least these.
    for (const char *name : {"velkButton", "velkFrameControl", "velkIcon", "velkLabel", "velkMenuBar",
                             "velkMenuPopup", "velkPreView", "velkSheet"}) {
        if (!first.contains(QLatin1String(name)))
            fail("not registered", QString::fromLatin1(name));
    }
    QWidget form;
    for (const QString &name : first) {
        QString error;
        QWidget *control = velk::ControlFactory::create(name, &form, &error);
        if (!control || QString::fromLatin1(control->metaObject()->className()).section(u':', -1) != name)
            fail("not created by class name", name + u' ' + error);
    }

    // A bar drawn by a host: its items must leave marks on the picture.
    velk::velkMenuBar bar;
    bar.setMenu(QStringLiteral("Speichern,Drucken"));
    bar.resize(200, 26);
    QImage picture(bar.size(), QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    bar.render(&picture);
    int painted = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            painted += qAlpha(picture.pixel(x, y)) != 0 ? 1 : 0;
    }
    if (painted < picture.width() * picture.height() / 2)
        fail("the menu bar painted too little", QString::number(painted));
    return failures == 0 ? 0 : 1;
}
