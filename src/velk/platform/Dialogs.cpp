#include "Dialogs.h"

#include "QtDialogs.h"

namespace velk {
namespace {

std::unique_ptr<Dialogs> &installed()
{
    static std::unique_ptr<Dialogs> dialogs;
    return dialogs;
}

} // namespace

Dialogs::~Dialogs() = default;

Dialogs &Dialogs::instance()
{
    std::unique_ptr<Dialogs> &dialogs = installed();
    if (!dialogs)
        dialogs = std::make_unique<QtDialogs>();
    return *dialogs;
}

std::unique_ptr<Dialogs> Dialogs::setInstance(std::unique_ptr<Dialogs> dialogs)
{
    std::unique_ptr<Dialogs> previous = std::move(installed());
    installed() = std::move(dialogs);
    return previous;
}

} // namespace velk
