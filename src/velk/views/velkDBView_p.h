#pragma once

#include <velk/velk_export.h>

namespace velk {

class DataConnection;
class DBViewQuery;
class velkDBView;

/// A DB view's query state and connection, for tests and benchmarks.
struct VELK_TESTS_EXPORT velkDBViewAccess
{
    static DBViewQuery &query(velkDBView &view);
    /// The view's connection; nullptr before Database was set.
    static DataConnection *connection(velkDBView &view);
};

} // namespace velk
