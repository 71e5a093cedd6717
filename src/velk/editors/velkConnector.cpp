#include <velk/editors/velkConnector.h>

namespace velk {

velkConnector::velkConnector(QObject *parent) : QObject(parent) {}
velkConnector::~velkConnector() = default;

bool velkConnector::Connect(const QString &) { return false; }
Collection<QString> velkConnector::ListItems(const QString &) { return {}; }
Collection<QString> velkConnector::ListFolders(const QString &) { return {}; }
void velkConnector::Disconnect() {}

} // namespace velk
