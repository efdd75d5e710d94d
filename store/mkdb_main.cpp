// Generates Lumenar.mdb from the readable sources in data/.
#include "store/DatabaseBuilder.h"
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
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: lumenar-mkdb [--allow-missing-commentaries] DATA_DIR OUTPUT.mdb\n");
        return 2;
    }
    try {
        lumenar::buildDatabase(args[0], args[1], options);
    } catch (const lumenar::LumenarError &error) {
        std::fprintf(stderr, "lumenar-mkdb: %s\n", error.what());
        return 1;
    }
    return 0;
}
