#pragma once
// The role table applied to the journal's controls, once, at "Вход".

#include "session/roles.h"

namespace journal {
class JournalWindow;
}

namespace app {

// Enables and disables the journal's controls for the role.
void applyRole(journal::JournalWindow& journal, session::Role role);

}  // namespace app
