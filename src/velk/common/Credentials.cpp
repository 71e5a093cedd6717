#include "Credentials_p.h"

#include "StdRegistry.h"
#include "StringHelpers.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>
#include <QPointer>
#include <QTimer>

namespace velk::Credentials {
namespace {

const QString kMarker = QStringLiteral("~#");
const QString kService = QStringLiteral("velk");
constexpr int kRoot = 1;
// QtKeychain 0.13 cannot tell whether a Secret Service exists; an answer that takes longer
// than this counts as none.
constexpr int kKeyringTimeoutMs = 5000;
constexpr char kScrambleKey[] = "velkGUI-Anmeldung";

bool g_answered = false;

// Runs a keyring job to its end or the timeout; the job's error, or OtherError on timeout.
QKeychain::Error runJob(QKeychain::Job *job)
{
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    bool finished = false;
    QKeychain::Error error = QKeychain::OtherError;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [&](QKeychain::Job *done) {
        finished = true;
        error = done->error();
        loop.quit();
    });
    job->setAutoDelete(true);
    job->start();
    timeout.start(kKeyringTimeoutMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!finished)
        QObject::disconnect(job, nullptr, &loop, nullptr); // it deletes itself when it ends
    g_answered = finished && (error == QKeychain::NoError || error == QKeychain::EntryNotFound);
    return finished ? error : QKeychain::OtherError;
}

QString keyName() { return QString::fromLatin1(SettingsKey); }

} // namespace

QString scramble(const QString &plain)
{
    const QByteArray bytes = plain.toUtf8();
    QByteArray mixed(bytes.size(), '\0');
    const int keyLength = int(sizeof(kScrambleKey) - 1);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        mixed[i] = char(bytes[i] ^ kScrambleKey[i % keyLength] ^ char(i * 31));
    return kMarker + QString::fromLatin1(mixed.toHex().toUpper()) + u'%';
}

QString unscramble(const QString &stored)
{
    if (!stored.startsWith(kMarker))
        return UnescapeText(stored);
    qsizetype end = stored.indexOf(u'%', kMarker.size());
    if (end < 0)
        end = stored.size();
    const QByteArray mixed = QByteArray::fromHex(stored.mid(kMarker.size(), end - kMarker.size()).toLatin1());
    QByteArray bytes(mixed.size(), '\0');
    const int keyLength = int(sizeof(kScrambleKey) - 1);
    for (qsizetype i = 0; i < mixed.size(); ++i)
        bytes[i] = char(mixed[i] ^ kScrambleKey[i % keyLength] ^ char(i * 31));
    return QString::fromUtf8(bytes);
}

QString read(const QString &url)
{
    auto *job = new QKeychain::ReadPasswordJob(kService);
    job->setKey(url);
    QString fromKeyring;
    QObject guard; // ends the connection when this call returns, even if the job outlives it
    QObject::connect(job, &QKeychain::Job::finished, &guard, [&fromKeyring](QKeychain::Job *done) {
        if (done->error() == QKeychain::NoError)
            fromKeyring = static_cast<QKeychain::ReadPasswordJob *>(done)->textData();
    });
    if (runJob(job) == QKeychain::NoError && !fromKeyring.isEmpty())
        return fromKeyring;
    return unscramble(RegGetString(kRoot, keyName(), url));
}

bool write(const QString &url, const QString &answer)
{
    const QString text = answer.trimmed();
    auto *job = new QKeychain::WritePasswordJob(kService);
    job->setKey(url);
    job->setTextData(text);
    const bool inKeyring = runJob(job) == QKeychain::NoError;
    const QString kept = inKeyring ? text.section(u':', 0, 0) : text;
    RegSetString(kRoot, keyName(), url, scramble(kept));
    return inKeyring;
}

bool keyringAnswered() { return g_answered; }

} // namespace velk::Credentials
