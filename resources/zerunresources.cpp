#include "zerunresources.h"

#include <QtGlobal>

// The registration macros declare the generated functions where they are used, so they have to
// be expanded outside any namespace.
static void registerBundle()
{
    Q_INIT_RESOURCE(zerun);
}

static void unregisterBundle()
{
    Q_CLEANUP_RESOURCE(zerun);
}

namespace {

struct ResourceBundle
{
    ResourceBundle() { registerBundle(); }
    ~ResourceBundle() { unregisterBundle(); }
    ResourceBundle(const ResourceBundle &) = delete;
    ResourceBundle &operator=(const ResourceBundle &) = delete;
};

const ResourceBundle bundle;

} // namespace

void ensureZerunResources()
{
    // Nothing to do: referencing this file is what links it in, and with it the registration
    // above that runs before main().
}
