#pragma once

#include <velk/common/Collection.h>
#include <velk/velk_export.h>

#include <QObject>
#include <QString>

namespace velk {

/// The connection interface of a source of board items that a host may plug in. This
/// class connects to nothing: Connect answers false and the lists are empty. A source
/// derives from it and overrides the four members.
class VELK_EXPORT velkConnector : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit velkConnector(QObject *parent = nullptr);
    ~velkConnector() override;

    /// Connects to the source named by `pfd`; false when it cannot.
    Q_INVOKABLE virtual bool Connect(const QString &pfd);
    /// The items found under `pfd`.
    Q_INVOKABLE virtual velk::Collection<QString> ListItems(const QString &pfd);
    /// The folders found under `pfd`.
    Q_INVOKABLE virtual velk::Collection<QString> ListFolders(const QString &pfd);
    Q_INVOKABLE virtual void Disconnect();
};

} // namespace velk
