#include "session/roles.h"

namespace session {

Role roleForLogin(const QString& login)
{
    if (login == QLatin1String("clerka") || login == QLatin1String("clerkb") || login == QLatin1String("clerkc"))
        return Role::Timekeeper;
    if (login == QLatin1String("econom"))
        return Role::ReadOnly;
    if (login == QLatin1String("sys"))
        return Role::Sys;
    return Role::DataEntry;
}

RoleRights rightsOf(Role role)
{
    switch (role) {
    case Role::Timekeeper: return {false, true, false, false, false, true};
    case Role::ReadOnly: return {false, false, false, false, true, false};
    case Role::Sys: return {true, true, true, true, true, true};
    case Role::DataEntry: return {true, false, true, true, true, true};
    }
    return {};
}

}  // namespace session
