#include "StdRegistry.h"

#include <velk/common/StringHelpers.h>
#include <velk/common/TextFile.h>
#include <velk/platform/SettingsStore.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <array>

namespace velk {
namespace {

struct RootName
{
    const char *name;
    int root;
};

constexpr std::array<RootName, 10> kRootNames = {{
    {"HKEY_CLASSES_ROOT", 0}, {"HKCR", 0},
    {"HKEY_CURRENT_USER", 1}, {"HKCU", 1},
    {"HKEY_LOCAL_MACHINE", 2}, {"HKLM", 2},
    {"HKEY_USERS", 3},
    {"HKEY_PERFORMANCE_DATA", 4},
    {"HKEY_CURRENT_CONFIG", 5},
    {"HKEY_DYN_DATA", 6},
}};

const QString kVelkKey = QStringLiteral("Software\\velk");
const QString kMaximized = QStringLiteral("Maximized");
const QString kMinimized = QStringLiteral("Minimized");

// The store's root number for a root argument and path, or -1.
int resolveRoot(int root, QString &keyPath)
{
    const quint32 handle = RootFromPath(root, keyPath);
    return handle == 0 ? -1 : int(handle - RootHandleBase);
}

// Binary data is read one byte to one character through the 8-bit code page; decoding
// byte by byte keeps three bytes that look like a UTF-8 mark as three characters.
QString bytesAsText(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes)
        text += TextFile::decode(QByteArray(1, byte));
    return text;
}

QString valueAsText(const SettingsValue &value)
{
    switch (value.type) {
    case SettingsValue::Binary:
        return bytesAsText(value.bytes);
    case SettingsValue::Number:
        // Numbers are read as signed 32-bit values.
        return QString::number(qint32(value.number));
    case SettingsValue::MultiString:
        return value.strings.join(QLatin1String("\r\n"));
    case SettingsValue::String:
        break;
    }
    const qsizetype nul = value.text.indexOf(QChar(0));
    return nul < 0 ? value.text : value.text.left(nul);
}

int wholeNumber(const QString &text)
{
    bool ok = false;
    const double number = TrimBlanks(text).toDouble(&ok);
    return ok ? qRound(number) : 0;
}

// A window restored on a screen that is no longer attached would be out of reach.
bool isOnSomeScreen(const QRect &rect)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return true;
    for (const QScreen *screen : screens) {
        if (screen->availableGeometry().intersects(rect))
            return true;
    }
    return false;
}

} // namespace

int RootFromName(const QString &name)
{
    for (const RootName &entry : kRootNames) {
        if (name == QLatin1String(entry.name))
            return entry.root;
    }
    return -1;
}

quint32 RootFromPath(int root, QString &path)
{
    if (root == -1) {
        path.replace(u'/', u'\\');
        const qsizetype drive = path.indexOf(QLatin1String(":\\"));
        QString name;
        if (drive >= 0) {
            name = path.left(drive);
            path.remove(0, drive + 2);
        } else {
            name = GetToken(path, QStringLiteral("\\"));
        }
        root = RootFromName(name);
    }
    return root >= 0 && root < SettingsStore::RootCount ? RootHandleBase + quint32(root) : 0;
}

QString RegGetString(int root, const QString &path, const QString &valueName, bool *found)
{
    if (found)
        *found = false;
    QString keyPath = path;
    const int storeRoot = resolveRoot(root, keyPath);
    if (storeRoot < 0)
        return QString();
    const std::optional<SettingsValue> value =
        SettingsStore::instance().readValue(storeRoot, keyPath, valueName);
    if (!value)
        return QString();
    if (found)
        *found = true;
    return valueAsText(*value);
}

void RegSetString(int root, const QString &path, const QString &valueName, const QString &value)
{
    QString keyPath = path;
    const int storeRoot = resolveRoot(root, keyPath);
    if (storeRoot >= 0)
        SettingsStore::instance().writeValue(storeRoot, keyPath, valueName, SettingsValue::fromString(value));
}

void RestoreWindowPlacement(QWidget *window, const QString &valueName)
{
    if (!window)
        return;
    const QString text = RegGetString(1, kVelkKey, valueName);
    const Qt::WindowStates others =
        window->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen);
    if (text == kMaximized) {
        window->setWindowState(others | Qt::WindowMaximized);
        return;
    }
    if (text == kMinimized) {
        window->setWindowState(others | Qt::WindowMinimized);
        return;
    }
    QString rest = text;
    const int left = wholeNumber(GetToken(rest, QStringLiteral(",")));
    const int top = wholeNumber(GetToken(rest, QStringLiteral(",")));
    const int width = wholeNumber(GetToken(rest, QStringLiteral(",")));
    const int height = wholeNumber(GetToken(rest, QStringLiteral(",")));
    // A missing or damaged value leaves the window as the host laid it out.
    if (width <= 0 || height <= 0)
        return;
    window->setWindowState(others);
    if (isOnSomeScreen(QRect(left, top, width, height)))
        window->move(left, top);
    window->resize(width, height);
}

void SaveWindowPlacement(const QWidget *window, const QString &valueName)
{
    if (!window)
        return;
    QString text;
    if (window->isMaximized()) {
        text = kMaximized;
    } else if (window->isMinimized()) {
        text = kMinimized;
    } else {
        const QPoint at = window->pos();
        text = QStringLiteral("%1,%2,%3,%4").arg(at.x()).arg(at.y()).arg(window->width()).arg(window->height());
    }
    RegSetString(1, kVelkKey, valueName, text);
}

} // namespace velk
