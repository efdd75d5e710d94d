// SPDX-License-Identifier: GPL-3.0-or-later
// Generates Lumenar.mdb from the readable sources in data/, and makes the working copy
// beside the programs from it.
#include "store/DatabaseBuilder.h"
#include "store/DatabaseCopy.h"
#include "store/Errors.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    lumenar::BuildOptions options;
    if (args.removeAll(QStringLiteral("--allow-missing-commentaries")) > 0)
        options.requireCommentaries = false;
    const bool copy = args.removeAll(QStringLiteral("--copy")) > 0;
    if (args.size() != 2) {
        std::fprintf(stderr,
            "usage: lumenar-mkdb [--allow-missing-commentaries] DATA_DIR OUTPUT.mdb\n"
            "       lumenar-mkdb --copy BUILT.mdb WORKING.mdb   (keeps the rows saved in WORKING.mdb)\n");
        return 2;
    }
    try {
        if (copy)
            lumenar::replaceKeepingSavedRows(args[0], args[1]);
        else
            lumenar::buildDatabase(args[0], args[1], options);
    } catch (const lumenar::LumenarError &error) {
        std::fprintf(stderr, "lumenar-mkdb: %s\n", error.what());
        return 1;
    }
    return 0;
}
