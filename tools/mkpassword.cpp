// Puts the password file beside the program at build time, holding the scrambled
// initial password, unless a password file is already there.
#include "access/core/PasswordStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: opusteca_mkpassword <path of the password file>\n");
        return 2;
    }
    const QFileInfo target(QString::fromLocal8Bit(argv[1]));
    if (target.exists()) return 0;
    QDir().mkpath(target.absolutePath());
    const opusteca::PasswordStore store(target.absolutePath());
    return store.write(QStringLiteral("OPUSTECA")) ? 0 : 1;
}
