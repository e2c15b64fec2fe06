#pragma once
#include <QString>

// Who makes the program and how to reach them. The addresses are set when the
// program is configured (OPUSTECA_MAKER_SITE, OPUSTECA_MAKER_MAIL), so an
// installer changes them in one place without touching the code.
namespace opusteca::maker {

// The maker's name as the credits and the copyright notice give it.
QString name();
// "© <year> <name>", as it stands under the start menu and on the credits.
QString copyright();
// The web site, a fixed address handed to the shell as it is.
QString site();
// The contact mail address.
QString mail();

} // namespace opusteca::maker
