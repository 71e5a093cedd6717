#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

/// Collects the warnings Qt logs while it lives, and puts the previous handler back after.
class WarningCatcher
{
public:
    WarningCatcher() { s_messages.clear(), m_previous = qInstallMessageHandler(&WarningCatcher::handle); }
    ~WarningCatcher() { qInstallMessageHandler(m_previous); }
    WarningCatcher(const WarningCatcher &) = delete;
    WarningCatcher &operator=(const WarningCatcher &) = delete;

    const QStringList &messages() const { return s_messages; }
    int count() const { return int(s_messages.size()); }
    bool contains(const QString &word) const { return !s_messages.filter(word).isEmpty(); }
    void clear() { s_messages.clear(); }

private:
    static void handle(QtMsgType type, const QMessageLogContext &, const QString &text)
    {
        if (type == QtWarningMsg)
            s_messages << text;
    }
    static inline QStringList s_messages;
    QtMessageHandler m_previous = nullptr;
};
